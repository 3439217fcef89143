// The patch browser, toggled with Ctrl+B and worked with clicks: the disk
// page over a temporary home folder, the synth page over the simulated
// synthesizer's flash.
#include "tests/dialogs/banks/BankFixture.h"

#include "dialogs/browser/Browser.h"
#include "dialogs/browser/BrowserBar.h"
#include "dialogs/browser/BrowserFooter.h"
#include "dialogs/browser/BrowserPages.h"
#include "dialogs/browser/FlashListView.h"
#include "dialogs/browser/HardDriveView.h"
#include "dialogs/browser/LVItemView.h"
#include "dialogs/browser/ListItem.h"
#include "dialogs/browser/ScrollFlashListView.h"
#include "dialogs/browser/ScrollHardDriveView.h"
#include "editor/app/EditorCommands.h"
#include "editor/controls/BitmapPushButton.h"
#include "editor/floaters/WindowTogglerEx.h"
#include "editor/toolbar/tabs/TabBarView.h"
#include "framework/controls/CheckBoxView.h"
#include "framework/controls/ScrollBarView.h"
#include "framework/files/FileSpec.h"
#include "patch/document/Patch.h"
#include "platform/menus/NativeMenu.h"
#include "simulator/SimVirtualPort.h"
#include "simulator/Simulator.h"
#include "synth/link/PortManager.h"
#include "synth/link/Synth.h"
#include "synth/protocol/FlashMemory.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace NSHarrowen;
using namespace editorcommands;
namespace fs = std::filesystem;

namespace banktest {

namespace {

// Answers pop-up menus by the captions of a path through the submenus; an
// empty path closes the menu. The top level's captions are kept.
class CMenuPath {
public:
    CMenuPath()
    {
        previous_ = platform::SetPopupPresenter([this](const platform::PopupRequest& request) {
            ++shown;
            topCaptions.clear();
            for (int i = 0; i < platform::GetMenuItemCount(request.menu); ++i)
                topCaptions.push_back(platform::CaptionText(platform::GetMenuItem(request.menu, i).caption));
            return Follow(request.menu);
        });
    }
    ~CMenuPath() { platform::SetPopupPresenter(previous_); }

    std::vector<std::string> path;
    std::vector<std::string> topCaptions;
    int shown = 0;

private:
    uint32_t Follow(platform::MenuHandle menu) const
    {
        for (size_t level = 0; level < path.size(); ++level) {
            bool found = false;
            for (int i = 0; i < platform::GetMenuItemCount(menu) && !found; ++i) {
                const platform::MenuItem item = platform::GetMenuItem(menu, i);
                if (platform::CaptionText(item.caption) != path[level])
                    continue;
                found = true;
                if (level + 1 == path.size())
                    return item.number;
                menu = item.submenu;
            }
            if (!found)
                return 0;
        }
        return 0;
    }

    platform::PopupPresenter previous_;
};

class BrowserTest : public BankDialogTest {
protected:
    void SetUp() override
    {
        if (const char* home = getenv("HOME"))
            oldHome_ = home;
        setenv("HOME", home.Path().c_str(), 1);
        StartWith(sim::SimModel::Kandrel, [this] {
            StoreInFlash(1, 0, "Strings");
            StoreInFlash(1, 4, "Bass");
        });
        ASSERT_TRUE(Settle());
    }
    void TearDown() override
    {
        BankDialogTest::TearDown();
        setenv("HOME", oldHome_.c_str(), 1);
    }

    CBrowser& OpenBrowser()
    {
        PressCtrl('B');
        Step(20);
        CBrowser* browser = CWindowTogglerEx<CBrowser>::Get();
        EXPECT_NE(browser, nullptr);
        return *browser;
    }
    // A patch file the editor wrote, in the home folder.
    void SavePatch(const std::string& name)
    {
        CPatch patch;
        patch.ClearChangeFlags();
        patch.SetName(name);
        ASSERT_TRUE(patch.SaveToFile(CFileSpec((home.Path() / (name + ".pch")).string())));
    }
    // How the file menu names the synthesizer on port 0.
    std::string SynthTitle()
    {
        const std::string& name = Ports().GetSynth(0)->GetSynthName();
        return name.empty() ? Ports().GetDisplayName(0) : name;
    }
    static CHardDriveView& Disk(CBrowser& b) { return *b.GetPages().GetDiskPage()->GetList(); }
    static CFlashListView& Flash(CBrowser& b) { return *b.GetPages().GetSynthPage()->GetList(); }

