#include "framework/StaticViews.h"

#include "framework/ABCWindow.h"
#include "framework/AlertScript.h"
#include "framework/Canvas.h"
#include "framework/ControlLogic.h"
#include "framework/EdgeDrawing.h"

namespace NSHarrowen {

CStaticTextView::CStaticTextView(CGroupView* parent, const std::string& text)
    : CView(parent, CRect(0, 0, 100, 16)), font_(GetStandardFont()), pending_(BoundedText(text, kTextCapacity))
{
}

CStaticTextView::CStaticTextView(CGroupView* parent, const CDialogItem& item)
    : CView(parent, item.rect), font_(GetStandardFont()), pending_(BoundedText(item.text, kTextCapacity))
{
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

CStaticBitmapView::CStaticBitmapView(CGroupView* parent, uint32_t resource, uint32_t second, uint32_t third)
    : CView(parent), image_(resource, second, third)
{
}

void CStaticBitmapView::Draw()
{
    CABCWindow* window = GetWindow();
    if (!window)
        return;
    CCanvas canvas(window);
    canvas.DrawImage(GetFrame().left, GetFrame().top, image_);
}

void CStaticBitmapView::UpdateDisplay()
{
    const bool enabled = IsEnabledInHierarchy();
    if (enabled != shownEnabled_) {
        shownEnabled_ = enabled;
        InvalidateFrame();
    }
}

CIconView::CIconView(CGroupView* parent, const CRect& frame, int32_t kind) : CView(parent, frame), kind_(kind)
{
    SetOpaqueMode(kOpaqueNothing);
}

namespace {

// A filled disc of 32 pixels at (x, y).
void Disc(CABCCanvas& canvas, int x, int y, const CColor& fill, const CColor& rim)
{
    constexpr int kRadius = 15;
    for (int row = 0; row < 2 * kRadius + 1; ++row) {
        const int dy = row - kRadius;
        int half = 0;
        while ((half + 1) * (half + 1) + dy * dy <= kRadius * kRadius)
            ++half;
        canvas.DrawHorizontalLine(y + row, x + kRadius - half, x + kRadius + half, fill);
        canvas.DrawVerticalLine(x + kRadius - half, y + row, y + row, rim);
        canvas.DrawVerticalLine(x + kRadius + half, y + row, y + row, rim);
    }
}

void StopIcon(CABCCanvas& canvas, int x, int y)
{
    Disc(canvas, x, y, kRed, CColor(0x8000, 0, 0));
    for (int i = -6; i <= 6; ++i) {
        canvas.DrawHorizontalLine(y + 15 + i, x + 15 + i - 1, x + 15 + i + 1, kWhite);
        canvas.DrawHorizontalLine(y + 15 + i, x + 15 - i - 1, x + 15 - i + 1, kWhite);
    }
}

void NoteIcon(CABCCanvas& canvas, int x, int y)
{
    Disc(canvas, x, y, kWhite, CColor(0, 0, 0x8000));
    const CColor blue(0, 0, 0xFFFF);
    canvas.FillRect(CRect(x + 13, y + 6, x + 18, y + 10), blue);
    canvas.FillRect(CRect(x + 13, y + 12, x + 18, y + 25), blue);
}

void WarnIcon(CABCCanvas& canvas, int x, int y)
{
    const CColor yellow(0xFFFF, 0xFFFF, 0);
    for (int row = 0; row < 28; ++row) {
        const int half = row / 2;
        canvas.DrawHorizontalLine(y + 2 + row, x + 15 - half, x + 15 + half, yellow);
        canvas.DrawVerticalLine(x + 15 - half, y + 2 + row, y + 2 + row, kBlack);
        canvas.DrawVerticalLine(x + 15 + half, y + 2 + row, y + 2 + row, kBlack);
    }
    canvas.DrawHorizontalLine(y + 29, x + 1, x + 29, kBlack);
    canvas.FillRect(CRect(x + 14, y + 10, x + 17, y + 22), kBlack);
    canvas.FillRect(CRect(x + 14, y + 24, x + 17, y + 27), kBlack);
}

} // namespace

void CIconView::Draw()
{
    CABCWindow* window = GetWindow();
    if (!window || kind_ == kAlertIconNone)
        return;
    CCanvas canvas(window);
    const int x = GetFrame().left;
    const int y = GetFrame().top;
    switch (kind_) {
    case kAlertIconStop: StopIcon(canvas, x, y); break;
    case kAlertIconNote: NoteIcon(canvas, x, y); break;
    case kAlertIconWarn: WarnIcon(canvas, x, y); break;
    default: break;
    }
}

CToolbarView::CToolbarView(CGroupView* parent) : CSolidColorGroupView(parent, CRect(0, 0, 400, 28)) {}

void CToolbarView::LayoutChildren()
{
    const CRect bar = GetFrame();
    int32_t x = bar.left + 6;
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

CPagedGroupView::CPagedGroupView(CGroupView* parent) : CGroupView(parent) {}

void CPagedGroupView::ShowPage(CView* page)
{
    page_ = page;
    LayoutChildren();
    InvalidateFrame();
}

void CPagedGroupView::ShowPageAt(int index)
{
    if (index >= 0 && index < CountChildren())
        ShowPage(GetChild(index));
}

void CPagedGroupView::Draw()
{
    if (page_)
        page_->Draw();
}

void CPagedGroupView::UpdateDisplay()
{
    if (page_)
        page_->UpdateDisplay();
}

void CPagedGroupView::HandleBroadcast()
{
    if (page_)
        page_->HandleBroadcast();
}

void CPagedGroupView::ReceiveNotifications()
{
    if (page_)
        page_->ReceiveNotifications();
}

void CPagedGroupView::UpdateState()
{
    if (page_)
        page_->UpdateState();
}

void CPagedGroupView::MouseDown(const CEvent& event)
{
    if (page_ && GetFrame().Contains(event.GetPoint()) && page_->GetFrame().Contains(event.GetPoint())
        && page_->IsEnabled())
        page_->MouseDown(event);
}

void CPagedGroupView::LayoutChildren()
{
    for (int i = 0; i < CountChildren(); ++i) {
        CView* child = GetChild(i);
        if (child == page_) {
            child->SetFrame(GetFrame());
        } else {
            const CRect f = child->GetFrame();
            child->SetFrame(CRect(kHiddenPosition, kHiddenPosition, kHiddenPosition + f.Width(),
                                  kHiddenPosition + f.Height()));
        }
    }
}

void CPagedGroupView::RemoveChild(CView* view)
{
    if (view == page_)
        page_ = nullptr;
    CGroupView::RemoveChild(view);
}

} // namespace NSHarrowen
