// Editing as a person does it: characters typed on the keyboard, the Edit
// menu opened on the menu bar, Ctrl keys; what the edit then holds, what the
// clipboard holds, what the screen shows.
#include "tests/framework/WindowTestFixture.h"

#include "framework/menus/Menu.h"
#include "framework/menus/MenuBar.h"
#include "framework/controls/TextEditView.h"
#include "platform/host/HostClipboard.h"
#include "platform/input/Keys.h"
#include "platform/menus/PopupMenuRecorder.h"
#include "platform/menus/MenuWindows.h"

#include <string>
#include <vector>

using namespace NSHarrowen;

namespace {

enum : uint32_t { kClose = 102, kCut = 202, kCopy = 203, kPaste = 204, kClear = 205 };

CMenuItemRecord Item(const char* label, uint32_t command, char accelerator)
{
    CMenuItemRecord item;
    item.label = label;
    item.command = command;
    item.accelerator = accelerator;
    return item;
}

// A program with File > Close and the Edit menu; the commands that reach it
// are recorded.
class CEditingApp : public CApplication {
public:
    CEditingApp() : CApplication("Editing")
    {
        SetStandardCommands({kClose, kCut, kCopy, kPaste, kClear});
        file_.SetTitle("File", 'F');
        file_.AppendItemRecord(Item("Close", kClose, 'W'));
        edit_.SetTitle("Edit", 'E');
        edit_.AppendItemRecord(Item("Cut", kCut, 'X'));
        edit_.AppendItemRecord(Item("Copy", kCopy, 'C'));
        edit_.AppendItemRecord(Item("Paste", kPaste, 'V'));
        edit_.AppendItemRecord(Item("Clear", kClear, 0));
        bar_.AppendMenu(&file_);
        bar_.AppendMenu(&edit_);
        bar_.LeaveModal();
    }
    CMenuBar* GetMenuBar() override { return &bar_; }
    void UpdateMenus(CMenuBar* bar) override { bar->SetCommandEnabled(kClose, GetActiveDocumentWindow() != nullptr); }
    void HandleMenuSelect(CMenu* menu, uint32_t command) override
    {
        commands.push_back(command);
        CApplication::HandleMenuSelect(menu, command);
    }
    bool IsEnabled(uint32_t command)
    {
        CMenu* menu = nullptr;
        int index = 0;
        return bar_.FindCommand(command, menu, index) && !menu->GetItem(index).disabled;
    }

    std::vector<uint32_t> commands;

private:
    CMenu file_;
    CMenu edit_;
    CMenuBar bar_;
};

// A document with one edit whose notifications its window lets happen.
class CNotesWindow : public CDocumentWindow {
public:
    explicit CNotesWindow(int32_t maxLength) : CDocumentWindow(2, "Notes")
    {
        edit = new CSingleLineTextEditView(GetRootView(), maxLength, 50);
        edit->SetFrame(CRect(10, 10, 210, 36));
    }
    void ReceiveNotifications() override
    {
        CEditNotification record;
        while (edit->TakeNotification(record))
            edit->ProcessNotification(record);
        CDocumentWindow::ReceiveNotifications();
    }
    CSingleLineTextEditView* edit;
};

class EditingPath : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<CEditingApp>();
        const platform::WindowHandle frame = app->CreateFrameWindow();
        platform::MoveWindow(frame, {0, 0, 800, 600}, true);
        platform::ShowWindow(frame, platform::ShowCommand::Show);
        app->InstallMenuBar();
        Host().SetApplicationFocus(true);
        Pump();
        OpenNotes(64);
        platform::ClipboardSetText("");
    }
    void TearDown() override
    {
        while (CountWindows() > 0)
            delete GetWindowAt(0);
        app.reset();
    }

    platform::HeadlessHost& Host() { return desktop.Host(); }
    void Pump() { app->PumpWaiting(100000); }

    void OpenNotes(int32_t maxLength)
    {
        notes = new CNotesWindow(maxLength);
        notes->Open(notes->GetRectForContentSize(220, 60));
        Pump();
        Host().Click(platform::ClientToScreen(notes->GetHandle(), {100, 22}));
        Pump();
    }
    void Type(const std::u32string& text)
    {
        for (char32_t c : text) {
            Host().TypeCharacter(c);
            Pump();
        }
    }
    // A key with the modifiers held, as the keyboard gives it.
    void Key(uint32_t key, std::vector<uint32_t> held = {})
    {
        for (uint32_t m : held)
            Host().PressKey(m);
        Host().PressKey(key);
        Pump();
        Host().ReleaseKey(key);
        for (auto it = held.rbegin(); it != held.rend(); ++it)
            Host().ReleaseKey(*it);
        Pump();
    }
    void Ctrl(char letter) { Key(platform::kVKLetterA + static_cast<uint32_t>(letter - 'A'), {platform::kVKControl}); }
    void SelectAll()
    {
        Key(platform::kVKEnd);
        Key(platform::kVKHome, {platform::kVKShift});
    }
    // Clicks the title of a menu of the bar; the menu answers with `caption`.
    void ChooseFromMenu(int title, const std::string& caption)
    {
        platform::CPopupMenuRecorder popups;
        popups.Answer(caption);
        const platform::WindowHandle bar = app->GetMenuBarWindow();
        const platform::Rect r = platform::MenuBarTitleRects(bar).at(static_cast<size_t>(title));
        Host().Click(platform::ClientToScreen(bar, {r.left + 3, r.top + 3}));
        Pump();
        ASSERT_EQ(popups.ShownMenus().size(), 1u);
    }
    std::string Text() const { return notes->edit->GetText(); }

    testsupport::HeadlessDesktop desktop;
    std::unique_ptr<CEditingApp> app;
    CNotesWindow* notes = nullptr;
};

} // namespace

