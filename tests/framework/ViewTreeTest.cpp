#include "tests/framework/WindowTestFixture.h"

#include "platform/base/DroppedExceptions.h"
#include "framework/images/Bitmap.h"
#include "framework/drawing/Canvas.h"
#include "framework/views/GroupView.h"
#include "framework/views/IconView.h"
#include "framework/views/SolidColorGroupView.h"
#include "framework/controls/TooltipControl.h"
#include "platform/windows/MessageQueue.h"

#include <stdexcept>
#include <vector>

using namespace NSHarrowen;
using testsupport::WindowTest;

namespace {

// A view that fills its frame and records what reaches it.
class CProbeView : public CView {
public:
    CProbeView(CGroupView* parent, const CRect& frame, const CColor& color) : CView(parent, frame), color_(color) { }

    void Draw() override
    {
        ++draws;
        CCanvas(GetWindow()).FillRect(GetFrame(), color_);
    }
    void MouseDown(const CEvent& event) override
    {
        CView::MouseDown(event);
        kinds.push_back(event.GetKind());
        if (captureOnPress)
            CaptureMouse();
        if (throwOnPress)
            throw std::runtime_error("view failed");
    }
    void MouseStillDown() override
    {
        ++releases;
        ReleaseMouse();
    }

    CColor color_;
    int draws = 0;
    int releases = 0;
    bool captureOnPress = false;
    bool throwOnPress = false;
    std::vector<uint32_t> kinds;
};

// A solid group that remembers the area it was allowed to paint.
class CRecordingGroup : public CSolidColorGroupView {
public:
    using CSolidColorGroupView::CSolidColorGroupView;
    ~CRecordingGroup() override { DeleteChildren(); }
    void DrawBackground() override
    {
        const platform::Region* clip = GetWindow()->GetClipRegion();
        backgroundArea = clip ? *clip : platform::Region();
        CSolidColorGroupView::DrawBackground();
    }
    platform::Region backgroundArea;
};

constexpr CColor kBlue(0, 0, 0xFFFF);
constexpr CColor kYellow(0xFFFF, 0xFFFF, 0);

uint32_t Rgb(const CColor& c)
{
    return ToRgb(c);
}

class ViewTreeTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        window = OpenDocument(120, 80);
        group = new CRecordingGroup(window->GetRootView(), CRect(10, 10, 110, 70));
        group->SetColor(kRed);
        first = new CProbeView(group, CRect(20, 20, 60, 50), kGreen);
        second = new CProbeView(group, CRect(40, 30, 90, 60), kBlue);
        window->InvalidateAll(); // views added to a shown window appear at its next paint
        Pump();
    }

    uint32_t PixelAt(int x, int y)
    {
        const platform::PixelBuffer shot = platform::CaptureWindow(window->GetHandle());
        const platform::Rect area = platform::GetClientArea(window->GetHandle());
        return shot.At(area.left + x, area.top + y);
    }

    CDocumentWindow* window = nullptr;
    CRecordingGroup* group = nullptr;
    CProbeView* first = nullptr;
    CProbeView* second = nullptr;
};

} // namespace

TEST_F(ViewTreeTest, OverlappingChildrenPaintOverTheGroupWithoutBackgroundBeneath)
{
    const platform::PixelBuffer shot = platform::CaptureWindow(window->GetHandle());
    const platform::Rect area = platform::GetClientArea(window->GetHandle());
    // The picture the tree should give: root background, the red group, the
    // green child, the blue child added last on top.
    platform::PixelBuffer expected(120, 80, Rgb(CColor::FromButtonFace()));
    auto fill = [&](const CRect& r, const CColor& c) {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                expected.Set(x, y, Rgb(c));
    };
    fill(group->GetFrame(), kRed);
    fill(first->GetFrame(), kGreen);
    fill(second->GetFrame(), kBlue);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 120; ++x)
            ASSERT_EQ(shot.At(area.left + x, area.top + y), expected.At(x, y)) << "at " << x << ", " << y;

    // The group's background was never painted under its opaque children.
    platform::Region allowed(ToDeviceRect(group->GetFrame()));
    allowed.CombineWith(platform::Region(ToDeviceRect(first->GetFrame())), platform::RegionOp::Diff);
    allowed.CombineWith(platform::Region(ToDeviceRect(second->GetFrame())), platform::RegionOp::Diff);
    EXPECT_EQ(group->backgroundArea, allowed);
}

TEST_F(ViewTreeTest, PaintRedrawsOnlyWhatTouchesTheUpdateRegion)
{
    const int firstDraws = first->draws;
    const int secondDraws = second->draws;
    window->InvalidateRect(CRect(85, 55, 88, 58)); // inside the second child only
    Pump();
    EXPECT_EQ(first->draws, firstDraws);
    EXPECT_EQ(second->draws, secondDraws + 1);

    // Painting with an empty update region draws nothing.
    platform::SendMessage(window->GetHandle(), platform::msg::Paint, 0, 0);
    EXPECT_EQ(second->draws, secondDraws + 1);
}

