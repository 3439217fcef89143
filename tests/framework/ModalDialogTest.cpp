#include "tests/framework/WindowTestFixture.h"

#include "framework/windows/DialogItem.h"
#include "framework/base/Exceptions.h"
#include "framework/windows/ModalDialog.h"
#include "framework/controls/CheckBoxView.h"
#include "framework/controls/PushButtonView.h"
#include "framework/resources/ResourceModule.h"
#include "framework/windows/SplashScreen.h"
#include "framework/input/Ticks.h"
#include "platform/system/Clock.h"
#include "platform/input/Keys.h"
#include "platform/windows/MessageQueue.h"
#include "tests/support/DialogTemplateBuilder.h"

#include <array>

using namespace NSHarrowen;
using testsupport::WindowTest;

namespace {

class CFakeButton : public IDialogButton {
public:
    void SetDefaultLook(bool on) override { isDefault = on; }
    void Click() override { ++clicks; }
    bool isDefault = false;
    int clicks = 0;
};

const std::vector<uint8_t>& UntitledTemplate()
{
    static const std::vector<uint8_t> bytes = [] {
        testsupport::DialogTemplateBuilder b;
        b.Frame(0, 0, 100, 40);
        testsupport::DialogTemplateBuilder::Item ok;
        ok.id = 1;
        ok.classAtom = 0x80;
        ok.text = u"OK";
        ok.x = 10;
        ok.y = 10;
        ok.cx = 30;
        ok.cy = 12;
        b.Add(ok);
        return b.Build();
    }();
    return bytes;
}

const CResourceEntry kDialogs[] = {{"DLOG", 4001, UntitledTemplate().data(), UntitledTemplate().size()}};

} // namespace

TEST_F(WindowTest, TemplateDialogIsTitledAndCentredOnTheFrame)
{
    CResourceModule module("dialogs", kDialogs);
    auto* dialog = new CModalDialog(4001);
    EXPECT_EQ(dialog->GetTitle(), "Test Application"); // the template's title is empty
    EXPECT_EQ(dialog->GetClientRect(), CRect(0, 0, 200, 80));
    const CRect frame = dialog->GetWindowRectInFrame();
    const platform::Rect main = platform::GetWindowRect(app->GetFrameHandle());
    EXPECT_NEAR(frame.left + frame.Width() / 2, (main.left + main.right) / 2, 1);
    EXPECT_NEAR(frame.top + frame.Height() / 2, (main.top + main.bottom) / 2, 1);
    ASSERT_NE(dialog->GetDialogItem(1), nullptr);
    EXPECT_EQ(dialog->GetDialogItem(1)->rect, CRect(20, 20, 80, 44));
    EXPECT_THROW(CModalDialog(4002), XBase); // no such template
}

TEST_F(WindowTest, ModalRunDisablesTheOtherWindowsUntilItEnds)
{
    CDocumentWindow* document = OpenDocument();
    auto* outer = new CModalDialog("Outer");
    auto* inner = new CModalDialog(outer, "Inner");
    EXPECT_FALSE(platform::IsWindowEnabled(app->GetFrameHandle()));
    EXPECT_FALSE(platform::IsWindowEnabled(document->GetHandle()));
    EXPECT_FALSE(platform::IsWindowEnabled(outer->GetHandle()));
    EXPECT_EQ(document->GetDisableCount(), 2);

    inner->CenterOnFrame();
    inner->Close();
    RunModal(inner); // a closed dialog ends its run at once
    EXPECT_TRUE(platform::IsWindowEnabled(outer->GetHandle()));
    EXPECT_FALSE(platform::IsWindowEnabled(document->GetHandle()));
    EXPECT_FALSE(platform::IsWindowVisible(inner->GetHandle()));
    DeleteMarkedWindows(); // the idle step
    EXPECT_EQ(GetWindowListIndex(inner), -1);
    EXPECT_TRUE(platform::IsWindowEnabled(outer->GetHandle()));

    delete outer;
    EXPECT_TRUE(platform::IsWindowEnabled(app->GetFrameHandle()));
    EXPECT_TRUE(platform::IsWindowEnabled(document->GetHandle()));
    EXPECT_EQ(document->GetDisableCount(), 0);
}

