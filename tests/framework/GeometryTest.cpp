#include "framework/drawing/Color.h"
#include "framework/drawing/FontSpec.h"
#include "framework/base/IntFunctions.h"
#include "framework/base/Rect.h"

#include <gtest/gtest.h>

using namespace NSHarrowen;

TEST(Rect, EmptinessAndContainment)
{
    EXPECT_TRUE(CRect(10, 10, 10, 20).IsEmpty());
    const CRect one(10, 10, 11, 11);
    EXPECT_FALSE(one.IsEmpty());
    EXPECT_TRUE(one.Contains(10, 10));
    EXPECT_FALSE(one.Contains(11, 10));
    EXPECT_FALSE(one.Contains(10, 11));
}

TEST(Rect, IntersectKeepsTouchingValuesButClearsDisjoint)
{
    CRect a(0, 0, 10, 10);
    EXPECT_FALSE(a.Intersect(CRect(10, 0, 20, 10)));
    EXPECT_EQ(a, CRect(10, 0, 10, 10));

    CRect b(0, 0, 10, 10);
    EXPECT_FALSE(b.Intersect(CRect(20, 0, 30, 10)));
    EXPECT_EQ(b, CRect(0, 0, 0, 0));

    EXPECT_FALSE(CRect(0, 0, 10, 10).Intersects(CRect(10, 0, 20, 10)));
    EXPECT_TRUE(CRect(0, 0, 10, 10).Intersects(CRect(9, 9, 20, 10)));
}

TEST(Rect, CenterTruncatesTowardZero)
{
    CRect small(0, 0, 5, 5);
    small.CenterIn(CRect(100, 0, 110, 10));
    EXPECT_EQ(small.left, 102);
    CRect wide(0, 0, 15, 5);
    wide.CenterIn(CRect(100, 0, 110, 10));
    EXPECT_EQ(wide.left, 98);
    EXPECT_EQ(wide.Width(), 15);
}

TEST(Rect, MoveInsideEndsAtRightAndBottomWhenLarger)
{
    CRect r(-5, 0, 30, 10);
    r.MoveInside(CRect(0, 0, 20, 20));
    EXPECT_EQ(r, CRect(-15, 0, 20, 10));
}

TEST(Rect, UnionNormalizeInflateAndWrap)
{
    CRect u(0, 0, 0, 0);
    u.Union(CRect(5, 5, 10, 10));
    EXPECT_EQ(u, CRect(0, 0, 10, 10)); // empty rectangles take part too

    CRect n(10, 20, 0, 5);
    n.Normalize();
    EXPECT_EQ(n, CRect(0, 5, 10, 20));

    CRect i(10, 10, 20, 20);
    i.Inflate(2);
    EXPECT_EQ(i, CRect(8, 8, 22, 22));
    i.DeflateVertically(3);
    EXPECT_EQ(i, CRect(8, 11, 22, 19));

    CRect w(32760, 0, 32767, 1);
    w.Offset(10, 0);
    EXPECT_EQ(w.left, -32766);

    const auto sys = CRect(-1, 2, 3, 4).ToRECT();
    EXPECT_EQ(sys.left, -1);
    EXPECT_EQ(CRect::FromRECT(SystemRect{0x12345, 0, 0, 0}).left, 0x2345);
}

TEST(Color, SystemValuesAndPaletteForm)
{
    EXPECT_EQ(CColor::FromCOLORREF(0x000012).red, 0x1200);
    EXPECT_EQ(CColor::FromCOLORREF(0x563412), CColor(0x1200, 0x3400, 0x5600));
    EXPECT_EQ(CColor(0x12FF, 0x34FF, 0x56FF).ToPaletteRGB(), 0x02563412u);
    EXPECT_EQ(GetStandardColor(9), CColor(0xA600, 0xCA00, 0xF000));
    EXPECT_EQ(CColor(), kBlack);
}

TEST(FontSpec, CachedWordTakesNoPart)
{
    CFontSpec a("Arial", 14, 1, 0, 0);
    CFontSpec b = a;
    b.cached = 1234;
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.Weight(), 700);
    EXPECT_FALSE(a == CFontSpec("arial", 14, 1, 0, 0));
    EXPECT_EQ(GetStandardFont(), CFontSpec("MS Sans Serif", 8));
    EXPECT_EQ(CFontSpec(std::string(80, 'x'), 8).face.size(), 64u);
}

struct IntCase {
    int32_t got;
    int32_t want;
};

TEST(IntFunctions, EdgeCases)
{
    const IntCase cases[] = {
        {PinInt(5, 10, 0), 10},
        {PinInt(-1, 0, 9), 0},
        {PinInt(12, 0, 9), 9},
        {RoundUpToMultiple(5, 4), 8},
        {RoundUpToMultiple(8, 4), 8},
        {RoundUpToMultiple(-3, 4), -3},
        {DivRoundUp(7, 2), 4},
        {DivRoundUp(-7, 2), -3},
        {DivRoundUp(7, 0), 7},
        {MinInt(-2, 3), -2},
        {MaxInt(-2, 3), 3},
        {AbsInt(-7), 7},
        {LowWord(0x1234FFFF), -1},
        {HighWord(0xABCD0001), 0xABCD},
        {LowByte(0x11223344), 0x44},
        {SecondByte(0x11223344), 0x33},
        {ThirdByte(0x11223344), 0x22},
        {static_cast<int32_t>(PackBytes(0x111, 0x22, 0x33, 0x44)), 0x11223344},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].got, cases[i].want) << "case " << i;
}
