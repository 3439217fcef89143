#include "framework/drawing/RegionHandle.h"
#include "platform/graphics/RegionOps.h"

#include <gtest/gtest.h>

using namespace NSHarrowen;

namespace {

// Pixel-by-pixel truth of a region over a small area.
std::string Picture(const CRegionHandle& region, int width, int height)
{
    std::string out;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            out += region.GetRegion().Contains(x, y) ? '#' : '.';
        out += '\n';
    }
    return out;
}

TEST(Region, CombinationsOfTwoOverlappingRectangles)
{
    const CRect a(0, 0, 4, 3);
    const CRect b(2, 1, 6, 4);
    struct Case {
        const char* name;
        void (CRegionHandle::*op)(const CRect&);
        const char* picture;
    };
    const Case cases[] = {
        {"union", &CRegionHandle::UnionRect, "####..\n######\n######\n..####\n"},
        {"intersect", &CRegionHandle::IntersectRect, "......\n..##..\n..##..\n......\n"},
        {"xor", &CRegionHandle::XorRect, "####..\n##..##\n##..##\n..####\n"},
        {"subtract", &CRegionHandle::SubtractRect, "####..\n##....\n##....\n......\n"},
    };
    for (const Case& c : cases) {
        CRegionHandle region(a);
        (region.*c.op)(b);
        EXPECT_EQ(Picture(region, 6, 4), c.picture) << c.name;
    }
}

TEST(Region, EqualPixelSetsHaveEqualRectangleLists)
{
    CRegionHandle oneByOne(CRect(0, 0, 1, 1));
    oneByOne.UnionRect(CRect(1, 0, 2, 1));
    oneByOne.UnionRect(CRect(0, 1, 2, 2));
    EXPECT_EQ(oneByOne.GetRegion(), CRegionHandle(CRect(0, 0, 2, 2)).GetRegion());
    EXPECT_EQ(oneByOne.GetRegion().Rects().size(), 1u);
}

TEST(Region, EmptinessOffsetAndRectangleTests)
{
    CRegionHandle region(CRect(10, 10, 20, 20));
    EXPECT_FALSE(region.IsEmpty());
    EXPECT_TRUE(region.IntersectsRect(CRect(19, 19, 30, 30)));
    EXPECT_FALSE(region.IntersectsRect(CRect(20, 0, 30, 30))) << "touching is not meeting";

    region.Offset(-10, 5);
    EXPECT_EQ(region.GetBounds(), CRect(0, 15, 10, 25));

    CRegionHandle copy(region);
    copy.SubtractRect(CRect(0, 0, 100, 100));
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_FALSE(region.IsEmpty()) << "a copy is its own region";

    region.SetEmpty();
    EXPECT_TRUE(region.IsEmpty());
    EXPECT_TRUE(CRegionHandle(CRect(5, 5, 5, 9)).IsEmpty());
    region.SetRect(CRect(1, 2, 3, 4));
    EXPECT_EQ(region.GetBounds(), CRect(1, 2, 3, 4));
    EXPECT_EQ(CreateRectRegion(CRect(1, 2, 3, 4)), region.GetRegion());
}

TEST(Region, HoleInTheMiddle)
{
    CRegionHandle frame(CRect(0, 0, 5, 5));
    frame.SubtractRect(CRect(1, 1, 4, 4));
    EXPECT_EQ(Picture(frame, 5, 5), "#####\n#...#\n#...#\n#...#\n#####\n");
    CRegionHandle inner(CRect(2, 2, 3, 3));
    inner.Intersect(frame);
    EXPECT_TRUE(inner.IsEmpty());
    frame.Xor(CRegionHandle(CRect(0, 0, 5, 5)));
    EXPECT_EQ(frame.GetBounds(), CRect(1, 1, 4, 4));
}

// Every rectangle over a region of several bands with a hole and a gap:
// adding one that is already covered leaves the region as the full union
// would, and the covering test agrees with the pixels.
TEST(Region, AddingARectangleMatchesTheUnionWhetherCoveredOrNot)
{
    platform::Region region(platform::IntRect{0, 0, 6, 6});
    platform::Subtract(region, platform::IntRect{2, 2, 4, 4});
    platform::Unite(region, platform::IntRect{7, 1, 9, 5});
    size_t covered = 0;
    for (int top = 0; top < 8; ++top)
        for (int bottom = top; bottom <= 8; ++bottom)
            for (int left = 0; left < 10; ++left)
                for (int right = left; right <= 10; ++right) {
                    const platform::IntRect rect{left, top, right, bottom};
                    bool allIn = true;
                    for (int y = top; y < bottom; ++y)
                        for (int x = left; x < right; ++x)
                            allIn = allIn && region.Contains(x, y);
                    ASSERT_EQ(region.ContainsRect(rect), allIn) << left << "," << top << "," << right << "," << bottom;
                    covered += allIn && !rect.IsEmpty() ? 1 : 0;
                    platform::Region united = region;
                    platform::Unite(united, rect);
                    ASSERT_EQ(united, platform::Region::Combine(region, platform::Region(rect), platform::RegionOp::Or))
                        << left << "," << top << "," << right << "," << bottom;
                }
    EXPECT_GT(covered, 100u) << "the covered rectangles were tried";
}

} // namespace