TEST_F(WindowTest, ReturnAndEscapeClickTheDialogButtons)
{
    auto* dialog = new CModalDialog("Keys");
    dialog->CenterOnFrame();
    Pump();
    CFakeButton ok, cancel;
    dialog->SetDefaultButton(&ok);
    EXPECT_TRUE(ok.isDefault);
    auto press = [&](uint32_t key, bool extended = false) {
        desktop.Host().PressKey(key, extended);
        desktop.Host().ReleaseKey(key, extended);
        Pump();
    };
    press(platform::kVKEscape); // no cancel button yet: the key just passes on
    EXPECT_EQ(cancel.clicks, 0);
    dialog->SetCancelButton(&cancel);
    const uint64_t before = platform::NowMilliseconds();
    press(platform::kVKReturn);
    press(platform::kVKReturn, true); // the keypad's Enter
    press(platform::kVKEscape);
    EXPECT_EQ(ok.clicks, 2);
    EXPECT_EQ(cancel.clicks, 1);
    EXPECT_GE(platform::NowMilliseconds() - before, 3 * TicksToMilliseconds(8)); // a short pause after each

    CFakeButton other;
    dialog->SetDefaultButton(&other);
    EXPECT_FALSE(ok.isDefault);
    EXPECT_TRUE(other.isDefault);
}

TEST_F(WindowTest, SplashScreenStaysUpForItsMinimumTime)
{
    auto* picture = new CView(nullptr);
    const uint32_t start = GetTicks();
    auto* splash = new CSplashScreen(picture, 120, 90, 60);
    EXPECT_EQ(splash->GetClientRect(), CRect(0, 0, 120, 90));
    EXPECT_EQ(picture->GetFrame(), CRect(0, 0, 120, 90));
    EXPECT_FALSE(splash->IsListedInWindowMenu());
    delete splash;
    EXPECT_GE(GetTicks() - start, 60u);
}

TEST_F(WindowTest, ADialogOpensWithTheFocusOnItsFirstControlShownByAFocusMark)
{
    auto* dialog = new CModalDialog("Options");
    CDialogItem item;
    item.rect = CRect(10, 10, 130, 30);
    item.text = "Auto upload";
    auto* check = new CCheckBoxView(dialog->GetRootView(), item);
    item.rect = CRect(10, 50, 80, 74);
    item.text = "OK";
    auto* ok = new CPushButtonView(dialog->GetRootView(), item);
    dialog->AddToFocusChain(check);
    dialog->AddToFocusChain(ok);
    const auto MarkedPixels = [&](const CNativeControlView* view) {
        // The dotted focus frame: dark pixels on the control's face beyond
        // what it shows unfocused.
        const platform::Rect r = platform::GetWindowRect(view->GetHandle());
        const platform::PixelBuffer screen = desktop.Host().Screen();
        int dark = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                dark += (screen.At(x, y) & 0xFFFFFF) == 0 ? 1 : 0;
        return dark;
    };
    dialog->Open(dialog->GetRectForContentSize(200, 100));
    Pump();
    EXPECT_EQ(dialog->GetFocusView(), check);
    EXPECT_EQ(platform::GetFocus(), check->GetHandle()) << "the keys go to the first control";
    const int checkFocused = MarkedPixels(check);
    const int okUnfocused = MarkedPixels(ok);
    // Tab moves the focus, and the mark with it.
    desktop.Host().PressKey(platform::kVKTab);
    desktop.Host().ReleaseKey(platform::kVKTab);
    Pump();
    EXPECT_EQ(platform::GetFocus(), ok->GetHandle());
    EXPECT_GT(checkFocused, MarkedPixels(check) + 10) << "no focus mark on the check box";
    EXPECT_GT(MarkedPixels(ok), okUnfocused + 10) << "no focus mark on the button";
    delete dialog;
}