TEST_F(EditingPath, TypedCharactersAreStoredAsUtf8AndEditedWhole)
{
    Type(U"Naïve é");
    EXPECT_EQ(Text(), "Na\xC3\xAFve \xC3\xA9");
    Key(platform::kVKBackspace);
    EXPECT_EQ(Text(), "Na\xC3\xAFve ");
    Type(U"€");
    Key(platform::kVKLeft);
    Key(platform::kVKBackspace); // the blank before the euro sign
    EXPECT_EQ(Text(), "Na\xC3\xAFve\xE2\x82\xAC");
    Key(platform::kVKHome);
    Key(platform::kVKRight);
    Key(platform::kVKRight);
    Key(platform::kVKDelete); // the whole "ï"
    EXPECT_EQ(Text(), "Nave\xE2\x82\xAC");
    Key(platform::kVKLeft, {platform::kVKShift}); // selects "a" whole, back from the caret
    Ctrl('X');
    EXPECT_EQ(platform::ClipboardGetText().value_or(""), "a");
    EXPECT_EQ(Text(), "Nve\xE2\x82\xAC");
}

TEST_F(EditingPath, TheEditMenuFollowsTheSelectionAndItsChoicesReachTheEdit)
{
    Type(U"café");
    SelectAll();
    ChooseFromMenu(1, "Cut");
    EXPECT_TRUE(app->IsEnabled(kCut));
    EXPECT_TRUE(app->IsEnabled(kCopy));
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(platform::ClipboardGetText().value_or(""), "caf\xC3\xA9");
    // Nothing selected now: Cut and Copy are off when the menu opens; the
    // clipboard holds text, so Paste is on.
    ChooseFromMenu(1, "Paste");
    EXPECT_FALSE(app->IsEnabled(kCut));
    EXPECT_TRUE(app->IsEnabled(kPaste));
    ChooseFromMenu(1, "Paste");
    EXPECT_EQ(Text(),
              "caf\xC3\xA9"
              "caf\xC3\xA9");
    SelectAll();
    ChooseFromMenu(1, "Clear");
    EXPECT_EQ(Text(), "");
    EXPECT_TRUE(app->commands.empty()) << "the edit's commands went past it to the program";
}

TEST_F(EditingPath, CtrlKeysCutCopyAndPasteInTheFocusedEdit)
{
    Type(U"Grüße");
    SelectAll();
    Ctrl('C');
    EXPECT_EQ(platform::ClipboardGetText().value_or(""),
              "Gr\xC3\xBC\xC3\x9F"
              "e");
    Ctrl('X');
    EXPECT_EQ(Text(), "");
    Ctrl('V');
    Ctrl('V');
    EXPECT_EQ(Text(),
              "Gr\xC3\xBC\xC3\x9F"
              "eGr\xC3\xBC\xC3\x9F"
              "e");
    EXPECT_TRUE(app->commands.empty());
}

TEST_F(EditingPath, TypingPastTheLimitBeepsAndNeverCutsACharacter)
{
    delete notes;
    OpenNotes(4);
    Type(U"abc");
    const int beeps = Host().Beeps();
    Type(U"é"); // two bytes where one is left: refused whole
    EXPECT_EQ(Text(), "abc");
    EXPECT_EQ(Host().Beeps(), beeps + 1);
    Type(U"de");
    EXPECT_EQ(Text(), "abcd");
    EXPECT_EQ(Host().Beeps(), beeps + 2);
}

TEST_F(EditingPath, StoredBytesAreKeptAndShownAsWindows1252WhereTheyAreNotUtf8)
{
    const std::string latin = "\xE9t\xE9 \x80"; // "été €" in Windows-1252
    notes->edit->GiveUpFocus();                 // the program sets texts of edits not being edited
    notes->edit->SetText(latin);
    UpdateAllWindows();
    Pump();
    EXPECT_EQ(notes->edit->GetText(), latin);
    const platform::PixelBuffer shown = platform::CaptureWindow(notes->edit->GetHandle());
    notes->edit->SetText("\xC3\xA9t\xC3\xA9 \xE2\x82\xAC");
    UpdateAllWindows();
    Pump();
    const platform::PixelBuffer utf8 = platform::CaptureWindow(notes->edit->GetHandle());
    ASSERT_EQ(shown.Width(), utf8.Width());
    int differing = 0;
    for (int y = 0; y < shown.Height(); ++y)
        for (int x = 0; x < shown.Width(); ++x)
            differing += shown.At(x, y) != utf8.At(x, y);
    EXPECT_EQ(differing, 0);
}

TEST_F(EditingPath, TheWindowClosesForTheCloseCommandByMenuAndByCtrlW)
{
    ChooseFromMenu(0, "Close");
    app->Idle();
    EXPECT_EQ(CountWindows(), 0);
    OpenNotes(10);
    Ctrl('W');
    app->Idle();
    EXPECT_EQ(CountWindows(), 0);
    EXPECT_TRUE(app->commands.empty()) << "the close command went past the window";
}