TEST_F(ViewTreeTest, ClickGoesToTheFirstEnabledChildUnderThePoint)
{
    Click(window, 50, 40); // in both children: the first added takes it
    EXPECT_EQ(first->kinds, (std::vector<uint32_t>{kEventMouseDown}));
    EXPECT_TRUE(second->kinds.empty());

    first->SetEnabled(false);
    desktop.Host().Advance(1000);
    Click(window, 50, 40);
    EXPECT_EQ(first->kinds.size(), 1u);
    EXPECT_EQ(second->kinds, (std::vector<uint32_t>{kEventMouseDown}));

    // Disabling the group passes over both.
    group->SetEnabled(false);
    desktop.Host().Advance(1000);
    Click(window, 50, 40);
    EXPECT_EQ(second->kinds.size(), 1u);
}

TEST_F(ViewTreeTest, DoubleClickReachesTheViewAsKind45AfterThePress)
{
    Click(window, 25, 25);
    desktop.Host().Advance(100);
    Click(window, 25, 25);
    EXPECT_EQ(first->kinds, (std::vector<uint32_t>{kEventMouseDown, kEventDoubleClick}));

    // Too slow for a double click: two presses.
    desktop.Host().Advance(2000);
    Click(window, 25, 25);
    desktop.Host().Advance(600);
    Click(window, 25, 25);
    EXPECT_EQ(first->kinds,
              (std::vector<uint32_t>{kEventMouseDown, kEventDoubleClick, kEventMouseDown, kEventMouseDown}));
}

TEST_F(ViewTreeTest, ReleaseGivesOneMouseStillDownToTheCapturingViewOnly)
{
    // Without a capture, a release reaches no view.
    Click(window, 25, 25);
    EXPECT_EQ(first->releases, 0);

    first->captureOnPress = true;
    desktop.Host().Advance(1000);
    desktop.Host().PressMouse(ScreenPoint(window, 25, 25));
    Pump();
    ASSERT_TRUE(first->HasMouseCapture());
    EXPECT_TRUE(app->IsPolling());
    // The release lands over the other child: it still goes to the capture view.
    desktop.Host().ReleaseMouse(ScreenPoint(window, 80, 55));
    Pump();
    EXPECT_EQ(first->releases, 1);
    EXPECT_EQ(second->releases, 0);
    EXPECT_FALSE(first->HasMouseCapture());
    EXPECT_EQ(app->GetTrackingCount(), 0);
}

TEST_F(ViewTreeTest, AnExceptionInAViewDoesNotStopTheLoop)
{
    first->throwOnPress = true;
    Click(window, 25, 25);
    EXPECT_EQ(first->kinds.size(), 1u);
    // Messages after the failure are still dispatched.
    desktop.Host().Advance(1000);
    Click(window, 85, 55);
    EXPECT_EQ(second->kinds.size(), 1u);
    // The failure was not dropped silently.
    EXPECT_EQ(platform::TakeDroppedExceptions(),
              std::vector<std::string>{"dropped in a window's message handler: std::runtime_error (view failed)"});
}

TEST_F(ViewTreeTest, TooltipsSeeAPressFollowedAtOnceByARelease)
{
    first->SetToolTip("Green");
    CTooltipControl* tips = window->GetTooltips(false);
    ASSERT_NE(tips, nullptr);
    desktop.Host().PressMouse(ScreenPoint(window, 25, 25));
    Pump();
    const auto& recent = tips->RecentMessages();
    ASSERT_GE(recent.size(), 2u);
    EXPECT_EQ(recent[recent.size() - 2], platform::msg::LButtonDown);
    EXPECT_EQ(recent.back(), platform::msg::LButtonUp);
    desktop.Host().ReleaseMouse(ScreenPoint(window, 25, 25));
    Pump();
    EXPECT_EQ(tips->RecentMessages().back(), platform::msg::LButtonUp);
}

TEST_F(ViewTreeTest, TooltipShowsAfterThePointerRestsOnItsView)
{
    first->SetToolTip("Green");
    CTooltipControl* tips = window->GetTooltips(false);
    desktop.Host().MoveMouse(ScreenPoint(window, 30, 30));
    Pump();
    EXPECT_FALSE(tips->IsShowing());
    desktop.Advance(700);
    app->Idle();
    EXPECT_TRUE(tips->IsShowing());
    EXPECT_EQ(tips->ShownText(), "Green");
    desktop.Host().MoveMouse(ScreenPoint(window, 85, 55));
    Pump();
    EXPECT_FALSE(tips->IsShowing());
}

