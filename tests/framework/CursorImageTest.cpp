#include "framework/base/Exceptions.h"
#include "framework/images/CursorImage.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace NSHarrowen;

CCursorImage Sample()
{
    CCursorImage c{3, 2, 2, 1, {0, 1, 2, 3, 2, 1}};
    return c;
}

TEST(CursorImage, RoundTripsThroughItsResourceForm)
{
    const std::vector<uint8_t> bytes = EncodeCursor(Sample());
    const std::vector<uint8_t> expected = {'T', 'C', 'U', 'R', 3, 0, 2, 0, 2, 0, 1, 0, 0, 1, 2, 3, 2, 1};
    EXPECT_EQ(bytes, expected);
    const CCursorImage back = DecodeCursor(bytes);
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(back.hotX, 2);
    EXPECT_EQ(back.hotY, 1);
    EXPECT_EQ(back.At(2, 0), CCursorImage::kWhite);
    EXPECT_EQ(back.At(0, 1), CCursorImage::kInvert);
}

// Resources are input: every spoiled form is refused, never read past.
TEST(CursorImage, SpoiledResourcesAreRefused)
{
    const std::vector<std::pair<std::string, std::function<void(std::vector<uint8_t>&)>>> spoilers = {
        {"wrong tag", [](auto& b) { b[0] = 'X'; }},
        {"header cut", [](auto& b) { b.resize(11); }},
        {"empty", [](auto& b) { b.clear(); }},
        {"no width", [](auto& b) { b[4] = 0; }},
        {"too wide",
         [](auto& b) {
             b[4] = 1;
             b[5] = 1;
         }},
        {"hot spot outside", [](auto& b) { b[8] = 3; }},
        {"pixels missing", [](auto& b) { b.pop_back(); }},
        {"pixels extra", [](auto& b) { b.push_back(0); }},
        {"pixel value 4", [](auto& b) { b[12] = 4; }},
    };
    for (const auto& [name, spoil] : spoilers) {
        std::vector<uint8_t> bytes = EncodeCursor(Sample());
        spoil(bytes);
        EXPECT_THROW(DecodeCursor(bytes), XBadFormat) << name;
    }
}

} // namespace
