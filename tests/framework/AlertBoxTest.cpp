#include "WindowTestFixture.h"

#include "framework/alerts/AlertBox.h"
#include "framework/alerts/AlertHook.h"
#include "framework/files/AskFileDialogs.h"
#include "platform/filedialogs/FileBrowserWindow.h"
#include "tests/support/TempDir.h"
#include "framework/views/IconView.h"
#include "framework/windows/ModalDialog.h"
#include "framework/controls/PushButtonView.h"
#include "framework/views/StaticTextView.h"
#include "platform/input/Keys.h"
#include "platform/controls/Controls.h"
#include "platform/windows/MessageQueue.h"

#include <algorithm>
#include <functional>

using namespace NSHarrowen;

namespace {

class AlertBoxTest : public testsupport::WindowTest {
protected:
    CAlertBox* Open(const std::string& script, const std::vector<std::string>& args = {})
    {
        CAlertBox* box = OpenAlertBox(script, args, &result);
        Pump();
        return box;
    }

    void ClickButton(CAlertBox* box, int number)
    {
        const platform::Rect r = platform::GetWindowRect(box->GetButton(number)->GetHandle());
        desktop.Host().Click({r.left + 5, r.top + 5});
        Pump();
    }

    // Marked for deletion, or deleted by the idle step already.
    static bool Closed(CAlertBox* box) { return GetWindowListIndex(box) < 0 || box->IsMarkedForDeletion(); }

