#include "dialogs/browser/ListView.h"

#include "dialogs/browser/BrowserPorts.h"
#include "dialogs/browser/LVItemView.h"
#include "dialogs/browser/ListItem.h"
#include "framework/input/MouseState.h"
#include "framework/windows/ABCWindow.h"

#include <utility>

using namespace NSHarrowen;

CListView::CListView(CGroupView* parent) : CScrollView(parent) { }

CListView::~CListView() = default;

void CListView::AddRowWithIconResource(std::unique_ptr<CListItem> record, uint32_t iconResource)
{
    record->view = new CLVItemView(*this, record->text, iconResource);
    items_.push_back(std::move(record));
}

void CListView::RemoveAllRows()
{
    ClearSelection();
    for (const auto& record : items_)
        delete record->view;
    items_.clear();
    contentHeight_ = 0;
}

void CListView::SortRowsByText()
{
    // std::list's sort is stable; std::string compares byte by byte.
    items_.sort(
        [](const std::unique_ptr<CListItem>& a, const std::unique_ptr<CListItem>& b) { return a->text < b->text; });
}

void CListView::SortRowsByText(bool (*first)(const CListItem&))
{
    SortRowsByText();
    items_.sort([first](const std::unique_ptr<CListItem>& a, const std::unique_ptr<CListItem>& b) {
        return first(*a) && !first(*b);
    });
}

void CListView::SelectRow(CLVItemView* row)
{
    selected_ = row;
    if (row)
        row->SetHighlighted(true);
}

void CListView::ClearSelection()
{
    if (selected_)
        selected_->SetHighlighted(false);
    selected_ = nullptr;
}

CListItem* CListView::FindRecord(const CLVItemView* row) const
{
    for (const auto& record : items_)
        if (record->view == row)
            return record.get();
    return nullptr;
}

void CListView::RowPressed(CLVItemView& row, bool doubleClick)
{
    ClearSelection();
    SelectRow(&row);
    if (doubleClick)
        if (CListItem* record = FindRecord(&row))
            OnRowActivated(*record);
    UpdateAllWindows();
}

void CListView::RowContextClicked(CLVItemView& row, CPoint where)
{
    ClearSelection();
    SelectRow(&row);
    if (CListItem* record = FindRecord(&row))
        OnRowContextClick(*record, where);
    UpdateAllWindows();
}

void CListView::ContextClick(CPoint where)
{
    if (!ContainsPoint(where))
        return;
    for (const auto& record : items_) {
        if (record->view->ContainsPoint(where)) {
            record->view->ContextClick(where);
            return;
        }
    }
    OnBackgroundContextClick(where);
    UpdateAllWindows();
}

void CListView::GetCursor()
{
    if (!browserports::HasCurrentSynth())
        return;
    if (browserports::CurrentSynthIsBusy())
        SetWaitCursor();
    else
        SetArrowCursor();
}

void CListView::LayoutChildren()
{
    CRect row = GetContentRect();
    row.bottom = static_cast<int16_t>(row.top + kRowHeight);
    for (const auto& record : items_) {
        record->view->SetFrame(row);
        row.Offset(0, kRowHeight);
    }
    contentHeight_ = kRowHeight * static_cast<int32_t>(items_.size());
    CScrollView::LayoutChildren();
}