namespace {

struct FrameChange {
    const char* name;
    CRect from;
    CRect to;
    int32_t mode;
    std::vector<CRect> invalid; // what must be marked, and nothing else
};

} // namespace

TEST_F(ViewTreeTest, FrameChangesInvalidateByTheRedrawMode)
{
    const FrameChange cases[] = {
        {"mode 2 growing right", {10, 10, 30, 30}, {10, 10, 40, 30}, kRedrawDifference, {{30, 10, 40, 30}}},
        {"mode 2 shrinking", {10, 10, 30, 30}, {10, 10, 30, 20}, kRedrawDifference, {{10, 20, 30, 30}}},
        {"mode 2 moving", {10, 10, 30, 30}, {20, 10, 40, 30}, kRedrawDifference, {{10, 10, 40, 30}}},
        {"mode 1", {10, 10, 30, 30}, {10, 10, 40, 30}, kRedrawOldAndNew, {{10, 10, 40, 30}}},
        {"mode 0", {10, 10, 30, 30}, {10, 10, 40, 30}, kRedrawNothing, {}},
    };
    for (const FrameChange& c : cases) {
        CView view(window->GetRootView(), c.from);
        view.SetFrameChangeRedraw(c.mode);
        platform::ValidateRect(window->GetHandle(), nullptr);
        view.SetFrame(c.to);
        platform::Region expected;
        for (const CRect& r : c.invalid)
            expected.CombineWith(platform::Region(ToDeviceRect(r)), platform::RegionOp::Or);
        EXPECT_EQ(platform::GetUpdateRegion(window->GetHandle()), expected) << c.name;
        view.SetFrameChangeRedraw(kRedrawNothing); // leave quietly
    }
}

TEST_F(WindowTest, IconViewsDrawTheirKindAndNoneDrawsNothing)
{
    CDocumentWindow* window = OpenDocument(120, 50);
    new CIconView(window->GetRootView(), CRect(0, 0, 40, 40), kIconStop);
    new CIconView(window->GetRootView(), CRect(40, 0, 80, 40), kIconCaution);
    new CIconView(window->GetRootView(), CRect(80, 0, 120, 40), kIconNone);
    window->InvalidateAll();
    Pump();
    const platform::PixelBuffer shot = platform::CaptureWindow(window->GetHandle());
    const platform::Rect area = platform::GetClientArea(window->GetHandle());
    auto at = [&](int x, int y) { return shot.At(area.left + x, area.top + y); };
    EXPECT_EQ(at(5, 16), ToRgb(kRed));
    EXPECT_EQ(at(40 + 16, 28), ToRgb(CColor(0xFFFF, 0xFFFF, 0)));
    for (int y = 0; y < 40; y += 3)
        for (int x = 80; x < 120; x += 3)
            ASSERT_EQ(at(x, y), ToRgb(CColor::FromButtonFace()));
}

TEST_F(WindowTest, OffscreenDrawingGoesToTheBitmapUntilItEnds)
{
    CDocumentWindow* window = OpenDocument(60, 40);
    CBitmap32 bitmap(60, 40);
    window->BeginOffscreenDrawing(&bitmap);
    {
        CCanvas canvas(window);
        EXPECT_EQ(canvas.GetOffscreenCanvas(), &bitmap);
        canvas.FillRect(CRect(0, 0, 60, 40), kGreen); // through the window, into the bitmap
    }
    window->EndOffscreenDrawing();
    EXPECT_EQ(window->GetOffscreenCanvas(), nullptr);
    {
        CPixelLock lock(bitmap);
        EXPECT_EQ(lock.Row(5)[4 * 5 + 1], 0xCC); // green, stored blue, green, red
    }
    // The window's own drawing is back: a fill lands on its surface.
    CCanvas(window).FillRect(CRect(0, 0, 10, 10), kRed);
    const platform::PixelBuffer shot = platform::CaptureWindow(window->GetHandle());
    const platform::Rect area = platform::GetClientArea(window->GetHandle());
    EXPECT_EQ(shot.At(area.left + 2, area.top + 2), ToRgb(kRed));
    EXPECT_EQ(window->GetCurrentDrawingContext(), nullptr); // every context was given back
}

TEST_F(WindowTest, DrawingContextsNestAndAreGivenBackWhenTheLastUserEnds)
{
    CDocumentWindow* window = OpenDocument(60, 40);
    CGdiState* outer = window->AcquireCanvas();
    CGdiState* inner = window->AcquireCanvas();
    EXPECT_EQ(outer, inner); // one context, used twice
    window->EndDrawing();
    EXPECT_NE(window->GetCurrentDrawingContext(), nullptr);
    window->EndDrawing();
    EXPECT_EQ(window->GetCurrentDrawingContext(), nullptr);
}
