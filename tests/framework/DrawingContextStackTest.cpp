#include "tests/framework/WindowTestFixture.h"

#include "framework/drawing/Canvas.h"
#include "framework/drawing/DrawingContext.h"
#include "framework/images/Bitmap.h"
#include "framework/views/View.h"
#include "platform/base/DroppedExceptions.h"

#include <stdexcept>

using namespace NSHarrowen;

namespace {

// A view that starts drawing off-screen and fails before it ends, as a
// painter that throws half-way would.
class CFailingOffscreenView final : public CView {
public:
    CFailingOffscreenView(CGroupView* parent, const CRect& frame) : CView(parent, frame), bitmap_(16, 16) { }
    void Draw() override
    {
        GetWindow()->BeginOffscreenDrawing(&bitmap_);
        CCanvas canvas(GetWindow());
        ++draws;
        throw std::runtime_error("painter failed");
    }
    int draws = 0;

private:
    CBitmap32 bitmap_;
};

class DrawingContextStackTest : public testsupport::WindowTest { };

} // namespace

// Whatever a failing view left on the window's drawing-context stack goes
// when the paint ends; the window draws on afterwards.
TEST_F(DrawingContextStackTest, APaintLeavesNoContextBehindWhenAViewFails)
{
    CDocumentWindow* window = OpenDocument();
    auto* view = new CFailingOffscreenView(window->GetRootView(), CRect(10, 10, 50, 50));
    view->InvalidateFrame(false);
    Pump();
    ASSERT_GE(view->draws, 1);
    EXPECT_EQ(window->GetCurrentDrawingContext(), nullptr);
    const auto dropped = platform::TakeDroppedExceptions();
    ASSERT_FALSE(dropped.empty());
    EXPECT_EQ(dropped[0], "dropped in painting a window's views: std::runtime_error (painter failed)");

    // The window still paints: a second failure is handled the same way.
    view->InvalidateFrame(false);
    Pump();
    EXPECT_GE(view->draws, 2);
    EXPECT_EQ(window->GetCurrentDrawingContext(), nullptr);
    platform::TakeDroppedExceptions();
}
