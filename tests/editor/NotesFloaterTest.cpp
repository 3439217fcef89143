#include "tests/editor/EditorFixture.h"

#include "editor/app/EditorCommands.h"
#include "editor/floaters/DialogNotes.h"
#include "editor/floaters/WindowToggler.h"
#include "editor/patches/PatchManager.h"
#include "editor/views/EditTextView.h"
#include "editor/windows/PatchView.h"
#include "framework/files/FileSpec.h"
#include "editor/windows/SavePatchAlert.h"
#include "framework/controls/PushButtonView.h"
#include "patch/document/Patch.h"
#include "platform/host/SystemMetrics.h"
#include "platform/input/Keys.h"
#include "platform/windows/Window.h"
#include "tests/support/TempDir.h"

#include <string>
#include <sys/stat.h>

using namespace NSHarrowen;
using namespace editorcommands;

namespace editortest {

namespace {

using NotesToggler = CWindowToggler<CDialogNotes>;

class NotesFloaterTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        Launch();
        // Closing a changed patch: "No" to its save question.
        operate = [](CABCWindow& window) {
            auto* box = dynamic_cast<CSavePatchAlert*>(&window);
            if (!box)
                return false;
            box->GetButton(CSavePatchAlert::kNo)->Click();
            return true;
        };
    }
    CDialogNotes* Notes() { return NotesToggler::Get(); }
    CEditTextView& Text() { return Notes()->GetTextView(); }
    void ClickIntoText()
    {
        desktop.Host().Click(platform::ClientToScreen(Notes()->GetHandle(), {150, 100}));
        Pump();
    }
    void Type(const std::u32string& text)
    {
        for (char32_t c : text) {
            desktop.Host().TypeCharacter(c);
            Pump();
        }
    }
    void Key(uint32_t key)
    {
        desktop.Host().PressKey(key);
        Pump();
        desktop.Host().ReleaseKey(key);
        Pump();
    }
    CPatch* Active() { return app->GetPatches()->GetActivePatch(); }
};

} // namespace

TEST_F(NotesFloaterTest, TypedNotesReachTheActivePatchAndTheTextFollowsTheActivePatchWindow)
{
    Choose(kNotesFloater);
    ASSERT_NE(Notes(), nullptr);
    UpdateMenus();
    EXPECT_TRUE(IsChecked(kNotesFloater));
    EXPECT_EQ(Notes()->GetTitle(), "Notes Floater");
    EXPECT_EQ(Notes()->GetHelpContext(), 20u);
    // No patch window: empty and disabled.
    EXPECT_FALSE(Text().IsEnabled());
    EXPECT_EQ(Text().GetText(), "");

    PressCtrl('N');
    CPatch* first = Active();
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(first->IsDirty());
    EXPECT_TRUE(Text().IsEnabled());
    ClickIntoText();
    Type(U"Pad");
    Key(platform::kVKReturn);
    Type(U"warm");
    EXPECT_EQ(first->GetNotes(), "Pad\rwarm");
    EXPECT_TRUE(first->IsDirty());

    // A second patch window shows its own (empty) notes.
    PressCtrl('N');
    CPatch* second = Active();
    ASSERT_NE(second, first);
    EXPECT_EQ(Text().GetText(), "");
    ClickIntoText();
    Type(U"Bass");
    EXPECT_EQ(second->GetNotes(), "Bass");
    EXPECT_EQ(first->GetNotes(), "Pad\rwarm");

    // Ctrl+Tab back to the first window: its notes come back.
    PressCtrl(platform::kVKTab);
    Step(50);
    ASSERT_EQ(Active(), first);
    EXPECT_EQ(Text().GetText(), "Pad\rwarm");

    // Closing the last patch window empties and disables the text.
    PressCtrl('W');
    Step(100);
    PressCtrl('W');
    Step(100);
    ASSERT_EQ(app->GetPatches()->CountOpenWindows(), 0);
    EXPECT_EQ(Active(), nullptr);
    EXPECT_FALSE(Text().IsEnabled());
    EXPECT_EQ(Text().GetText(), "");

    Choose(kNotesFloater);
    Step(100);
    EXPECT_EQ(Notes(), nullptr);
    UpdateMenus();
    EXPECT_FALSE(IsChecked(kNotesFloater));
}

