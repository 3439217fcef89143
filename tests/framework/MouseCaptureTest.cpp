#include "tests/framework/WindowTestFixture.h"

#include "framework/views/GroupView.h"
#include "framework/windows/ModalDialog.h"

using namespace NSHarrowen;
using testsupport::WindowTest;

namespace {

class CCountingView : public CView {
public:
    using CView::CView;
    void CaptureLost() override { ++lost; }
    void MouseEnter() override { ++entered; }
    void MouseLeave() override { ++left; }
    int lost = 0;
    int entered = 0;
    int left = 0;
};

class MouseCaptureTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        window = OpenDocument(200, 100);
    }
    CDocumentWindow* window = nullptr;
};

} // namespace

TEST_F(MouseCaptureTest, OnlyTheHolderLowersTheCounter)
{
    CCountingView holder(window->GetRootView(), CRect(0, 0, 50, 50));
    CCountingView other(window->GetRootView(), CRect(50, 0, 100, 50));
    ASSERT_TRUE(holder.CaptureMouse());
    EXPECT_EQ(platform::GetCapture(), window->GetHandle());
    // A second capture is refused and changes nothing.
    EXPECT_FALSE(other.CaptureMouse());
    EXPECT_EQ(GetMouseCaptureView(), &holder);
    EXPECT_EQ(app->GetTrackingCount(), 1);

    other.ReleaseMouse(); // not the holder: nothing happens
    other.CancelMouseCapture();
    EXPECT_EQ(app->GetTrackingCount(), 1);
    EXPECT_EQ(other.lost, 0);

    holder.ReleaseMouse();
    EXPECT_EQ(app->GetTrackingCount(), 0);
    EXPECT_EQ(platform::GetCapture(), 0u);
    holder.ReleaseMouse(); // twice is harmless
    EXPECT_EQ(app->GetTrackingCount(), 0);
}

TEST_F(MouseCaptureTest, DestroyingTheCaptureOrTrackingViewEndsIt)
{
    {
        CCountingView holder(window->GetRootView(), CRect(0, 0, 50, 50));
        ASSERT_TRUE(holder.CaptureMouse());
    }
    EXPECT_EQ(GetMouseCaptureView(), nullptr);
    EXPECT_EQ(platform::GetCapture(), 0u);
    EXPECT_EQ(app->GetTrackingCount(), 0);

    {
        CCountingView tracker(window->GetRootView(), CRect(0, 0, 50, 50));
        ASSERT_TRUE(tracker.StartMouseTracking());
        CCountingView second(window->GetRootView(), CRect(0, 0, 50, 50));
        EXPECT_FALSE(second.StartMouseTracking());
        EXPECT_EQ(app->GetTrackingCount(), 1);
    }
    EXPECT_EQ(GetMouseTrackingView(), nullptr);
    EXPECT_EQ(app->GetTrackingCount(), 0);
    StopMouseTracking(); // with no tracking view: nothing to lower
    EXPECT_EQ(app->GetTrackingCount(), 0);
}

TEST_F(MouseCaptureTest, CaptureTakenByAnotherWindowCancelsTheViewCapture)
{
    CCountingView holder(window->GetRootView(), CRect(0, 0, 50, 50));
    ASSERT_TRUE(holder.CaptureMouse());
    platform::SetCapture(app->GetFrameHandle());
    EXPECT_EQ(holder.lost, 1);
    EXPECT_FALSE(holder.HasMouseCapture());
    EXPECT_EQ(app->GetTrackingCount(), 0);
}

TEST_F(MouseCaptureTest, TrackingNeedsTheActiveWindow)
{
    CDocumentWindow* back = window;
    OpenDocument(100, 100); // now the active one
    CCountingView view(back->GetRootView(), CRect(0, 0, 50, 50));
    EXPECT_FALSE(view.StartMouseTracking());
    back->BringToFront();
    EXPECT_TRUE(view.StartMouseTracking());
    view.CancelMouseTracking();
    EXPECT_EQ(view.lost, 1);
    EXPECT_EQ(app->GetTrackingCount(), 0);
}

