#include "framework/lists/ListBoxData.h"

#include "framework/base/IntFunctions.h"

#include <algorithm>

namespace NSHarrowen {

namespace {
const std::string kEmpty;
}

CListBoxData::CListBoxData(uint16_t columns, int32_t rows) : columns_(columns), titles_(columns)
{
    AddRows(rows);
}

bool CListBoxData::IsCell(uint16_t column, int32_t row) const
{
    return column < columns_ && row >= 0 && row < GetRowCount();
}

void CListBoxData::SetCellText(uint16_t column, int32_t row, const std::string& text)
{
    if (IsCell(column, row))
        cells_[static_cast<size_t>(row) * columns_ + column] = text;
}

const std::string& CListBoxData::GetCellText(uint16_t column, int32_t row) const
{
    return IsCell(column, row) ? cells_[static_cast<size_t>(row) * columns_ + column] : kEmpty;
}

void CListBoxData::SetColumnTitle(uint16_t column, const std::string& text)
{
    if (column < columns_)
        titles_[column] = text;
}

const std::string& CListBoxData::GetColumnTitle(uint16_t column) const
{
    return column < columns_ ? titles_[column] : kEmpty;
}

void CListBoxData::AddRows(int32_t n)
{
    if (n <= 0)
        return;
    marks_.resize(marks_.size() + static_cast<size_t>(n), 0);
    cells_.resize(marks_.size() * columns_);
}

void CListBoxData::InsertRow(int32_t index)
{
    const int32_t at = PinInt(index, 0, GetRowCount());
    marks_.insert(marks_.begin() + at, 0);
    cells_.insert(cells_.begin() + static_cast<ptrdiff_t>(at) * columns_, columns_, std::string());
}

void CListBoxData::RemoveRow(int32_t index)
{
    if (index < 0 || index >= GetRowCount())
        return;
    marks_.erase(marks_.begin() + index);
    const auto first = cells_.begin() + static_cast<ptrdiff_t>(index) * columns_;
    cells_.erase(first, first + columns_);
}

void CListBoxData::RemoveAllRows()
{
    marks_.clear();
    cells_.clear();
}

void CListBoxData::SetRowSelected(int32_t row, bool selected)
{
    if (row >= 0 && row < GetRowCount())
        marks_[static_cast<size_t>(row)] = selected ? 1 : 0;
}

bool CListBoxData::IsRowSelected(int32_t row) const
{
    return row >= 0 && row < GetRowCount() && marks_[static_cast<size_t>(row)] != 0;
}

void CListBoxData::ClearSelection()
{
    std::fill(marks_.begin(), marks_.end(), 0);
}

bool CListBoxData::RowEquals(int32_t row, const CListBoxData& other, int32_t otherRow) const
{
    if (IsRowSelected(row) != other.IsRowSelected(otherRow))
        return false;
    for (uint16_t c = 0; c < columns_; ++c)
        if (GetCellText(c, row) != other.GetCellText(c, otherRow))
            return false;
    return true;
}

void CListBoxData::CopyRow(int32_t row, const CListBoxData& other, int32_t otherRow)
{
    SetRowSelected(row, other.IsRowSelected(otherRow));
    for (uint16_t c = 0; c < columns_; ++c)
        SetCellText(c, row, other.GetCellText(c, otherRow));
}

CListBoxRequest ListRequestForClick(int32_t row, const CModifierKeys& modifiers, int32_t anchor, bool rowSelected)
{
    if (row < 0)
        return {kListClear, 65535, 65535};
    const auto r = static_cast<uint16_t>(row);
    if (modifiers.IsShiftOrExtendDown())
        return anchor < 0 ? CListBoxRequest{kListSelectOne, r, 65535}
                          : CListBoxRequest{kListSelectRange, r, static_cast<uint16_t>(anchor)};
    if (modifiers.IsControlOrCommandDown())
        return {rowSelected ? kListRemoveRow : kListAddRow, r, 65535};
    return {kListSelectOne, r, 65535};
}

std::optional<CListBoxRequest> ListRequestForKey(const CKeyEvent& event, int32_t current, int32_t anchor,
                                                 int32_t rowCount)
{
    if (rowCount < 1 || (event.kind != kEventKeyDown && event.kind != kEventKeyRepeat))
        return std::nullopt;
    const bool shift = event.modifiers.IsShiftOrExtendDown();
    if (event.code == kKeyUp) {
        const auto row = static_cast<uint16_t>(current < 0 ? 0 : MaxInt(current - 1, 0));
        if (shift)
            return anchor < 0 ? std::nullopt
                              : std::optional(CListBoxRequest{kListSelectRange, row, static_cast<uint16_t>(anchor)});
        return CListBoxRequest{kListSelectOne, row, 65535};
    }
    if (event.code == kKeyDown) {
        const auto row = static_cast<uint16_t>(current < 0 ? 0 : MinInt(current + 1, rowCount - 1));
        if (shift) {
            const auto from = static_cast<uint16_t>(anchor < 0 ? 0 : anchor);
            // Without a current row Shift+Down reaches the second row.
            const auto to = static_cast<uint16_t>(current < 0 ? MinInt(1, rowCount - 1) : row);
            return CListBoxRequest{kListSelectRange, to, from};
        }
        return CListBoxRequest{kListSelectOne, row, 65535};
    }
    return std::nullopt;
}

void ApplyListRequest(CListBoxData& data, const CListBoxRequest& request)
{
    switch (request.kind) {
    case kListClear:
        data.ClearSelection();
        break;
    case kListSelectOne:
        data.ClearSelection();
        data.SetRowSelected(request.row, true);
        break;
    case kListAddRow:
        data.SetRowSelected(request.row, true);
        break;
    case kListRemoveRow:
        data.SetRowSelected(request.row, false);
        break;
    case kListSelectRange: {
        data.ClearSelection();
        const int32_t from = MinInt(request.anchor, request.row);
        const int32_t to = MaxInt(request.anchor, request.row);
        for (int32_t r = from; r <= to; ++r)
            data.SetRowSelected(r, true);
        break;
    }
    default:
        break;
    }
}

int32_t VisibleRowCount(int32_t height, int32_t rowHeight)
{
    return rowHeight <= 0 || height <= 0 ? 0 : DivRoundUp(height, rowHeight);
}

int32_t GreatestFirstRow(int32_t rows, int32_t visibleRows)
{
    return MaxInt(rows - visibleRows + 1, 0);
}

int16_t ListBarPosition(int32_t firstRow, int32_t greatestFirstRow)
{
    if (greatestFirstRow < 1)
        return 0;
    return static_cast<int16_t>(999LL * PinInt(firstRow, 0, greatestFirstRow) / greatestFirstRow);
}

std::vector<int16_t> EvenColumnEdges(int32_t width, uint16_t columns)
{
    std::vector<int16_t> edges;
    if (columns == 0)
        return edges;
    const int32_t each = DivRoundUp(width, columns);
    for (uint16_t c = 1; c <= columns; ++c)
        edges.push_back(static_cast<int16_t>(each * c));
    return edges;
}

void SetColumnWidth(std::vector<int16_t>& edges, uint16_t column, int16_t width)
{
    if (column >= edges.size())
        return;
    const int32_t left = column == 0 ? 0 : edges[column - 1];
    const int32_t delta = left + width - edges[column];
    for (size_t c = column; c < edges.size(); ++c)
        edges[c] = static_cast<int16_t>(edges[c] + delta);
}

} // namespace NSHarrowen