    static std::vector<std::string> Rows(const CListView& list)
    {
        std::vector<std::string> rows;
        for (const auto& item : list.GetItems())
            rows.push_back(item->text);
        return rows;
    }
    // The screen point in the middle of a view of the browser.
    platform::Point Centre(CBrowser& browser, const CView& view)
    {
        const CRect f = view.GetFrame();
        const CPoint p = browser.ClientToScreen(CPoint((f.left + f.right) / 2, (f.top + f.bottom) / 2));
        return {p.x, p.y};
    }
    const CLVItemView& Row(const CListView& list, const std::string& text)
    {
        for (const auto& item : list.GetItems())
            if (item->text == text)
                return *item->view;
        ADD_FAILURE() << "no row " << text;
        return *list.GetItems().front()->view;
    }
    void ClickRow(CBrowser& b, const CListView& list, const std::string& text, int clicks = 1, int button = 1)
    {
        const platform::Point p = Centre(b, Row(list, text));
        for (int i = 0; i < clicks; ++i)
            desktop.Host().Click(p, button);
        Step(20);
    }
    void ClickView(CBrowser& b, const CView& view)
    {
        desktop.Host().Click(Centre(b, view));
        Step(20);
    }

    testsupport::TempDir home;

private:
    std::string oldHome_;
};

void Touch(const fs::path& path)
{
    std::ofstream(path) << "";
}

} // namespace

TEST_F(BrowserTest, CtrlBShowsAndHidesTheBrowserWithItsCheckMark)
{
    CBrowser& browser = OpenBrowser();
    UpdateMenus();
    EXPECT_TRUE(IsChecked(kBrowser));
    EXPECT_EQ(browser.GetTitle(), "Patch Browser");
    EXPECT_EQ(browser.GetBar().GetFrame().Height(), CBrowser::kBarHeight);
    PressCtrl('B');
    Step(20);
    UpdateMenus();
    EXPECT_FALSE(IsChecked(kBrowser));
    // Hidden, not gone.
    EXPECT_EQ(CWindowTogglerEx<CBrowser>::Get(), &browser);
    EXPECT_FALSE(platform::IsWindowVisible(browser.GetHandle()));
}

TEST_F(BrowserTest, TheDiskPageListsFoldersThenPatchFilesSortedAndShowAllFilesAddsTheRestAndTheDotFiles)
{
    for (const char* name :
         {"b.pch", "B.pch", "a.pch", "Patch.PCH", "archive.old.pch", "noext", "notes.txt", ".hidden.pch"})
        Touch(home.Path() / name);
    for (const char* name : {"sub", "Album", ".cache"})
        fs::create_directory(home.Path() / name);
    CBrowser& browser = OpenBrowser();
    const std::vector<std::string> patches{"Album", "sub", "B.pch", "a.pch", "archive.old.pch", "b.pch"};
    EXPECT_EQ(Rows(Disk(browser)), patches);
    EXPECT_EQ(Disk(browser).GetContentHeight(), 6 * 19);

    CCheckBoxView& box = *browser.GetPages().GetDiskPage()->GetFooter()->GetShowAllBox();
    ClickView(browser, box);
    EXPECT_EQ(Rows(Disk(browser)),
              (std::vector<std::string>{".cache", "Album", "sub", ".hidden.pch", "B.pch", "Patch.PCH", "a.pch",
                                        "archive.old.pch", "b.pch", "noext", "notes.txt"}));
    ClickView(browser, box);
    EXPECT_EQ(Rows(Disk(browser)), patches);
}

TEST_F(BrowserTest, FoldersOpenByDoubleClickAndTheBarGoesUpAndListsAgain)
{
    fs::create_directory(home.Path() / "sub");
    Touch(home.Path() / "sub" / "inner.pch");
    Touch(home.Path() / "top.pch");
    CBrowser& browser = OpenBrowser();
    CBrowserBar& bar = browser.GetBar();
    // At the top, up does nothing.
    ClickView(browser, *bar.GetUpButton());
    EXPECT_EQ(Rows(Disk(browser)), (std::vector<std::string>{"sub", "top.pch"}));

    // One click only selects.
    ClickRow(browser, Disk(browser), "sub");
    EXPECT_TRUE(Row(Disk(browser), "sub").IsHighlighted());
    EXPECT_EQ(Rows(Disk(browser)), (std::vector<std::string>{"sub", "top.pch"}));
    ClickRow(browser, Disk(browser), "sub", 2);
    EXPECT_EQ(Rows(Disk(browser)), (std::vector<std::string>{"inner.pch"}));

    Touch(home.Path() / "sub" / "added.pch");
    ClickView(browser, *bar.GetRefreshButton());
    EXPECT_EQ(Rows(Disk(browser)), (std::vector<std::string>{"added.pch", "inner.pch"}));
    ClickView(browser, *bar.GetUpButton());
    EXPECT_EQ(Rows(Disk(browser)), (std::vector<std::string>{"sub", "top.pch"}));
}

TEST_F(BrowserTest, TheDiskPagesScrollBarScrollsTheRowsAndAFolderChangeReturnsToTheTop)
{
    for (int i = 0; i < 60; ++i)
        Touch(home.Path() / ("p" + std::to_string(100 + i) + ".pch"));
    fs::create_directory(home.Path() / "q");
    CBrowser& browser = OpenBrowser();
    CHardDriveView& disk = Disk(browser);
    const int16_t top = Row(disk, "p100.pch").GetFrame().top;
    // The bar's lower arrow: one row down.
    const CRect bar = browser.GetPages().GetDiskPage()->GetScrollBar()->GetFrame();
    const CPoint arrow = browser.ClientToScreen(CPoint((bar.left + bar.right) / 2, bar.bottom - 5));
    desktop.Host().Click({arrow.x, arrow.y});
    Step(20);
    EXPECT_EQ(Row(disk, "p100.pch").GetFrame().top, top - CListView::kRowHeight);
    // Up and into a folder again: the list starts at its top.
    ClickRow(browser, disk, "q", 2);
    ClickView(browser, *browser.GetBar().GetUpButton());
    EXPECT_EQ(Row(disk, "p100.pch").GetFrame().top, top);
}

TEST_F(BrowserTest, TheSynthPageListsTheBanksAndTheirPatches)
{
    CBrowser& browser = OpenBrowser();
    ClickView(browser, *browser.GetBar().GetTabs()->GetChild(1));
    ASSERT_EQ(browser.GetPages().GetRequestedPage(), 1);
    const std::vector<std::string> rows = Rows(Flash(browser));
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[0], "Bank 1");
    EXPECT_EQ(rows[1], "Bank 2");
    EXPECT_EQ(rows[2], "2-1 : Strings");
    EXPECT_EQ(rows[3], "2-5 : Bass");
    EXPECT_EQ(rows[10], "Bank 9");
    // The up button does nothing on the synth page.
    ClickView(browser, *browser.GetBar().GetUpButton());
    EXPECT_EQ(browser.GetPages().GetRequestedPage(), 1);
}

