#include "tests/framework/WindowTestFixture.h"

#include "framework/controls/UpDownButtonView.h"
#include "framework/controls/ScrollBarView.h"
#include "framework/drawing/Canvas.h"
#include "patch/area/ScrollViewContainer.h"
#include "patch/area/ScrollViewEx.h"
#include "platform/windows/WindowPaint.h"

#include <gtest/gtest.h>

#include <vector>

using namespace NSHarrowen;

namespace {

constexpr CColor kBlue(0, 0, 0xFFFF);

// A block of colour on the scrolled plane.
class CBlock : public CView {
public:
    CBlock(CGroupView* parent, const CRect& place, const CColor& color)
        : CView(parent, place), place_(place), color_(color)
    { }
    void Draw() override { CCanvas(GetWindow()).FillRect(GetFrame(), color_); }
    const CRect place_; // in content coordinates
    const CColor color_;
};

// Lays its blocks out at their place plus the content offset, as a voice
// area places its panels.
class CPlane : public CScrollViewEx {
public:
    using CScrollViewEx::CScrollViewEx;
    ~CPlane() override { DeleteChildren(); }
    CBlock* AddBlock(const CRect& place, const CColor& color)
    {
        auto* block = new CBlock(this, place, color);
        LayoutChildren();
        return block;
    }
    void LayoutChildren() override
    {
        const CPoint origin = GetContentOffset();
        for (int i = 0; i < CountChildren(); ++i) {
            auto* block = static_cast<CBlock*>(GetChild(i));
            CRect frame = block->place_;
            frame.Offset(origin.x, origin.y);
            block->SetFrame(frame);
        }
    }
    void WillScroll() override { ++scrolls; }
    int scrolls = 0;
};

class ScrollViewTest : public testsupport::WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        window = OpenDocument(300, 200);
    }

    CPlane* MakePlane(const CRect& frame)
    {
        auto* plane = new CPlane(window->GetRootView());
        plane->SetFrame(frame);
        return plane;
    }

    uint32_t PixelAt(int x, int y)
    {
        const platform::PixelBuffer shot = platform::CaptureWindow(window->GetHandle());
        const platform::Rect area = platform::GetClientArea(window->GetHandle());
        return shot.At(area.left + x, area.top + y);
    }

    void MouseTo(int x, int y)
    {
        desktop.Host().MoveMouse(ScreenPoint(window, x, y));
        Pump();
    }

    CDocumentWindow* window = nullptr;
};

} // namespace

TEST_F(ScrollViewTest, StepsStayInsideTheContentAndTakeOnlyTheLowByte)
{
    CPlane* plane = MakePlane(CRect(0, 0, 200, 150));
    plane->AddBlock(CRect(0, 0, 100, 50), kRed);
    plane->ScrollRight(40); // content narrower than the view
    EXPECT_EQ(plane->GetWantedX(), 0);

    plane->AddBlock(CRect(0, 0, 400, 300), kBlue);
    plane->ScrollRight(300); // 300 & 0xFF
    EXPECT_EQ(plane->GetWantedX(), 44);
    plane->ScrollRight(255);
    EXPECT_EQ(plane->GetWantedX(), 200); // 400 - 200
    plane->ScrollLeft(250);
    EXPECT_EQ(plane->GetWantedX(), 0);
    plane->ScrollDown(255);
    EXPECT_EQ(plane->GetWantedY(), 150);
    plane->ScrollUp(10);
    EXPECT_EQ(plane->GetWantedY(), 140);
    delete plane;
}

TEST_F(ScrollViewTest, ScrollingShowsTheMovedContent)
{
    CPlane* plane = MakePlane(CRect(10, 10, 210, 160));
    plane->AddBlock(CRect(0, 0, 100, 400), kRed);
    plane->AddBlock(CRect(100, 0, 400, 400), kBlue);
    window->InvalidateAll();
    Pump();
    EXPECT_EQ(PixelAt(10 + 60, 20), ToRgb(kRed));

    plane->ScrollRight(50); // asks every window to update
    Pump();
    EXPECT_EQ(plane->GetShownX(), 50);
    EXPECT_EQ(plane->scrolls, 1);
    EXPECT_EQ(plane->GetContentRect().left, 10 - 50);
    EXPECT_EQ(PixelAt(10 + 40, 20), ToRgb(kRed));
    EXPECT_EQ(PixelAt(10 + 60, 20), ToRgb(kBlue));
    // Nothing of the content is drawn outside the view.
    EXPECT_NE(PixelAt(5, 20), ToRgb(kRed));
    delete plane;
}

TEST_F(ScrollViewTest, AHeldDragScrollsAfter30MsInAnEdgeZoneAndFasterDeeper)
{
    CPlane* plane = MakePlane(CRect(0, 0, 200, 150));
    plane->AddBlock(CRect(0, 0, 600, 600), kBlue);
    plane->ScrollRight(200);
    plane->ScrollDown(200);
    Pump();
    plane->BeginAutoScroll(0, 0);

    MouseTo(5, 75); // 5 pixels in from the left edge: depth 10
    plane->HandleBroadcast();
    desktop.Host().Advance(30);
    plane->HandleBroadcast();
    EXPECT_EQ(plane->GetWantedX(), 200) << "not before 30 ms in the zone";
    desktop.Host().Advance(1);
    plane->HandleBroadcast();
    EXPECT_EQ(plane->GetWantedX(), 190);
    plane->HandleBroadcast(); // the same millisecond: once only
    EXPECT_EQ(plane->GetWantedX(), 190);
    desktop.Host().Advance(1);
    plane->HandleBroadcast();
    EXPECT_EQ(plane->GetWantedX(), 180);

    // Another zone starts the wait again: the top strip, 2 pixels in.
    MouseTo(100, 2);
    plane->HandleBroadcast();
    desktop.Host().Advance(10);
    plane->HandleBroadcast();
    EXPECT_EQ(plane->GetWantedY(), 200);
    desktop.Host().Advance(30);
    plane->HandleBroadcast();
    EXPECT_EQ(plane->GetWantedY(), 187);

    plane->EndAutoScroll();
    desktop.Host().Advance(100);
    plane->HandleBroadcast();
    EXPECT_EQ(plane->GetWantedY(), 187);
    delete plane;
}

