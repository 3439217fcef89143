#include "framework/views/StaticTextView.h"

#include "framework/windows/ABCWindow.h"
#include "framework/drawing/Canvas.h"
#include "framework/controls/ControlLogic.h"
#include "framework/drawing/EdgeDrawing.h"

namespace NSHarrowen {

CStaticTextView::CStaticTextView(CGroupView* parent, const std::string& text)
    : CView(parent, CRect(0, 0, 100, 16)), font_(GetStandardFont()), pending_(BoundedText(text, kTextCapacity))
{
    SetOpaqueMode(kOpaqueNothing); // the text lies on its parent's background
}

CStaticTextView::CStaticTextView(CGroupView* parent, const CDialogItem& item)
    : CView(parent, item.rect), font_(GetStandardFont()), pending_(BoundedText(item.text, kTextCapacity))
{
    SetOpaqueMode(kOpaqueNothing);
}

void CStaticTextView::SetFont(const CFontSpec& font)
{
    font_ = font;
    InvalidateFrame(true);
}

void CStaticTextView::SetText(const std::string& text)
{
    pending_ = BoundedText(text, kTextCapacity);
}

void CStaticTextView::Draw()
{
    CABCWindow* window = GetWindow();
    if (!window)
        return;
    CCanvas canvas(window);
    canvas.DrawTextInRect(GetFrame(), shown_.c_str(), font_, shownEnabled_ ? kBlack : CColor::FromButtonShadow());
}

void CStaticTextView::UpdateDisplay()
{
    const bool enabled = IsEnabledInHierarchy();
    if (pending_ == shown_ && enabled == shownEnabled_)
        return;
    shown_ = pending_;
    shownEnabled_ = enabled;
    InvalidateFrame();
}

} // namespace NSHarrowen
