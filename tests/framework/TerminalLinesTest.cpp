#include "framework/lists/TerminalLines.h"

#include <gtest/gtest.h>

#include <string>

using namespace NSHarrowen;

namespace {

TEST(TerminalLinesTest, PartlyVisibleLineCounts)
{
    EXPECT_EQ(TerminalVisibleLines(40, 13), 4);
    EXPECT_EQ(TerminalVisibleLines(39, 13), 3);
    EXPECT_EQ(TerminalVisibleLines(0, 13), 0);
    EXPECT_EQ(TerminalTopLine(10, 4), 6);
    EXPECT_EQ(TerminalTopLine(2, 4), 0);
}

TEST(TerminalLinesTest, OffsetChoosesBetweenNewestAndOldestLines)
{
    CLineRing ring(20, 40);
    for (int i = 0; i < 10; ++i)
        ring.AddLine(("line " + std::to_string(i)).c_str());
    // At the top line the newest line is at the bottom.
    auto rows = TerminalRows(ring, 6, 4, 48, 100, 13, 10);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_STREQ(rows[0].text, "line 9");
    EXPECT_EQ(rows[0].baseline, 100 - 13 + 10);
    EXPECT_STREQ(rows[3].text, "line 6");
    EXPECT_EQ(rows[3].baseline, 100 - 4 * 13 + 10);
    // Offset 0 shows the oldest lines.
    rows = TerminalRows(ring, 0, 4, 48, 100, 13, 10);
    EXPECT_STREQ(rows[3].text, "line 0");
    EXPECT_STREQ(rows[0].text, "line 3");
    // An offset beyond the top line is held at it.
    EXPECT_STREQ(TerminalRows(ring, 50, 4, 48, 100, 13, 10)[0].text, "line 9");
}

TEST(TerminalLinesTest, FewLinesStartAtTheTopAndAnEmptyRingDrawsNothing)
{
    CLineRing ring(5, 10);
    EXPECT_TRUE(TerminalRows(ring, 0, 4, 48, 100, 13, 10).empty());
    ring.AddLine("a");
    ring.AddLine("b");
    const auto rows = TerminalRows(ring, 0, 4, 48, 100, 13, 10);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_STREQ(rows[0].text, "b");
    EXPECT_EQ(rows[0].baseline, 48 + 13 + 10);
    EXPECT_STREQ(rows[1].text, "a");
    EXPECT_EQ(rows[1].baseline, 48 + 10);
}

} // namespace