// Like the knob floater, it has a close box in its caption, which closes it
// as the menu does and keeps its place for the next time.
TEST_F(NotesFloaterTest, ItsCloseBoxClosesItLikeTheMenu)
{
    Choose(kNotesFloater);
    ASSERT_NE(Notes(), nullptr);
    const CRect frame = Notes()->GetWindowRectInFrame();
    const int border = platform::GetSystemMetric(platform::Metric::SizingFrameX);
    const int box = platform::GetSystemMetric(platform::Metric::CaptionHeight) - 4;
    desktop.Host().Click({frame.right - border - 2 - box / 2, frame.top + border + 2 + box / 2});
    Step(100);
    EXPECT_EQ(Notes(), nullptr);
    UpdateMenus();
    EXPECT_FALSE(IsChecked(kNotesFloater));
    EXPECT_EQ(app->GetPrefs()->notesFloater.rect, frame);
}

// Opened the first time, it stands wholly on the desktop at the right edge,
// its frame's border included.
class NotesFloaterOnALargeDesktopTest : public EditorTest {
protected:
    NotesFloaterOnALargeDesktopTest() : EditorTest(1280, 1024) { }
};

TEST_F(NotesFloaterOnALargeDesktopTest, ItsDefaultPlaceFitsTheDesktop)
{
    Launch();
    Choose(kNotesFloater);
    ASSERT_NE(NotesToggler::Get(), nullptr);
    const platform::Rect window = platform::GetWindowRect(NotesToggler::Get()->GetHandle());
    EXPECT_EQ(window.right, 1280);
    EXPECT_GE(window.left, 0);
    EXPECT_GE(window.top, 0);
    EXPECT_LE(window.bottom, 1024);
    // Moved, not narrowed.
    CRect content = NotesToggler::Get()->GetWindowRectInFrame();
    NotesToggler::Get()->WindowToContentRect(content);
    EXPECT_EQ(content.Width(), 300);
    EXPECT_EQ(content.Height(), 350);
}

TEST_F(NotesFloaterTest, AnOpenedFloaterShowsTheNotesThePatchAlreadyHas)
{
    PressCtrl('N');
    Active()->SetNotes("Kept\rfrom before");
    Active()->ClearChangeFlags();
    Choose(kNotesFloater);
    ASSERT_NE(Notes(), nullptr);
    EXPECT_EQ(Text().GetText(), "Kept\rfrom before");
    // A place at the right of the screen, its frame's border included, 200
    // below its top.
    CRect content = Notes()->GetWindowRectInFrame();
    Notes()->WindowToContentRect(content);
    const int border = platform::GetSystemMetric(platform::Metric::SizingFrameX);
    EXPECT_EQ(content, CRect(1024 - 300 - border, 200, 1024 - border, 550));
}

// Ctrl+S typed with the notes focused saves them, and the patch is saved
// then: its title loses its "*" and closing it asks nothing. Keys that
// change no text (Ctrl, S under Ctrl, the arrows) are no edit of the notes.
TEST_F(NotesFloaterTest, CtrlSInTheNotesLeavesThePatchSavedAndClosingAsksNothing)
{
    PressCtrl('N');
    CPatch* patch = Active();
    const std::string path = folder.File("Pad.pch");
    ASSERT_TRUE(patch->SaveToFile(CFileSpec(path)));
    Step(50);
    auto* window = static_cast<CPatchView*>(patch->GetWindow());
    ASSERT_EQ(window->GetTitle(), "Pad");
    Choose(kNotesFloater);
    ClickIntoText();
    Type(U"warm");
    EXPECT_EQ(window->GetTitle(), "Pad*");
    PressCtrl('S');
    Key(platform::kVKLeft);
    Step(50);
    EXPECT_FALSE(patch->IsDirty());
    EXPECT_EQ(window->GetTitle(), "Pad");
    EXPECT_NE(testsupport::ReadFileBytes(path).find("warm"), std::string::npos);

    std::vector<std::string> asked;
    operate = [&asked](CABCWindow& box) {
        if (auto* question = dynamic_cast<CSavePatchAlert*>(&box)) {
            asked.push_back(question->GetTitle());
            question->GetButton(CSavePatchAlert::kCancel)->Click();
            return true;
        }
        return false;
    };
    PressCtrl('W');
    Step(100);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(app->GetPatches()->CountOpenWindows(), 0);
}

// A save refused with an alert leaves the notes taking the keys once the
// alert is answered: typing goes on where it stopped.
TEST_F(NotesFloaterTest, TypingGoesOnInTheNotesAfterTheAlertOfARefusedSave)
{
    PressCtrl('N');
    CPatch* patch = Active();
    const std::string path = folder.File("Pad.pch");
    ASSERT_TRUE(patch->SaveToFile(CFileSpec(path)));
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    Step(50);
    Choose(kNotesFloater);
    ClickIntoText();
    Type(U"warm");
    PressCtrl('S');
    Step(100);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_NE(alerts[0].find("Can't Write file"), std::string::npos) << alerts[0];
    Type(U"er");
    Step(50);
    EXPECT_EQ(patch->GetNotes(), "warmer");
}

} // namespace editortest
