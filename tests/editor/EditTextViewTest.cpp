// The multi-line text edit as a person types into it: clicks, characters,
// Return and the caret keys on the keyboard; what its owner reads back.
#include "tests/editor/EditorFixture.h"

#include "editor/views/EditTextView.h"
#include "framework/windows/DocumentWindow.h"
#include "platform/input/Keys.h"
#include "platform/windows/Window.h"

#include <string>

using namespace NSHarrowen;

namespace editortest {

namespace {

// A window whose whole content is one edit, as the notes floater holds it.
class CNotesLikeWindow : public CDocumentWindow {
public:
    CNotesLikeWindow() : CDocumentWindow(2, "Notes")
    {
        edit = new CEditTextView(GetRootView());
        Open(GetRectForContentSize(300, 200));
    }
    void LayoutRootView() override
    {
        edit->SetFrame(GetClientRect());
        CDocumentWindow::LayoutRootView();
    }
    CEditTextView* edit;
};

class EditTextViewTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        Launch();
        window = new CNotesLikeWindow();
        Pump();
        Host().Click(platform::ClientToScreen(window->GetHandle(), {150, 100}));
        Pump();
    }
    platform::HeadlessHost& Host() { return desktop.Host(); }
    void Type(const std::u32string& text)
    {
        for (char32_t c : text) {
            Host().TypeCharacter(c);
            Pump();
        }
    }
    void Key(uint32_t key)
    {
        Host().PressKey(key);
        Pump();
        Host().ReleaseKey(key);
        Pump();
    }
    CEditTextView& Edit() { return *window->edit; }

    CNotesLikeWindow* window = nullptr;
};

} // namespace

TEST_F(EditTextViewTest, TypedLinesEndInCrAndMarkTheTextChanged)
{
    Type(U"ab");
    Key(platform::kVKReturn);
    Type(U"cd");
    EXPECT_EQ(Edit().GetText(), "ab\rcd");
    // The control itself holds CR LF.
    EXPECT_EQ(Edit().GetTextLength(), 6);
    EXPECT_TRUE(Edit().TestAndClearChanged());
    EXPECT_FALSE(Edit().TestAndClearChanged());
    Key(platform::kVKBackspace);
    Key(platform::kVKBackspace);
    Key(platform::kVKBackspace);
    EXPECT_EQ(Edit().GetText(), "ab");
    EXPECT_TRUE(Edit().TestAndClearChanged());
}

TEST_F(EditTextViewTest, AnyLineEndsAreShownAsLinesAndReadBackAsCr)
{
    // Every line end, CR LF, CR or LF, reads back as one CR.
    for (const char* given : {"one\r\ntwo\r\nthree", "one\rtwo\rthree", "one\ntwo\nthree"}) {
        Edit().SetText(given);
        EXPECT_EQ(Edit().GetText(), "one\rtwo\rthree") << given;
        EXPECT_EQ(Edit().GetTextLength(), 15) << given;
    }
    // The caret walks down the shown lines: Down twice and End reach the
    // end of "three".
    Key(platform::kVKDown);
    Key(platform::kVKDown);
    Key(platform::kVKEnd);
    Type(U"!");
    EXPECT_EQ(Edit().GetText(), "one\rtwo\rthree!");
}

TEST_F(EditTextViewTest, CaretKeysMoveInTheTextWithoutCountingAsAnEdit)
{
    Type(U"top");
    Key(platform::kVKReturn);
    Type(U"low");
    ASSERT_TRUE(Edit().TestAndClearChanged());
    Key(platform::kVKUp);
    Key(platform::kVKHome);
    Key(platform::kVKRight);
    EXPECT_FALSE(Edit().TestAndClearChanged());
    Type(U"X");
    EXPECT_EQ(Edit().GetText(), "tXop\rlow");
    EXPECT_TRUE(Edit().TestAndClearChanged());
}

TEST_F(EditTextViewTest, TypingStopsAtFiveThousandCharacters)
{
    Edit().SetText(std::string(CEditTextView::kMaxLength - 1, 'n'));
    Key(platform::kVKDown);
    Key(platform::kVKEnd);
    Type(U"ab");
    EXPECT_EQ(Edit().GetTextLength(), 5000);
    EXPECT_EQ(Edit().GetText().back(), 'a');
}

TEST_F(EditTextViewTest, EachLineIsDrawnOnItsOwnRow)
{
    Edit().SetText("W\rW\rW");
    Pump();
    const platform::PixelBuffer screen = Host().Screen();
    const platform::Point origin = platform::ClientToScreen(window->GetHandle(), {0, 0});
    // Runs of pixel rows with dark text at the left, separated by blank rows.
    int runs = 0;
    bool inRun = false;
    for (int y = 3; y < 150; ++y) {
        bool dark = false;
        for (int x = 3; x < 30; ++x)
            dark = dark || (screen.At(origin.x + x, origin.y + y) & 0xFF) < 0x60;
        runs += dark && !inRun ? 1 : 0;
        inRun = dark;
    }
    EXPECT_EQ(runs, 3);
}

} // namespace editortest
