#include "framework/lists/TerminalView.h"

#include "framework/windows/ABCWindow.h"
#include "framework/drawing/Canvas.h"
#include "framework/drawing/FontSpec.h"
#include "framework/base/IntFunctions.h"
#include "framework/controls/NativeControlView.h"
#include "framework/lists/TerminalLines.h"

namespace NSHarrowen {

namespace {
constexpr int32_t kTextInset = 6;
constexpr int32_t kFallbackFontHeight = 13;
} // namespace

CTerminalView::CTerminalView(CGroupView* parent, const CLineRing* ring) : CView(parent), ring_(ring) { }

int32_t CTerminalView::FontHeight() const
{
    CABCWindow* window = GetWindow();
    if (!window)
        return kFallbackFontHeight;
    CCanvas canvas(window);
    const int32_t height = canvas.GetFontHeight(GetStandardFont());
    return height > 0 ? height : kFallbackFontHeight;
}

int32_t CTerminalView::GetVisibleLineCount() const
{
    return TerminalVisibleLines(GetFrame().Height(), FontHeight());
}

int32_t CTerminalView::GetTopLine() const
{
    return TerminalTopLine(GetLineCount(), GetVisibleLineCount());
}

void CTerminalView::Draw()
{
    CABCWindow* window = GetWindow();
    if (!window)
        return;
    CCanvas canvas(window);
    const CRect f = GetFrame();
    canvas.FillRect(f, GetBackgroundColor());
    if (!ring_)
        return;
    const CFontSpec& font = GetStandardFont();
    const int32_t height = canvas.GetFontHeight(font);
    for (const CTerminalRow& row :
         TerminalRows(*ring_, drawnOffset_, GetVisibleLineCount(), f.top, f.bottom, height, canvas.GetFontAscent(font)))
        canvas.DrawString(f.left + kTextInset, row.baseline, row.text, font, kBlack);
}

void CTerminalView::UpdateDisplay()
{
    const int32_t count = ring_ ? ring_->GetCount() : 0;
    if (count == seenCount_ && offset_ == drawnOffset_)
        return;
    seenCount_ = count;
    drawnOffset_ = offset_;
    InvalidateFrame();
}

void CTerminalView::HandleBroadcast()
{
    if (ring_ && ring_->GetCount() != seenCount_)
        RunUpdatePasses();
}

void CTerminalView::FrameChanged(const CRect& oldFrame, const CRect& newFrame)
{
    CView::FrameChanged(oldFrame, newFrame);
    const int32_t top = GetTopLine();
    offset_ = MinInt(offset_, top);
    drawnOffset_ = MinInt(drawnOffset_, top);
}

} // namespace NSHarrowen
