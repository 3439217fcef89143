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
    EXPECT_EQ(browser.GetWindowRectInFrame().left, CWindowTogglerEx<CBrowser>::kParked);
}

TEST_F(BrowserTest, TheDiskPageListsFoldersAndPatchFilesSortedAndShowAllFilesAddsTheRest)
{
    for (const char* name : {"b.pch", "B.pch", "a.pch", "Patch.PCH", "archive.old.pch", "noext", "notes.txt"})
        Touch(home.Path() / name);
    fs::create_directory(home.Path() / "sub");
    CBrowser& browser = OpenBrowser();
    const std::vector<std::string> patches{"B.pch", "a.pch", "archive.old.pch", "b.pch", "sub"};
    EXPECT_EQ(Rows(Disk(browser)), patches);
    EXPECT_EQ(Disk(browser).GetContentHeight(), 5 * 19);

    CCheckBoxView& box = *browser.GetPages().GetDiskPage()->GetFooter()->GetShowAllBox();
    ClickView(browser, box);
    EXPECT_EQ(Rows(Disk(browser)),
              (std::vector<std::string>{"B.pch", "Patch.PCH", "a.pch", "archive.old.pch", "b.pch", "noext", "notes.txt",
                                        "sub"}));
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

TEST_F(BrowserTest, TheSynthPageListsTheBanksAndTheirPatches)
{
    CBrowser& browser = OpenBrowser();
    CTabBarView& tabs = *browser.GetBar().GetTabs();
    tabs.LatchTab(1);
    Step(20);
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

} // namespace banktest
