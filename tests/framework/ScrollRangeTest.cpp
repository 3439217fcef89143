#include "framework/controls/ScrollRange.h"

#include <gtest/gtest.h>

#include <climits>

using namespace NSHarrowen;

namespace {

TEST(ScrollRangeTest, StepWithoutSetStepIsATenthOfTheSpan)
{
    CScrollRange r(0, 100);
    r.SetVisible(0, 25);
    EXPECT_EQ(r.GetStep(), 2);
    r.SetVisible(0, 9);
    EXPECT_EQ(r.GetStep(), 0);
    r.SetStep(7);
    EXPECT_EQ(r.GetStep(), 7);
    EXPECT_EQ(CScrollRange().GetStep(), 0);
}

TEST(ScrollRangeTest, ScrollToKeepsTheSpanInsideTheRange)
{
    CScrollRange r(0, 100);
    r.SetVisible(10, 30);
    r.ScrollTo(-5);
    EXPECT_EQ(r.GetFirst(), 0);
    EXPECT_EQ(r.GetLast(), 20);
    r.ScrollTo(95);
    EXPECT_EQ(r.GetFirst(), 80);
    EXPECT_EQ(r.GetLast(), 100);
    // A first already past maximum - page is not moved back.
    r.MoveTo(90);
    EXPECT_EQ(r.GetLast(), 110);
    r.ScrollTo(95);
    EXPECT_EQ(r.GetFirst(), 90);
    r.SetVisible(40, 60);
    r.PageForward();
    EXPECT_EQ(r.GetFirst(), 60);
    r.LineBack();
    EXPECT_EQ(r.GetFirst(), 58);
}

TEST(ScrollRangeTest, WholeIntegerRangeDoesNotOverflow)
{
    CScrollRange r(INT_MIN, INT_MAX);
    r.SetVisible(INT_MAX - 100, INT_MAX);
    r.PageForward();
    EXPECT_EQ(r.GetFirst(), INT_MAX - 100);
    r.SetVisible(INT_MIN, INT_MIN + 100);
    r.LineBack();
    EXPECT_EQ(r.GetFirst(), INT_MIN);
    EXPECT_EQ(r.GetLast(), INT_MIN + 100);
}

TEST(ScrollRangeTest, ScrollCodesKeepTheSpanAtTopAndBottom)
{
    CScrollRange r(0, 1000);
    r.SetVisible(300, 400);
    EXPECT_EQ(ApplyScrollCode(r, 6, 0)->GetFirst(), 0);
    EXPECT_EQ(ApplyScrollCode(r, 6, 0)->GetPage(), 100);
    EXPECT_EQ(ApplyScrollCode(r, 7, 0)->GetFirst(), 900);
    EXPECT_EQ(ApplyScrollCode(r, 7, 0)->GetLast(), 1000);
    EXPECT_EQ(ApplyScrollCode(r, 5, 512)->GetFirst(), 512);
    EXPECT_EQ(*ApplyScrollCode(r, 4, 512), r);
    EXPECT_FALSE(ApplyScrollCode(r, 8, 0).has_value());
}

TEST(ScrollRangeTest, NativeCodesBecomeRequests)
{
    EXPECT_EQ(*ScrollRequestFromCode(0, 0), (CScrollRequest{kScrollLineBack, 666}));
    EXPECT_EQ(*ScrollRequestFromCode(3, 0), (CScrollRequest{kScrollPageForward, 666}));
    EXPECT_EQ(*ScrollRequestFromCode(5, 432), (CScrollRequest{kScrollAbsolute, 432}));
    EXPECT_EQ(*ScrollRequestFromCode(6, 432), (CScrollRequest{kScrollAbsolute, 0}));
    EXPECT_EQ(*ScrollRequestFromCode(7, 0), (CScrollRequest{kScrollAbsolute, 999}));
    EXPECT_FALSE(ScrollRequestFromCode(8, 0));
}

TEST(ScrollRangeTest, KeysBecomeRequestsOnKeyDownAndRepeatOnly)
{
    CKeyEvent key;
    key.code = kKeyEnd;
    EXPECT_EQ(*ScrollRequestFromKey(key), (CScrollRequest{kScrollAbsolute, 999}));
    key.code = kKeyPageUp;
    key.kind = kEventKeyRepeat;
    EXPECT_EQ(*ScrollRequestFromKey(key), (CScrollRequest{kScrollPageBack, 666}));
    key.kind = kEventKeyUp;
    EXPECT_FALSE(ScrollRequestFromKey(key));
    key.kind = kEventKeyDown;
    key.code = kKeyUp;
    EXPECT_FALSE(ScrollRequestFromKey(key));
}

TEST(ScrollRangeTest, ComputeScrollTurnsRequestsIntoIndexes)
{
    struct Case {
        CScrollRequest request;
        int32_t current;
        int32_t count;
        bool moves;
        int32_t index;
        int16_t position;
    };
    const Case cases[] = {
        {{kScrollAbsolute, 999}, 0, 100, true, 99, 999},
        {{kScrollAbsolute, 0}, 50, 100, true, 0, 0},
        {{kScrollLineForward, 666}, 10, 100, true, 11, 111},
        {{kScrollPageBack, 666}, 5, 100, true, 0, 0},
        {{kScrollPageForward, 666}, 95, 100, true, 99, 999},
        {{kScrollLineBack, 666}, 0, 100, false, 0, 0},
        // One item or none never moves.
        {{kScrollAbsolute, 999}, 0, 1, false, 0, 0},
        {{kScrollLineForward, 666}, 0, 0, false, 0, 0},
        {{kScrollPageForward, 666}, 0, 1, false, 0, 0},
    };
    for (const Case& c : cases) {
        int32_t index = -7;
        int16_t position = -7;
        EXPECT_EQ(ComputeScroll(c.request, c.current, 1, 10, c.count, index, position), c.moves);
        if (c.moves) {
            EXPECT_EQ(index, c.index);
            EXPECT_EQ(position, c.position);
        } else {
            EXPECT_EQ(index, -7);
        }
    }
}

} // namespace