TEST_F(BrowserTest, TheSynthPageLoadsStoresAndDeletesThroughTheFlashAndReportsAFailureOnce)
{
    CBrowser& browser = OpenBrowser();
    ClickView(browser, *browser.GetBar().GetTabs()->GetChild(1));
    CFlashListView& list = Flash(browser);
    const uint8_t slot = Ports().GetCurrentSlot();
    const std::string letter(1, static_cast<char>('A' + slot));

    // A double click loads the location into the current slot.
    ClickRow(browser, list, "2-5 : Bass", 2);
    ASSERT_TRUE(StepUntil([&] { return SlotPatchName(slot) == "Bass"; }, 500));
    ASSERT_TRUE(Settle());

    // The row menu of a patch: store over it, or delete it.
    CMenuPath menu;
    menu.path = {"Delete"};
    ClickRow(browser, list, "2-1 : Strings", 1, 2);
    ASSERT_TRUE(StepUntil([&] { return menu.shown == 1 && list.GetPendingAction() == 0; }, 500));
    EXPECT_EQ(menu.topCaptions, (std::vector<std::string>{"Save Slot " + letter + " To 2-1 : Strings", "Delete"}));
    ASSERT_TRUE(StepUntil([&] { return Rows(list)[2] == "2-5 : Bass"; }, 500)) << Rows(list)[2];
    EXPECT_EQ(FlashNames(1)[0], "");

    // Below the rows: the slot into any location of any bank.
    menu.path = {"Save Slot " + letter + " To", "Bank 3", "5  Unused Patch"};
    const CRect below = list.GetFrame();
    const CPoint p = browser.ClientToScreen(CPoint(below.left + 20, below.bottom - 5));
    desktop.Host().Click({p.x, p.y}, 2);
    ASSERT_TRUE(StepUntil([&] { return FlashNames(2)[4] == "Bass"; }, 500));
    ASSERT_TRUE(StepUntil([&] { return list.GetPendingAction() == 0; }, 500));
    EXPECT_TRUE(alerts.empty());

    // A refused store is reported once.
    SetMemoryProtect(true);
    menu.path = {"Save Slot " + letter + " To 2-5 : Bass"};
    ClickRow(browser, list, "2-5 : Bass", 1, 2);
    ASSERT_TRUE(StepUntil([&] { return !alerts.empty() && list.GetPendingAction() == 0; }, 500));
    Step(200);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0], "Flash Problem Memory protect on");
}

