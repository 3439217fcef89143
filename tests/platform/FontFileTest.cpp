#include "platform/graphics/Font.h"
#include "platform/graphics/detail/FontGlyph.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

// How many times the file at path is mapped into this process.
int MappingsOf(const std::string& path)
{
    std::ifstream maps("/proc/self/maps");
    int count = 0;
    for (std::string line; std::getline(maps, line);)
        if (line.size() >= path.size() && line.compare(line.size() - path.size(), path.size(), path) == 0)
            ++count;
    return count;
}

// Every size of a face reads one mapping of its file: the sizes a program
// asks for do not each hold the whole file in its memory again.
TEST(FontFile, SizesOfAFaceShareOneMappingOfItsFile)
{
    const std::string path = platform::ResolveFontFile("Tahoma", false, false);
    ASSERT_FALSE(path.empty());
    for (const int cell : {11, 17, 23, 31}) {
        const auto font = platform::Font::Create({"Tahoma", cell});
        const platform::GlyphImage& glyph = font->Glyph('W');
        EXPECT_GT(glyph.width, 0) << cell;
        EXPECT_GT(glyph.advance, cell / 3) << cell;
    }
    EXPECT_EQ(MappingsOf(path), 1);
}

} // namespace
