#include "framework/lists/ListBoxView.h"

#include "framework/windows/ABCWindow.h"
#include "framework/drawing/Canvas.h"
#include "framework/drawing/EdgeDrawing.h"
#include "framework/drawing/FontSpec.h"
#include "framework/base/IntFunctions.h"
#include "framework/controls/UpDownButtonView.h"
#include "framework/controls/ScrollBarView.h"
#include "platform/host/SystemMetrics.h"
#include "platform/windows/Window.h"

namespace NSHarrowen {

namespace {

constexpr int kBorder = 3;
constexpr int kCellInset = 3;
const CColor kGridLine(0xC000, 0xC000, 0xC000);

int32_t StandardFontHeight(CABCWindow* window)
{
    if (!window)
        return 13;
    CCanvas canvas(window);
    const int32_t h = canvas.GetFontHeight(GetStandardFont());
    return h > 0 ? h : 13;
}

} // namespace

CListBoxGridView::CListBoxGridView(CListBoxView* list)
    : CView(list), list_(list), cache_(list->GetData() ? list->GetData()->GetColumnCount() : 1, 0)
{ }

int32_t CListBoxGridView::RowHeight() const
{
    return StandardFontHeight(GetWindow()) + 3;
}

int32_t CListBoxGridView::VisibleRows() const
{
    return VisibleRowCount(GetFrame().Height(), RowHeight());
}

int32_t CListBoxGridView::RowAt(CPoint point) const
{
    if (!GetFrame().Contains(point) || !list_->GetData())
        return kNoRow;
    const int32_t row = firstRow_ + (point.y - GetFrame().top) / RowHeight();
    return row < list_->GetData()->GetRowCount() ? row : kNoRow;
}

CRect CListBoxGridView::RowRect(int32_t row) const
{
    const CRect f = GetFrame();
    const int32_t top = f.top + (row - firstRow_) * RowHeight();
    return CRect(f.left, top, f.right, top + RowHeight());
}

void CListBoxGridView::Draw()
{
    CABCWindow* window = GetWindow();
    CListBoxData* data = list_->GetData();
    if (!window || !data)
        return;
    CCanvas canvas(window);
    const CRect f = GetFrame();
    const CFontSpec& font = GetStandardFont();
    const std::vector<int16_t>& edges = list_->GetColumnEdges();
    const int32_t last = MinInt(data->GetRowCount(), firstRow_ + VisibleRows());
    int32_t y = f.top;
    for (int32_t row = firstRow_; row < last; ++row) {
        const CRect r = RowRect(row);
        const bool selected = data->IsRowSelected(row) && focused_;
        canvas.FillRect(r, selected ? CColor::FromHighlight() : kWhite);
        const CColor text = selected ? CColor::FromHighlightText() : CColor::FromWindowText();
        int32_t left = f.left;
        for (uint16_t c = 0; c < data->GetColumnCount() && c < edges.size() && left < f.right; ++c) {
            const CRect cell(left, r.top, MinInt(f.left + edges[c], f.right), r.bottom);
            canvas.FrameRect(cell, kGridLine);
            const std::string& s = data->GetCellText(c, row);
            if (!s.empty())
                canvas.DrawStringInRect(
                    CRect(cell.left + kCellInset - 2, cell.top, cell.right - kCellInset, cell.bottom), s.c_str(), font,
                    text);
            left = f.left + edges[c];
        }
        if (left < f.right)
            canvas.FillRect(CRect(left, r.top, f.right, r.bottom), kWhite);
        y = r.bottom;
    }
    if (y < f.bottom)
        canvas.FillRect(CRect(f.left, y, f.right, f.bottom), kWhite);
}

void CListBoxGridView::UpdateDisplay()
{
    CListBoxData* data = list_->GetData();
    if (!data)
        return;
    bool changed = redrawAll_ || focused_ != drawnFocused_ || firstRow_ != drawnFirstRow_;
    const int32_t visible = VisibleRows();
    if (!changed) {
        for (int32_t i = 0; i < visible; ++i) {
            const int32_t row = firstRow_ + i;
            const bool inContent = row < data->GetRowCount();
            const bool inCache = i < cache_.GetRowCount();
            if (inContent != inCache || (inContent && !data->RowEquals(row, cache_, i))) {
                InvalidateRect(RowRect(row));
            }
        }
    } else {
        InvalidateFrame();
    }
    cache_ = CListBoxData(data->GetColumnCount(), 0);
    for (int32_t i = 0; i < visible && firstRow_ + i < data->GetRowCount(); ++i) {
        cache_.AddRows(1);
        cache_.CopyRow(i, *data, firstRow_ + i);
    }
    drawnFocused_ = focused_;
    drawnFirstRow_ = firstRow_;
    redrawAll_ = false;
}

void CListBoxGridView::FrameChanged(const CRect& oldFrame, const CRect& newFrame)
{
    CView::FrameChanged(oldFrame, newFrame);
    const int32_t greatest = list_->GreatestFirstRow();
    firstRow_ = MinInt(firstRow_, greatest);
    drawnFirstRow_ = MinInt(drawnFirstRow_, greatest);
    redrawAll_ = true;
}

void CListBoxGridView::MouseDown(const CEvent& event)
{
    list_->MouseDown(event);
}

CListBoxTitleView::CListBoxTitleView(CListBoxView* list) : CView(list), list_(list) { }

void CListBoxTitleView::Draw()
{
    CABCWindow* window = GetWindow();
    CListBoxData* data = list_->GetData();
    if (!window || !data)
        return;
    CCanvas canvas(window);
    const CRect f = GetFrame();
    const CFontSpec& font = GetStandardFont();
    canvas.FillRect(f, CColor::FromButtonFace());
    canvas.DrawHorizontalLine(f.bottom - 1, f.left, f.right - 1, CColor::FromButtonShadow());
    int32_t left = f.left;
    const std::vector<int16_t>& edges = list_->GetColumnEdges();
    for (uint16_t c = 0; c < data->GetColumnCount() && c < edges.size(); ++c) {
        const CRect cell(left, f.top, MinInt(f.left + edges[c], f.right), f.bottom - 1);
        DrawRaisedFrame(canvas, cell);
        canvas.DrawStringInRect(CRect(cell.left + 2, cell.top, cell.right - 2, cell.bottom),
                                data->GetColumnTitle(c).c_str(), font,
                                shownEnabled_ ? CColor::FromButtonText() : CColor::FromButtonShadow());
        left = cell.right;
    }
}

void CListBoxTitleView::UpdateDisplay()
{
    const bool enabled = IsEnabledInHierarchy();
    if (enabled != shownEnabled_) {
        shownEnabled_ = enabled;
        InvalidateFrame();
    }
}

CListBoxView::CListBoxView(CGroupView* parent, const CDialogItem& item, CListBoxData* data)
    : CGroupView(parent, item.rect), data_(data)
{
    SetFocusable(true);
    SetFrameChangeRedraw(kRedrawCustom);
    grid_ = new CListBoxGridView(this);
    title_ = new CListBoxTitleView(this);
    bar_ = new CScrollBarView(this, 0);
    LayoutChildren();
}

CListBoxView::~CListBoxView()
{
    DeleteChildren();
}

int32_t CListBoxView::GreatestFirstRow() const
{
    return data_ ? NSHarrowen::GreatestFirstRow(data_->GetRowCount(), grid_->VisibleRows()) : 0;
}

void CListBoxView::LayoutChildren()
{
    CRect inner = GetFrame();
    inner.Deflate(kBorder);
    const int32_t titleHeight = StandardFontHeight(GetWindow()) + 6;
    const int32_t bar = platform::GetSystemMetric(platform::Metric::ScrollBarWidth);
    title_->SetFrame(CRect(inner.left, inner.top, inner.right, inner.top + titleHeight));
    grid_->SetFrame(CRect(inner.left, inner.top + titleHeight, inner.right - bar, inner.bottom));
    bar_->SetFrame(CRect(inner.right - bar, inner.top + titleHeight, inner.right, inner.bottom));
    if (edges_.empty() && data_)
        edges_ = EvenColumnEdges(grid_->GetFrame().Width(), data_->GetColumnCount());
}

void CListBoxView::SetColumnWidth(uint16_t column, int16_t width)
{
    NSHarrowen::SetColumnWidth(edges_, column, width);
    Invalidate();
}

void CListBoxView::Invalidate()
{
    grid_->InvalidateAll();
    title_->InvalidateFrame();
}

void CListBoxView::Publish(const CListBoxRequest& request)
{
    request_.Publish(request, RunUpdatePasses);
}

void CListBoxView::MouseDown(const CEvent& event)
{
    if (!IsEnabledInHierarchy() || !data_)
        return;
    Focus();
    const int32_t row = grid_->RowAt(event.GetPoint());
    if (row == kNoRow && data_->GetRowCount() == 0)
        return;
    Publish(ListRequestForClick(row, event.GetModifiers(), anchor_, data_->IsRowSelected(row)));
}

void CListBoxView::ForwardKey(const CKeyEvent& event)
{
    if (data_ && (event.kind == kEventKeyDown || event.kind == kEventKeyRepeat))
        if (const auto request = ListRequestForKey(event, current_, anchor_, data_->GetRowCount()))
            Publish(*request);
    bar_->HandleScrollCommand(event);
    CGroupView::ForwardKey(event);
}

void CListBoxView::ScrollToShow(int32_t row)
{
    const int32_t visible = grid_->VisibleRows();
    int32_t first = grid_->GetFirstRow();
    // A row that is only partly visible at the bottom counts as hidden.
    if (row < first)
        first = row;
    else if (row >= first + visible - 1)
        first = row - visible + 2;
    grid_->SetFirstRow(PinInt(first, 0, GreatestFirstRow()));
}

void CListBoxView::SelectRow(uint16_t row)
{
    if (!data_)
        return;
    data_->ClearSelection();
    if (row == 65535 || row >= data_->GetRowCount()) {
        anchor_ = current_ = kNoRow;
    } else {
        data_->SetRowSelected(row, true);
        ScrollToShow(row);
        anchor_ = current_ = row;
    }
    grid_->InvalidateAll();
}

bool CListBoxView::TakeSelection(uint16_t& row)
{
    CListBoxRequest request;
    if (!request_.Take(request))
        return false;
    row = request.kind == kListClear ? 65535 : request.row;
    return true;
}

void CListBoxView::ApplyRequest(const CListBoxRequest& request)
{
    if (!data_)
        return;
    if (request.kind == kListSelectOne || request.kind == kListClear) {
        SelectRow(request.kind == kListClear ? 65535 : request.row);
        return;
    }
    ApplyListRequest(*data_, request);
    current_ = request.row;
    if (request.kind != kListSelectRange || anchor_ == kNoRow)
        anchor_ = request.kind == kListSelectRange ? request.anchor : request.row;
    ScrollToShow(request.row);
}

void CListBoxView::UpdateState()
{
    CScrollRequest change;
    const int32_t greatest = GreatestFirstRow();
    if (bar_->TakeChange(change)) {
        int32_t first = 0;
        int16_t position = 0;
        if (ComputeScroll(change, grid_->GetFirstRow(), 1, grid_->VisibleRows(), greatest + 1, first, position))
            grid_->SetFirstRow(MinInt(first, greatest));
    }
    grid_->SetFirstRow(MinInt(grid_->GetFirstRow(), greatest));
    bar_->SetEnabled(greatest >= 1);
    bar_->SetValue(ListBarPosition(grid_->GetFirstRow(), greatest));
    CGroupView::UpdateState();
}

void CListBoxView::UpdateDisplay()
{
    const bool enabled = IsEnabledInHierarchy();
    if (enabled != shownEnabled_ || focused_ != shownFocused_) {
        shownEnabled_ = enabled;
        shownFocused_ = focused_;
        InvalidateFrame();
    }
    grid_->SetFocused(focused_);
    CGroupView::UpdateDisplay();
}

void CListBoxView::DrawBackground()
{
    CABCWindow* window = GetWindow();
    if (!window)
        return;
    CCanvas canvas(window);
    canvas.FillRect(GetFrame(), window->GetBackgroundColor());
    CRect edge = GetFrame();
    edge.Deflate(1);
    DrawSunkenEdge(canvas, edge);
}

void CListBoxView::FocusGained()
{
    focused_ = true;
    // Keys come to the list through its window, not a native control.
    if (CABCWindow* window = GetWindow())
        if (platform::GetFocus() != window->GetHandle() && platform::IsWindowVisible(window->GetHandle()))
            platform::SetFocus(window->GetHandle());
}

void CListBoxView::FocusLost()
{
    focused_ = false;
}

void CListBoxView::InvalidateOnResize(const CRect& oldFrame, const CRect& newFrame)
{
    for (const CRect& f : {oldFrame, newFrame}) {
        InvalidateRect(CRect(f.left, f.top, f.right, f.top + kBorder));
        InvalidateRect(CRect(f.left, f.bottom - kBorder, f.right, f.bottom));
        InvalidateRect(CRect(f.left, f.top, f.left + kBorder, f.bottom));
        InvalidateRect(CRect(f.right - kBorder, f.top, f.right, f.bottom));
    }
}

} // namespace NSHarrowen