TEST_F(BrowserTest, ARightClickWhileTheSynthesizerIsBusyWaitsForItAndASecondOneIsIgnored)
{
    CBrowser& browser = OpenBrowser();
    ClickView(browser, *browser.GetBar().GetTabs()->GetChild(1));
    CFlashListView& list = Flash(browser);
    CMenuPath menu; // dismissed
    const std::string letter(1, static_cast<char>('A' + Ports().GetCurrentSlot()));

    // A load makes the synthesizer busy until it answers; no time passes
    // between the clicks.
    const platform::Point bass = Centre(browser, Row(list, "2-5 : Bass"));
    desktop.Host().Click(bass);
    desktop.Host().Click(bass);
    Pump();
    ASSERT_TRUE(Ports().GetSynth(0)->IsWaitingForReply());
    desktop.Host().Click(Centre(browser, Row(list, "2-1 : Strings")), 2);
    Pump();
    desktop.Host().Click(bass, 2);
    Pump();
    app->IdleCheck();
    EXPECT_EQ(menu.shown, 0);
    EXPECT_EQ(list.GetPendingAction(), CFlashListView::kRowMenu);

    ASSERT_TRUE(StepUntil([&] { return menu.shown > 0 && list.GetPendingAction() == 0; }, 500));
    Step(100);
    EXPECT_EQ(menu.shown, 1);
    EXPECT_EQ(menu.topCaptions, (std::vector<std::string>{"Save Slot " + letter + " To 2-1 : Strings", "Delete"}));
    EXPECT_EQ(FlashNames(1)[0], "Strings");
    EXPECT_TRUE(alerts.empty());
}

TEST_F(BrowserTest, ARightClickOnAFileStoresItIntoTheChosenFlashLocation)
{
    SavePatch("Lead");
    CBrowser& browser = OpenBrowser();
    CMenuPath menu;
    menu.path = {SynthTitle(), "Save In Synth", "Bank 3", "5  Unused Patch"};
    ClickRow(browser, Disk(browser), "Lead.pch", 1, 2);
    ASSERT_TRUE(StepUntil([&] { return FlashNames(2)[4] == "Lead" && Disk(browser).GetPendingAction() == 0; }, 800));
    EXPECT_EQ(menu.topCaptions, std::vector<std::string>{SynthTitle()});
    EXPECT_TRUE(alerts.empty());

    // A file that cannot be read is reported with the store's report line,
    // shown as text even where it looks like the alert's own tags.
    testsupport::WriteFileBytes((home.Path() / "Bad[OK][Cancel].pch").string(), "not a patch");
    ClickView(browser, *browser.GetBar().GetRefreshButton());
    menu.path = {SynthTitle(), "Save In Synth", "Bank 3", "6  Unused Patch"};
    ClickRow(browser, Disk(browser), "Bad[OK][Cancel].pch", 1, 2);
    ASSERT_TRUE(StepUntil([&] { return !alerts.empty() && Disk(browser).GetPendingAction() == 0; }, 800));
    EXPECT_EQ(alerts[0], "Flash Problem 306 : Bad(OK)(Cancel) : -skipped");
    EXPECT_EQ(FlashNames(2)[5], "");
}

TEST_F(BrowserTest, WhileAStoreIsAwaitedRightClicksAreIgnoredAndItsSynthesizerGoingEndsItWithAnAlert)
{
    SavePatch("Lead");
    SavePatch("Other");
    CBrowser& browser = OpenBrowser();
    CHardDriveView& disk = Disk(browser);
    CMenuPath menu;
    menu.path = {SynthTitle(), "Save In Synth", "Bank 1", "1  Unused Patch"};
    ClickRow(browser, disk, "Lead.pch", 1, 2);
    ASSERT_TRUE(StepUntil([&] { return disk.GetPendingAction() == CHardDriveView::kStoring; }, 200));
    // A second right click while the store runs shows no menu.
    ClickRow(browser, disk, "Other.pch", 1, 2);
    EXPECT_EQ(menu.shown, 1);
    EXPECT_EQ(disk.GetPendingAction(), CHardDriveView::kStoring);

    // The synthesizer goes before the store ended.
    Ports().ClosePort(0);
    Step(50);
    EXPECT_EQ(disk.GetPendingAction(), CHardDriveView::kNone);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0], "Flash Problem Lost contact");

    // Without a synthesizer the menu offers the file as a local patch.
    menu.path = {"Local"};
    const size_t patches = Patches().size();
    ClickRow(browser, disk, "Other.pch", 1, 2);
    Step(50);
    EXPECT_EQ(menu.topCaptions, std::vector<std::string>{"Local"});
    EXPECT_EQ(Patches().size(), patches + 1);
}

} // namespace banktest
