#pragma once

#include "framework/input/Keyboard.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace NSHarrowen {

// The content of a list box: rows of one text per column, a selected mark
// per row, and a title per column. Owned by the list's owner.
class CListBoxData {
public:
    CListBoxData(uint16_t columns, int32_t rows);

    uint16_t GetColumnCount() const { return columns_; }
    int32_t GetRowCount() const { return static_cast<int32_t>(marks_.size()); }

    // Cells outside the table are ignored (setting) or empty (reading).
    void SetCellText(uint16_t column, int32_t row, const std::string& text);
    const std::string& GetCellText(uint16_t column, int32_t row) const;
    void SetColumnTitle(uint16_t column, const std::string& text);
    const std::string& GetColumnTitle(uint16_t column) const;

    void AddRows(int32_t n);
    // A row of empty texts before index (at the end when beyond it).
    void InsertRow(int32_t index);
    void RemoveRow(int32_t index);
    void RemoveAllRows();

    void SetRowSelected(int32_t row, bool selected);
    bool IsRowSelected(int32_t row) const;
    void ClearSelection();

    // Whether a row has the same mark and texts as a row of another table.
    bool RowEquals(int32_t row, const CListBoxData& other, int32_t otherRow) const;
    // Copies a row's mark and texts from another table with as many columns.
    void CopyRow(int32_t row, const CListBoxData& other, int32_t otherRow);

private:
    bool IsCell(uint16_t column, int32_t row) const;

    uint16_t columns_;
    std::vector<uint8_t> marks_;
    std::vector<std::string> cells_; // row by row
    std::vector<std::string> titles_;
};

enum EListRequestKind : int32_t {
    kListClear = 0,
    kListSelectOne = 1,
    kListAddRow = 2,
    kListRemoveRow = 3,
    kListSelectRange = 4, // from the anchor to the row
};

inline constexpr int16_t kNoRow = -1;

struct CListBoxRequest {
    int32_t kind = kListClear;
    uint16_t row = 65535;
    uint16_t anchor = 65535;

    bool operator==(const CListBoxRequest&) const = default;
};

// A click on row (kNoRow outside the rows): Shift selects from the anchor
// (one row without an anchor), Control adds or removes the row.
CListBoxRequest ListRequestForClick(int32_t row, const CModifierKeys& modifiers, int32_t anchor, bool rowSelected);

// Up and Down (key down or repeat) with or without Shift; none for other
// keys and for an empty list.
std::optional<CListBoxRequest> ListRequestForKey(const CKeyEvent& event, int32_t current, int32_t anchor,
                                                 int32_t rowCount);

// Applies a request to the marks.
void ApplyListRequest(CListBoxData& data, const CListBoxRequest& request);

// Rows that fit in a height (a partly visible row counts), the greatest
// first visible row, and the 0..999 bar position of a first row.
int32_t VisibleRowCount(int32_t height, int32_t rowHeight);
int32_t GreatestFirstRow(int32_t rows, int32_t visibleRows);
int16_t ListBarPosition(int32_t firstRow, int32_t greatestFirstRow);

// Column right edges: width divided evenly (rounded up) among columns.
std::vector<int16_t> EvenColumnEdges(int32_t width, uint16_t columns);
// Changes one column's width, moving its edge and every later one.
void SetColumnWidth(std::vector<int16_t>& edges, uint16_t column, int16_t width);

} // namespace NSHarrowen