TEST_F(ScrollViewTest, TheContainerShowsTheBarsTheContentNeeds)
{
    struct Case {
        CRect content;
        bool horizontal;
        bool vertical;
    };
    const Case cases[] = {
        {CRect(0, 0, 150, 100), false, false},
        {CRect(0, 0, 400, 100), true, false},
        {CRect(0, 0, 150, 300), false, true},
        // Fits across until the vertical bar takes its width.
        {CRect(0, 0, 190, 300), true, true},
    };
    for (const Case& c : cases) {
        auto* container = new CScrollViewContainer(window->GetRootView());
        container->SetFrame(CRect(0, 0, 200, 150));
        auto plane = std::make_unique<CPlane>();
        CPlane* hosted = plane.get();
        plane->AddBlock(c.content, kBlue);
        container->SetScrollView(std::move(plane));
        container->LayoutChildren();
        EXPECT_EQ(container->IsHorizontalBarShown(), c.horizontal) << c.content.right << "x" << c.content.bottom;
        EXPECT_EQ(container->IsVerticalBarShown(), c.vertical) << c.content.right << "x" << c.content.bottom;
        EXPECT_EQ(container->IsCornerBoxShown(), c.horizontal && c.vertical);
        EXPECT_EQ(hosted->GetFrame().Width(), 200 - (c.vertical ? 16 : 0));
        EXPECT_EQ(hosted->GetFrame().Height(), 150 - (c.horizontal ? 16 : 0));
        if (c.vertical) {
            container->UpdateState();
            const CScrollRange& range = container->GetVerticalBar()->GetRange();
            EXPECT_EQ(range.GetMaximum(), c.content.bottom);
            EXPECT_EQ(range.GetLast() - range.GetFirst(), hosted->GetFrame().Height());
        }
        std::unique_ptr<CScrollViewEx> back = container->TakeScrollView();
        EXPECT_EQ(back.get(), hosted);
        EXPECT_EQ(back->GetParent(), nullptr);
        delete container;
    }
}

TEST_F(ScrollViewTest, TheCornerBoxIsDrawnRaisedInTheFaceColour)
{
    auto* container = new CScrollViewContainer(window->GetRootView());
    container->SetFrame(CRect(0, 0, 200, 150));
    auto plane = std::make_unique<CPlane>();
    plane->AddBlock(CRect(0, 0, 500, 500), kBlue);
    container->SetScrollView(std::move(plane));
    window->InvalidateAll();
    Pump();
    ASSERT_TRUE(container->IsCornerBoxShown());
    EXPECT_EQ(PixelAt(200 - 8, 150 - 8), ToRgb(CColor::FromButtonFace()));
    EXPECT_NE(PixelAt(200 - 16, 150 - 16), ToRgb(CColor::FromButtonFace())); // the raised edge
    EXPECT_EQ(PixelAt(50, 50), ToRgb(kBlue));
    delete container;
}

TEST_F(ScrollViewTest, AClickOnAScrollBarScrollsTheHostedView)
{
    auto* container = new CScrollViewContainer(window->GetRootView());
    container->SetFrame(CRect(0, 0, 200, 150));
    auto plane = std::make_unique<CPlane>();
    CPlane* hosted = plane.get();
    plane->AddBlock(CRect(0, 0, 150, 300), kRed);
    plane->AddBlock(CRect(0, 300, 150, 600), kBlue);
    container->SetScrollView(std::move(plane));
    UpdateAllWindows(); // as after any change of the model
    window->InvalidateAll();
    Pump();
    ASSERT_TRUE(container->IsVerticalBarShown());
    ASSERT_FALSE(container->IsHorizontalBarShown());

    const CRect bar = container->GetVerticalBar()->GetFrame();
    Click(window, bar.left + 8, bar.bottom - 4); // the lower arrow: one line, a tenth of the view
    EXPECT_EQ(hosted->GetWantedY(), 15);
    EXPECT_EQ(hosted->GetShownY(), 15);
    Click(window, bar.left + 8, bar.bottom - 30); // the track below the thumb: one page
    EXPECT_EQ(hosted->GetShownY(), 165);
    EXPECT_EQ(PixelAt(50, 140), ToRgb(kBlue));
    EXPECT_EQ(PixelAt(50, 130), ToRgb(kRed));
    delete container;
}

TEST_F(ScrollViewTest, AGrowingViewPullsItsOffsetsBackUnlessLocked)
{
    CPlane* plane = MakePlane(CRect(0, 0, 200, 150));
    plane->AddBlock(CRect(0, 0, 600, 600), kBlue);
    plane->ScrollTo(300, 20);
    plane->SetFrame(CRect(0, 0, 260, 200)); // 60 wider, 50 taller
    EXPECT_EQ(plane->GetWantedX(), 240);
    EXPECT_EQ(plane->GetWantedY(), 0); // not below 0
    plane->SetOffsetLock(true);
    plane->SetFrame(CRect(0, 0, 300, 250));
    EXPECT_EQ(plane->GetWantedX(), 240);
    // Shrinking never moves them.
    plane->SetOffsetLock(false);
    plane->SetFrame(CRect(0, 0, 100, 100));
    EXPECT_EQ(plane->GetWantedX(), 240);
    delete plane;
}