    int result = 0;
};

TEST_F(AlertBoxTest, ThreeButtonsStandOnTheTemplatePlacesWithLabelsInReverse)
{
    CAlertBox* box = Open("[WARN]Save changes?[Yes][No][Cancel]");
    EXPECT_EQ(result, kAlertClosed);
    // Dialog units of base 8 x 16: x * 2, y * 2.
    EXPECT_EQ(box->GetButton(1)->GetFrame(), CRect(20, 120, 128, 148));
    EXPECT_EQ(box->GetButton(2)->GetFrame(), CRect(136, 120, 244, 148));
    EXPECT_EQ(box->GetButton(3)->GetFrame(), CRect(252, 120, 360, 148));
    EXPECT_EQ(platform::GetWindowRectInParent(box->GetButton(3)->GetHandle()), platform::Rect(254, 122, 358, 146));
    EXPECT_EQ(box->GetButton(1)->GetNativeText(), "Cancel");
    EXPECT_EQ(box->GetButton(3)->GetNativeText(), "Yes");
    EXPECT_EQ(box->GetClientRect(), CRect(0, 0, 380, 160));
    EXPECT_EQ(box->GetMessageView()->GetShownText(), " Save changes?");
    EXPECT_EQ(box->GetIconView()->GetKind(), kAlertIconWarn);
    EXPECT_EQ(box->GetFocusView(), box->GetButton(1));
    EXPECT_TRUE(box->GetButton(1)->HasDefaultLook());
    ClickButton(box, 3);
    EXPECT_EQ(result, kAlertButton3);
    EXPECT_TRUE(Closed(box));
}

TEST_F(AlertBoxTest, ReturnPressesButtonOneAndTheCloseBoxGivesClosed)
{
    CAlertBox* box = Open("[WARN]Save changes?[Yes][No][Cancel]");
    desktop.Host().PressKey(platform::kVKReturn);
    desktop.Host().ReleaseKey(platform::kVKReturn);
    Pump();
    EXPECT_EQ(result, kAlertButton1);
    EXPECT_TRUE(Closed(box));

    box = Open("[WARN]Save changes?[Yes][No][Cancel]");
    platform::PerformSysCommand(box->GetHandle(), platform::kSysCommandClose);
    Pump();
    EXPECT_EQ(result, kAlertClosed);
    EXPECT_TRUE(Closed(box));
}

TEST_F(AlertBoxTest, ArrowKeysMoveTheFocusAmongTheButtonsAndWrap)
{
    CAlertBox* box = Open("[NOTE]Pick[A][B][C]");
    const auto press = [&](uint32_t key) {
        desktop.Host().PressKey(key);
        desktop.Host().ReleaseKey(key);
        Pump();
    };
    press(platform::kVKRight);
    EXPECT_EQ(box->GetFocusView(), box->GetButton(2));
    press(platform::kVKRight);
    press(platform::kVKRight);
    EXPECT_EQ(box->GetFocusView(), box->GetButton(1));
    press(platform::kVKLeft);
    EXPECT_EQ(box->GetFocusView(), box->GetButton(3));
    EXPECT_EQ(platform::GetFocus(), box->GetButton(3)->GetHandle());
    // Return presses the default button, which follows the focus.
    press(platform::kVKReturn);
    EXPECT_EQ(result, kAlertButton3);
}

TEST_F(AlertBoxTest, OneButtonTakesTheMiddleAndNoIconWidensTheMessage)
{
    CAlertBox* box = Open("[NONE][File Save Error]disk full[OK]");
    EXPECT_EQ(box->GetButton(2), nullptr);
    EXPECT_EQ(box->GetButton(1)->GetFrame(), CRect(136, 120, 244, 148));
    EXPECT_EQ(box->GetMessageView()->GetFrame(), CRect(20, 20, 360, 108));
    EXPECT_EQ(box->GetMessageView()->GetShownText(), "File Save Error disk full");
    box->Close();
}

TEST_F(AlertBoxTest, ArgumentsAreShownSanitised)
{
    CAlertBox* box = Open("[STOP]The file \"^0\" could not be found.[OK]", {"a[b]^0.pch"});
    EXPECT_EQ(box->GetMessageView()->GetShownText(), " The file \"a(b)~0.pch\" could not be found.");
    EXPECT_EQ(box->GetScript().buttonCount, 1);
    box->Close();
}

// Acts on the screen once the modal loop runs, from a timer of a window of
// its own (the modal run keeps dispatching its messages).
std::function<void()> gOperatorStep;

platform::LResult OperatorProc(platform::WindowHandle w, uint32_t message, platform::WParam wParam,
                               platform::LParam lParam)
{
    if (message == platform::msg::Timer && gOperatorStep) {
        platform::KillTimer(w, wParam);
        auto step = std::move(gOperatorStep);
        gOperatorStep = nullptr;
        step();
        return 0;
    }
    return platform::DefWindowProc(w, message, wParam, lParam);
}

// Clicks button 1 of the alert once the modal run has begun, keeping the
// message it showed.
class AlertOperatorTest : public AlertBoxTest {
protected:
    void SetUp() override
    {
        AlertBoxTest::SetUp();
        app->SetIdleInterval(20);
        platform::RegisterWindowClass({"AlertOperator", 0, OperatorProc, platform::ClassBackground::None});
        platform::CreateParams params;
        params.className = "AlertOperator";
        params.rect = platform::Rect::FromSize(0, 0, 10, 10);
        op = platform::CreateWindow(params);
        platform::SetTimer(op, 1, 50);
        gOperatorStep = [this] {
            auto* box = dynamic_cast<CAlertBox*>(GetWindowAt(CountWindows() - 1));
            ASSERT_NE(box, nullptr);
            shown = box->GetMessageView()->GetShownText();
            const platform::Rect r = platform::GetWindowRect(box->GetButton(1)->GetHandle());
            desktop.Host().Click({r.left + 5, r.top + 5});
        };
    }
    void TearDown() override
    {
        platform::DestroyWindow(op);
        gOperatorStep = nullptr;
        AlertBoxTest::TearDown();
    }
    platform::WindowHandle op = 0;
    std::string shown;
};

TEST_F(AlertOperatorTest, RunAlertWithArgsWaitsForTheUserAndShowsTheSafeArgument)
{
    // The framework's "file not found" alert: "[STOP]The file "^0" could not be found.[OK]".
    EXPECT_EQ(RunAlertWithArgs(501000002, "x[y]^1"), kAlertButton1);
    EXPECT_EQ(shown, " The file \"x(y)~1\" could not be found.");
}

TEST_F(AlertOperatorTest, FrameworkAlertsBecomeAlertBoxesOnceTheFrameIsUp)
{
    EXPECT_EQ(ShowFrameworkAlert(501000002, {"song[2].pch"}), 1);
    EXPECT_EQ(shown, " The file \"song(2).pch\" could not be found.");
    EXPECT_TRUE(desktop.Host().MessageBoxTexts().empty());
}

// The save dialog's replace question as the user answers it on the alert box
// ("[OK][Cancel]" shows Cancel first and as the default): only OK hands the
// existing file back to be written over; Return and Escape go back to the
// dialog, whose own Cancel then ends it with nothing chosen.
TEST_F(AlertOperatorTest, TheReplaceQuestionGivesTheFileOnlyOnOK)
{
    testsupport::TempDir dir;
    const std::string existing = dir.File("Bass.txt");
    testsupport::WriteFileBytes(existing, "kept");
    const auto Next = [this](std::function<void()> step) {
        gOperatorStep = std::move(step);
        platform::SetTimer(op, 1, 50);
    };
    const auto ClickDialogButton = [&](uint16_t id) {
        for (int i = platform::CountTopLevelWindows() - 1; i >= 0; --i) {
            const platform::WindowHandle top = platform::GetTopLevelWindow(i);
            for (int c = 0;
                 platform::GetClassName(top) == platform::kFileDialogClass && c < platform::CountChildren(top); ++c)
                if (platform::GetChildId(platform::GetChild(top, c)) == id) {
                    const platform::Rect r = platform::GetWindowRect(platform::GetChild(top, c));
                    desktop.Host().Click({r.left + 5, r.top + 5});
                    return;
                }
        }
        ADD_FAILURE() << "no file dialog";
    };
    const struct {
        const char* answer;
        std::vector<uint32_t> keys;
        bool replaces;
    } cases[] = {
        {"Return (Cancel)", {platform::kVKReturn}, false},
        {"Escape", {platform::kVKEscape}, false},
        {"OK", {platform::kVKRight, platform::kVKReturn}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        std::string asked;
        Next([&] {
            ClickDialogButton(platform::filedialog::kOk); // on the proposed name, the existing file's
            Next([&] {
                auto* box = dynamic_cast<CAlertBox*>(GetWindowAt(CountWindows() - 1));
                ASSERT_NE(box, nullptr);
                asked = box->GetMessageView()->GetShownText();
                for (const uint32_t key : c.keys) {
                    desktop.Host().PressKey(key);
                    desktop.Host().ReleaseKey(key);
                }
                Next([&] { ClickDialogButton(platform::filedialog::kCancel); });
            });
        });
        std::unique_ptr<CFileSpec> spec;
        const bool chosen = AskSaveFileFor(0, existing, kFileTypeText, spec);
        gOperatorStep = nullptr;
        platform::KillTimer(op, 1);
        EXPECT_NE(asked.find(" already exists."), std::string::npos);
        EXPECT_EQ(chosen, c.replaces);
        if (c.replaces) {
            ASSERT_NE(spec, nullptr);
            EXPECT_EQ(spec->GetFullPath(), existing);
        }
        Pump();
    }
}

// The save dialog under its replace question keeps its file list on the
// screen (the pixels the host shows for the dialog's list are the same with
// the question up as before it) and is modal to it; the program's window
// stays disabled under the dialog once the question is answered.
TEST_F(AlertOperatorTest, TheSaveDialogUnderTheReplaceQuestionKeepsItsListAndTakesNoInput)
{
    testsupport::TempDir dir;
    const std::string existing = dir.File("Bass.txt");
    testsupport::WriteFileBytes(existing, "kept");
    testsupport::WriteFileBytes(dir.File("Lead.txt"), "other");
    const auto Next = [this](std::function<void()> step) {
        gOperatorStep = std::move(step);
        platform::SetTimer(op, 1, 50);
    };
    const auto FileDialog = [] {
        for (int i = platform::CountTopLevelWindows() - 1; i >= 0; --i)
            if (platform::GetClassName(platform::GetTopLevelWindow(i)) == platform::kFileDialogClass)
                return platform::GetTopLevelWindow(i);
        return platform::WindowHandle{0};
    };
    const auto ChildOf = [](platform::WindowHandle dialog, uint16_t id) {
        for (int c = 0; c < platform::CountChildren(dialog); ++c)
            if (platform::GetChildId(platform::GetChild(dialog, c)) == id)
                return platform::GetChild(dialog, c);
        return platform::WindowHandle{0};
    };
    const auto ClickChild = [&](platform::WindowHandle dialog, uint16_t id) {
        const platform::Rect r = platform::GetWindowRect(ChildOf(dialog, id));
        desktop.Host().Click({r.left + 5, r.top + 5});
    };
    // The list's pixels as the host shows them for the dialog's own surface.
    const auto ListShown = [this](platform::WindowHandle dialog) {
        const platform::Point at = platform::ClientToScreen(dialog, {10, 34});
        const platform::Rect list = platform::Rect::FromSize(at.x, at.y, 424, 202);
        std::vector<uint32_t> out;
        for (const platform::SurfaceId id : desktop.Host().StackingOrder()) {
            const platform::Rect surface = desktop.Host().SurfaceRect(id);
            const platform::PixelBuffer* shown = desktop.Host().SurfacePixels(id);
            if (!shown || surface != platform::GetWindowRect(dialog))
                continue;
            for (int y = list.top; y < list.bottom; ++y)
                for (int x = list.left; x < list.right; ++x)
                    out.push_back(shown->At(x - surface.left, y - surface.top));
        }
        return out;
    };
    std::vector<uint32_t> before;
    std::vector<uint32_t> during;
    std::string asked;
    int questionsUp = 0;
    std::string nameUnder;
    bool frameEnabledUnder = true;
    // The folder typed as the name and saved goes into it; a click on the
    // first file takes its name; Save asks.
    Next([&] {
        const platform::WindowHandle dialog = FileDialog();
        ASSERT_NE(dialog, 0u);
        platform::SetControlText(ChildOf(dialog, platform::filedialog::kName), dir.Path().string());
        ClickChild(dialog, platform::filedialog::kOk);
        Next([&] {
            desktop.Host().Click(platform::ClientToScreen(FileDialog(), {20, 34 + 8}));
            Next([&] {
                before = ListShown(FileDialog());
                ClickChild(FileDialog(), platform::filedialog::kOk);
                Next([&] {
                    auto* box = dynamic_cast<CAlertBox*>(GetWindowAt(CountWindows() - 1));
                    ASSERT_NE(box, nullptr);
                    asked = box->GetMessageView()->GetShownText();
                    during = ListShown(FileDialog());
                    // A double click on the other file and a click on Cancel
                    // under the question neither choose nor ask again.
                    const platform::Point other = platform::ClientToScreen(FileDialog(), {20, 34 + 16 + 8});
                    desktop.Host().Click(other);
                    desktop.Host().Click(other);
                    ClickChild(FileDialog(), platform::filedialog::kCancel);
                    Next([&] {
                        questionsUp = 0;
                        for (int i = 0; i < CountWindows(); ++i)
                            questionsUp += dynamic_cast<CAlertBox*>(GetWindowAt(i)) != nullptr;
                        nameUnder = platform::GetControlText(ChildOf(FileDialog(), platform::filedialog::kName));
                        desktop.Host().PressKey(platform::kVKEscape);
                        desktop.Host().ReleaseKey(platform::kVKEscape);
                        Next([&] {
                            // Back in the dialog: the program's window stays disabled under it.
                            frameEnabledUnder = platform::IsWindowEnabled(app->GetFrameHandle());
                            ClickChild(FileDialog(), platform::filedialog::kCancel);
                        });
                    });
                });
            });
        });
    });
    std::unique_ptr<CFileSpec> spec;
    EXPECT_FALSE(AskSaveFileFor(app->GetFrameHandle(), existing, kFileTypeText, spec));
    EXPECT_NE(asked.find(" already exists."), std::string::npos);
    ASSERT_FALSE(before.empty());
    // Not blank before: the two files' names are drawn in the list.
    EXPECT_NE(std::count(before.begin(), before.end(), before.front()), static_cast<long>(before.size()));
    EXPECT_EQ(during, before);
    EXPECT_EQ(questionsUp, 1);
    EXPECT_EQ(nameUnder, "Bass.txt");
    EXPECT_FALSE(frameEnabledUnder);
    EXPECT_TRUE(platform::IsWindowEnabled(app->GetFrameHandle()));
}

// An alert over an open dialog (a lost synthesizer, a port that would not
// open) gives the keys back to the dialog once it is answered: the dialog's
// caption is the active one again and its Escape and Return act at once.
TEST_F(AlertOperatorTest, AnAlertOverADialogGivesTheKeysBackToTheDialog)
{
    class CCountingButton : public IDialogButton {
    public:
        void SetDefaultLook(bool) override { }
        void Click() override { ++clicks; }
        int clicks = 0;
    };
    const auto Press = [this](uint32_t key) {
        desktop.Host().PressKey(key);
        desktop.Host().ReleaseKey(key);
        Pump();
    };
    platform::KillTimer(op, 1); // the alert comes once the dialog is up
    CDocumentWindow* document = OpenDocument();
    auto* dialog = new CModalDialog("MIDI Setup");
    dialog->CenterOnFrame();
    CCountingButton ok, cancel;
    dialog->SetDefaultButton(&ok);
    dialog->SetCancelButton(&cancel);
    Pump();
    ASSERT_EQ(platform::GetActiveWindow(), dialog->GetHandle());
    gOperatorStep = [&] {
        desktop.Host().PressKey(platform::kVKReturn);
        desktop.Host().ReleaseKey(platform::kVKReturn);
    };
    platform::SetTimer(op, 1, 50);
    EXPECT_EQ(RunAlertText("[STOP]Lost contact.[OK]"), kAlertButton1);
    Pump();
    EXPECT_EQ(platform::GetActiveWindow(), dialog->GetHandle());
    EXPECT_TRUE(platform::IsWindowEnabled(dialog->GetHandle()));
    Press(platform::kVKEscape);
    Press(platform::kVKReturn);
    EXPECT_EQ(cancel.clicks, 1);
    EXPECT_EQ(ok.clicks, 1);

    // Once the dialog is gone the keys go back to the patch window it stood over.
    dialog->Close();
    Pump();
    EXPECT_EQ(platform::GetActiveWindow(), app->GetFrameHandle());
    EXPECT_EQ(GetActiveWindow(), document);
}

} // namespace

TEST_F(AlertBoxTest, EscapeAnswersCancelOrNoAndAltWithALetterPressesThatButton)
{
    const auto Key = [&](std::initializer_list<uint32_t> keys) {
        for (const uint32_t key : keys)
            desktop.Host().PressKey(key);
        for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
            desktop.Host().ReleaseKey(*it);
        Pump();
    };
    const auto Letter = [](char c) { return static_cast<uint32_t>(platform::kVKLetterA + (c - 'A')); };
    const struct {
        const char* script;
        std::initializer_list<uint32_t> keys;
        int result;
    } cases[] = {
        {"[WARN]Save changes?[Yes][No][Cancel]", {platform::kVKEscape}, kAlertButton1}, // Cancel
        {"[WARN]Replace the file?[Yes][No]", {platform::kVKEscape}, kAlertButton1},     // No
        {"[WARN]Replace the file?[No][Yes]", {platform::kVKEscape}, kAlertButton2},     // No, first in the script
        {"[WARN]Save changes?[Yes][No][Cancel]", {platform::kVKAlt, Letter('N')}, kAlertButton2},
        {"[WARN]Save changes?[Yes][No][Cancel]", {platform::kVKAlt, Letter('Y')}, kAlertButton3},
        {"[WARN]Save changes?[&Keep][Don't save][Cancel]", {platform::kVKAlt, Letter('K')}, kAlertButton3},
        {"[WARN]Save changes?[Yes][No][Cancel]", {platform::kVKAlt, Letter('Q')}, kAlertClosed}, // no such button
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        CAlertBox* box = Open(c.script);
        Key(c.keys);
        EXPECT_EQ(result, c.result);
        if (!Closed(box))
            delete box;
        Pump();
    }
    // A notice with only OK keeps waiting for its button.
    CAlertBox* box = Open("[NOTE]Done.[OK]");
    Key({platform::kVKEscape});
    EXPECT_FALSE(Closed(box));
}