TEST_F(MouseCaptureTest, HoverFollowsThePointerAndForgetsDestroyedViews)
{
    auto* view = new CCountingView(window->GetRootView(), CRect(10, 10, 60, 60));
    desktop.Host().MoveMouse(ScreenPoint(window, 20, 20));
    Pump();
    EXPECT_EQ(GetHoverView(), view);
    EXPECT_EQ(view->entered, 1);

    delete view; // no leave call for a view that goes away
    EXPECT_EQ(GetHoverView(), nullptr);

    auto* next = new CCountingView(window->GetRootView(), CRect(10, 10, 60, 60));
    UpdateHoverView();
    EXPECT_EQ(GetHoverView(), next);
    // Over no window of the program the hover view becomes none.
    desktop.Host().MoveMouse({1000, 700});
    Pump();
    UpdateHoverView();
    EXPECT_EQ(GetHoverView(), nullptr);
    EXPECT_EQ(next->left, 1);
}

namespace {

// A view that takes the capture on a press and lets go on the release, as
// buttons and knobs do.
class CPressView : public CCountingView {
public:
    using CCountingView::CCountingView;
    void MouseDown(const CEvent&) override
    {
        ++presses;
        CaptureMouse();
    }
    void MouseStillDown() override
    {
        ++releases;
        ReleaseMouse();
    }
    int presses = 0;
    int releases = 0;
};

} // namespace

TEST_F(MouseCaptureTest, ADialogOpenedDuringAHeldPressEndsTheCaptureAndEveryClickStillWorks)
{
    auto* held = new CPressView(window->GetRootView(), CRect(0, 0, 50, 50));
    auto* other = new CPressView(window->GetRootView(), CRect(60, 0, 110, 50));
    desktop.Host().PressMouse(ScreenPoint(window, 10, 10));
    Pump();
    ASSERT_TRUE(held->HasMouseCapture());

    // An alert takes over while the button is still down.
    auto* dialog = new CModalDialog("Lost contact");
    dialog->Open(dialog->GetRectForContentSize(200, 80));
    Pump();
    EXPECT_EQ(held->lost, 1) << "the view that held the capture was not told";
    EXPECT_EQ(GetMouseCaptureView(), nullptr);
    EXPECT_EQ(platform::GetCapture(), 0u);
    EXPECT_EQ(app->GetTrackingCount(), 0);

    // The release lands on the dialog; a click on the dialog reaches it.
    auto* inDialog = new CPressView(dialog->GetRootView(), CRect(0, 0, 100, 40));
    desktop.Host().ReleaseMouse(ScreenPoint(dialog, 10, 10));
    Pump();
    const int beeps = desktop.Host().Beeps();
    Click(dialog, 20, 20);
    EXPECT_EQ(inDialog->presses, 1) << "a click on the dialog went nowhere";
    EXPECT_EQ(desktop.Host().Beeps(), beeps);
    delete dialog;
    Pump();

    // Back in the window, clicks reach the view under the pointer.
    Click(window, 70, 10);
    EXPECT_EQ(other->presses, 1);
    EXPECT_EQ(other->releases, 1);
    EXPECT_EQ(held->presses, 1);
    EXPECT_EQ(held->releases, 0);
}

TEST_F(MouseCaptureTest, HidingOrDisablingTheCaptureWindowEndsTheCapture)
{
    for (const bool hide : {true, false}) {
        SCOPED_TRACE(hide ? "hidden" : "disabled");
        CDocumentWindow* w = OpenDocument(100, 100);
        auto* held = new CPressView(w->GetRootView(), CRect(0, 0, 50, 50));
        desktop.Host().PressMouse(ScreenPoint(w, 10, 10));
        Pump();
        ASSERT_TRUE(held->HasMouseCapture());
        if (hide)
            platform::ShowWindow(w->GetHandle(), platform::ShowCommand::Hide);
        else
            platform::EnableWindow(w->GetHandle(), false);
        Pump();
        EXPECT_EQ(held->lost, 1);
        EXPECT_EQ(platform::GetCapture(), 0u);
        EXPECT_EQ(app->GetTrackingCount(), 0);
        desktop.Host().ReleaseMouse(ScreenPoint(w, 10, 10));
        Pump();
        delete w;
    }
}
