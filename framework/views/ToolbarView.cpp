#include "framework/views/ToolbarView.h"

#include "framework/windows/ABCWindow.h"
#include "framework/drawing/Canvas.h"
#include "framework/controls/ControlLogic.h"
#include "framework/drawing/EdgeDrawing.h"

namespace NSHarrowen {

CToolbarView::CToolbarView(CGroupView* parent) : CSolidColorGroupView(parent, CRect(0, 0, 400, 28)) { }

void CToolbarView::LayoutChildren()
{
    const CRect bar = GetFrame();
    int32_t x = bar.left + leftMargin_;
    for (int i = 0; i < CountChildren(); ++i) {
        CView* child = GetChild(i);
        const CRect f = child->GetFrame();
        const int32_t top = bar.top + (bar.Height() - f.Height()) / 2;
        child->SetFrame(CRect(x, top, x + f.Width(), top + f.Height()));
        x += f.Width();
    }
}

CToolbarSeparatorView::CToolbarSeparatorView(CGroupView* parent) : CView(parent, CRect(0, 0, 8, 28))
{
    SetOpaqueMode(kOpaqueNothing);
}

void CToolbarSeparatorView::Draw()
{
    CABCWindow* window = GetWindow();
    if (!window)
        return;
    CCanvas canvas(window);
    const CRect f = GetFrame();
    DrawEtchedVerticalLine(canvas, static_cast<int16_t>(f.left + 4), static_cast<int16_t>(f.top + 3),
                           static_cast<int16_t>(f.top + 3 + 22));
}

} // namespace NSHarrowen
