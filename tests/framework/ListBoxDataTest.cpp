#include "framework/lists/ListBoxData.h"

#include <gtest/gtest.h>

using namespace NSHarrowen;

namespace {

CListBoxData Numbered(int32_t rows)
{
    CListBoxData data(2, rows);
    for (int32_t r = 0; r < rows; ++r)
        data.SetCellText(0, r, std::to_string(r));
    return data;
}

TEST(ListBoxDataTest, RowsInsertAndRemoveWithTheirTextsAndMarks)
{
    CListBoxData data = Numbered(3);
    data.SetRowSelected(2, true);
    data.InsertRow(1);
    ASSERT_EQ(data.GetRowCount(), 4);
    EXPECT_EQ(data.GetCellText(0, 1), "");
    EXPECT_EQ(data.GetCellText(0, 2), "1");
    EXPECT_TRUE(data.IsRowSelected(3));
    data.RemoveRow(0);
    EXPECT_EQ(data.GetCellText(0, 1), "1");
    EXPECT_TRUE(data.IsRowSelected(2));
    data.AddRows(2);
    EXPECT_EQ(data.GetRowCount(), 5);
    // Outside the table: ignored and empty.
    data.SetCellText(5, 0, "x");
    data.SetCellText(0, 99, "x");
    EXPECT_EQ(data.GetCellText(0, 99), "");
    data.RemoveRow(99);
    EXPECT_EQ(data.GetRowCount(), 5);
    data.RemoveAllRows();
    EXPECT_EQ(data.GetRowCount(), 0);
    data.SetColumnTitle(1, "Name");
    EXPECT_EQ(data.GetColumnTitle(1), "Name");
    EXPECT_EQ(data.GetColumnTitle(0), "");
}

CModifierKeys Mods(bool shift, bool control)
{
    CModifierKeys m;
    m.flags[1] = shift ? 1 : 0;
    m.flags[8] = control ? 1 : 0; // the second control flag counts too
    return m;
}

TEST(ListBoxDataTest, ClicksMakeRequestsByModifier)
{
    EXPECT_EQ(ListRequestForClick(4, Mods(false, false), 1, false), (CListBoxRequest{kListSelectOne, 4, 65535}));
    EXPECT_EQ(ListRequestForClick(4, Mods(true, false), 1, false), (CListBoxRequest{kListSelectRange, 4, 1}));
    EXPECT_EQ(ListRequestForClick(4, Mods(true, false), kNoRow, false), (CListBoxRequest{kListSelectOne, 4, 65535}));
    EXPECT_EQ(ListRequestForClick(4, Mods(false, true), 1, false), (CListBoxRequest{kListAddRow, 4, 65535}));
    EXPECT_EQ(ListRequestForClick(4, Mods(false, true), 1, true), (CListBoxRequest{kListRemoveRow, 4, 65535}));
    EXPECT_EQ(ListRequestForClick(kNoRow, Mods(false, false), 1, false).kind, kListClear);
}

TEST(ListBoxDataTest, ArrowKeysMoveAndExtendTheSelection)
{
    CKeyEvent down;
    down.code = kKeyDown;
    CKeyEvent up;
    up.code = kKeyUp;
    CKeyEvent shiftDown = down;
    shiftDown.modifiers.flags[1] = 1;
    CKeyEvent shiftUp = up;
    shiftUp.modifiers.flags[1] = 1;

    EXPECT_EQ(*ListRequestForKey(down, kNoRow, kNoRow, 10), (CListBoxRequest{kListSelectOne, 0, 65535}));
    EXPECT_EQ(*ListRequestForKey(down, 9, 9, 10), (CListBoxRequest{kListSelectOne, 9, 65535}));
    EXPECT_EQ(*ListRequestForKey(up, 0, 0, 10), (CListBoxRequest{kListSelectOne, 0, 65535}));
    EXPECT_EQ(*ListRequestForKey(up, 5, 5, 10), (CListBoxRequest{kListSelectOne, 4, 65535}));
    // Shift+Down without an anchor requests rows 0 to 1.
    EXPECT_EQ(*ListRequestForKey(shiftDown, kNoRow, kNoRow, 10), (CListBoxRequest{kListSelectRange, 1, 0}));
    EXPECT_EQ(*ListRequestForKey(shiftDown, 3, 2, 10), (CListBoxRequest{kListSelectRange, 4, 2}));
    EXPECT_EQ(*ListRequestForKey(shiftUp, 3, 2, 10), (CListBoxRequest{kListSelectRange, 2, 2}));
    EXPECT_FALSE(ListRequestForKey(shiftUp, kNoRow, kNoRow, 10));
    EXPECT_FALSE(ListRequestForKey(down, kNoRow, kNoRow, 0)); // an empty list
    CKeyEvent other;
    other.code = kKeyLeft;
    EXPECT_FALSE(ListRequestForKey(other, 1, 1, 10));
}

TEST(ListBoxDataTest, RequestsChangeTheMarks)
{
    CListBoxData data = Numbered(6);
    ApplyListRequest(data, {kListSelectRange, 1, 4});
    for (int r = 0; r < 6; ++r)
        EXPECT_EQ(data.IsRowSelected(r), r >= 1 && r <= 4) << r;
    ApplyListRequest(data, {kListRemoveRow, 2, 65535});
    ApplyListRequest(data, {kListAddRow, 5, 65535});
    EXPECT_FALSE(data.IsRowSelected(2));
    EXPECT_TRUE(data.IsRowSelected(5));
    ApplyListRequest(data, {kListSelectOne, 0, 65535});
    EXPECT_TRUE(data.IsRowSelected(0));
    EXPECT_FALSE(data.IsRowSelected(5));
    ApplyListRequest(data, {kListClear, 65535, 65535});
    EXPECT_FALSE(data.IsRowSelected(0));
}

TEST(ListBoxDataTest, ScrollGeometry)
{
    // 10 rows with 4 visible: greatest first row 7, at the bar's end.
    EXPECT_EQ(VisibleRowCount(64, 16), 4);
    EXPECT_EQ(VisibleRowCount(60, 16), 4);
    EXPECT_EQ(GreatestFirstRow(10, 4), 7);
    EXPECT_EQ(ListBarPosition(7, 7), 999);
    EXPECT_EQ(ListBarPosition(0, 0), 0);
    EXPECT_EQ(GreatestFirstRow(2, 4), 0);
}

TEST(ListBoxDataTest, ColumnEdgesShareTheWidthAndMoveTogether)
{
    auto edges = EvenColumnEdges(100, 3);
    EXPECT_EQ(edges, (std::vector<int16_t>{34, 68, 102}));
    SetColumnWidth(edges, 1, 10);
    EXPECT_EQ(edges, (std::vector<int16_t>{34, 44, 78}));
    SetColumnWidth(edges, 7, 10);
    EXPECT_EQ(edges.size(), 3u);
}

} // namespace
