// The pictures as the programs get them: linked from the build's resource
// module and decoded through the framework's JPEG and BMP readers, at the
// sizes the painters cut them by.
#include "framework/files/MemoryMedia.h"
#include "framework/images/BMPReader.h"
#include "framework/images/CursorImage.h"
#include "framework/images/JPEGReader.h"
#include "framework/images/PixelFormat.h"
#include "framework/resources/ResourceModule.h"
#include "modules/ModuleAbbreviations.h"
#include "modules/ModuleCatalogueContent.h"
#include "panels/BuildModule.h"
#include "panels/ModuleCatalogue.h"
#include "panels/layout/ItemFrames.h"
#include "resources/PictureResources.h"
#include "tools/picgen/BitmapFont.h"
#include "tools/picgen/PictureSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <set>
#include <string>

namespace {

using namespace NSHarrowen;

struct Size {
    std::string type;
    int id;
    int width;
    int height;
};

// Every fixed picture with the size its painter reads it at.
const std::vector<Size> kFixedSizes = {
    {"JPEG", 255, 3, 144},   {"JPEG", 256, 3, 144},  {"JPEG", 257, 256, 3},  {"JPEG", 258, 256, 3},
    {"JPEG", 208, 26, 13},   {"JPEG", 209, 26, 13},  {"JPEG", 218, 26, 13},  {"JPEG", 224, 26, 13},
    {"JPEG", 219, 26, 13},   {"JPEG", 225, 26, 13},  {"JPEG", 226, 26, 13},  {"JPEG", 227, 26, 13},
    {"JPEG", 212, 7, 7},     {"JPEG", 217, 7, 7},    {"JPEG", 272, 7, 7},    {"JPEG", 214, 7, 7},
    {"JPEG", 265, 100, 35},  {"JPEG", 315, 3, 11},   {"JPEG", 271, 11, 83},  {"JPEG", 229, 449, 18},
    {"JPEG", 249, 215, 21},  {"JPEG", 267, 21, 215}, {"JPEG", 230, 119, 8},  {"JPEG", 231, 95, 8},
    {"JPEG", 233, 87, 7},    {"JPEG", 223, 107, 47}, {"JPEG", 216, 11, 3},   {"JPEG", 228, 51, 16},
    {"JPEG", 240, 10, 8},    {"JPEG", 242, 10, 8},   {"JPEG", 243, 10, 8},   {"JPEG", 244, 10, 8},
    {"JPEG", 245, 10, 8},    {"JPEG", 268, 10, 8},   {"JPEG", 269, 10, 8},   {"JPEG", 254, 256, 126},
    {"JPEG", 317, 312, 227}, {"JPEG", 274, 676, 32}, {"JPEG", 316, 99, 47},  {"SMTB", 264, 160, 195},
    {"SMTB", 301, 11, 36},   {"SMTB", 310, 11, 45},  {"SMTB", 318, 11, 7},   {"SMTB", 319, 11, 7},
    {"SMTB", 188, 8, 8},     {"SMTB", 189, 8, 8},    {"SMTB", 193, 8, 8},    {"CBMP", 200, 1856, 29},
    {"SMTB", 190, 8, 8},     {"SMTB", 191, 8, 8},    {"SMTB", 192, 8, 8},    {"JPEG", 314, 8, 9},
    {"ICON", 2, 32, 32},     {"CBMP", 199, 174, 29}, {"CBMP", 205, 126, 21}, {"CBMP", 204, 114, 19},
    {"ICON", 1, 32, 32},     {"ICON", 279, 16, 16},  {"ICON", 281, 16, 16},
};

class LinkedPictures : public ::testing::Test {
protected:
    static std::span<const uint8_t> Bytes(const std::string& type, int id)
    {
        const auto bytes = ::PictureResources().Find(type, id);
        if (!bytes)
            throw std::runtime_error(type + " " + std::to_string(id) + " is not linked");
        return *bytes;
    }
    static std::unique_ptr<CABCBitmap> Decode(const std::string& type, int id)
    {
        CMemoryMedia media(Bytes(type, id));
        if (type == "JPEG")
            return ReadJPEG(CPixelFormat(32), media);
        return ReadBMP(media);
    }
    static uint32_t Pixel(CABCBitmap& b, int x, int y) { return b.GetDC()->GetPixel(x, y).value_or(0xFFFFFFFF); }
};

int R(uint32_t c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}
int G(uint32_t c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
int B(uint32_t c)
{
    return static_cast<int>(c & 0xFF);
}

// Two decoded colours that differ by more than compression noise.
bool Differs(uint32_t a, uint32_t b)
{
    return std::abs(R(a) - R(b)) + std::abs(G(a) - G(b)) + std::abs(B(a) - B(b)) > 24;
}

TEST_F(LinkedPictures, TheModuleHoldsExactlyWhatTheGeneratorDraws)
{
    std::set<std::pair<std::string, int>> drawn;
    for (const picgen::CPicture& p : picgen::MakeAllPictures())
        drawn.emplace(p.type, p.id);
    std::set<std::pair<std::string, int>> linked;
    for (const char* type : {"JPEG", "SMTB", "CBMP", "ICON", "CURS"})
        ::PictureResources().ForEach(type, [&linked, type](const CResourceEntry& e) { linked.emplace(type, e.id); });
    EXPECT_EQ(linked, drawn);
}

TEST_F(LinkedPictures, FixedPicturesDecodeAtTheirSizes)
{
    for (const Size& s : kFixedSizes) {
        SCOPED_TRACE(s.type + " " + std::to_string(s.id));
        const auto bitmap = Decode(s.type, s.id);
        EXPECT_EQ(bitmap->GetWidth(), s.width);
        EXPECT_EQ(bitmap->GetHeight(), s.height);
    }
}

TEST_F(LinkedPictures, EveryLinkedPictureDecodes)
{
    for (const char* type : {"JPEG", "SMTB", "CBMP", "ICON"})
        ::PictureResources().ForEach(type, [type](const CResourceEntry& e) {
            SCOPED_TRACE(std::string(type) + " " + std::to_string(e.id));
            std::unique_ptr<CABCBitmap> bitmap;
            EXPECT_NO_THROW(bitmap = Decode(type, e.id));
            if (bitmap) {
                EXPECT_GT(bitmap->GetWidth(), 0);
            }
        });
}

// Stepper frames are 12 apart from each look's base: state 1 presses the
// upper (or right) half, state 2 the lower (or left) one.
TEST_F(LinkedPictures, StepperFramesPressTheirHalf)
{
    const auto upDown = Decode("JPEG", 249);
    const auto leftRight = Decode("JPEG", 267);
    for (int base : {0, 36, 72, 108, 144, 180}) {
        SCOPED_TRACE(base);
        // A pixel inside each half, away from the arrow.
        const auto upper = [&](int state) { return Pixel(*upDown, base + 12 * state + 2, 3); };
        const auto lower = [&](int state) { return Pixel(*upDown, base + 12 * state + 2, 17); };
        EXPECT_TRUE(Differs(upper(1), upper(0)));
        EXPECT_FALSE(Differs(lower(1), lower(0)));
        EXPECT_TRUE(Differs(lower(2), lower(0)));
        EXPECT_FALSE(Differs(upper(2), upper(0)));
        const auto right = [&](int state) { return Pixel(*leftRight, 17, base + 12 * state + 2); };
        const auto left = [&](int state) { return Pixel(*leftRight, 3, base + 12 * state + 2); };
        EXPECT_TRUE(Differs(right(1), right(0)));
        EXPECT_FALSE(Differs(left(1), left(0)));
        EXPECT_TRUE(Differs(left(2), left(0)));
        EXPECT_FALSE(Differs(right(2), right(0)));
    }
}

TEST_F(LinkedPictures, EveryFaceDecodesAtItsTypesSizeWithGreyUnderItsItems)
{
    const CModuleCatalogue& catalogue = GetSharedModuleCatalogue();
    for (int id = 1; id < 128; ++id) {
        const CBuildModule* type = catalogue.FindBuilder(static_cast<uint8_t>(id));
        if (!type)
            continue;
        SCOPED_TRACE(type->GetShortName());
        const auto face = Decode("JPEG", type->GetFaceJpeg());
        ASSERT_EQ(face->GetWidth(), 250);
        ASSERT_EQ(face->GetHeight(), 15 * type->GetHeight() - 6);
        // The flat grey survives compression closely enough for the knob
        // masks: sample each item's centre.
        for (const ItemSpec& item : type->GetItems()) {
            const ItemFrameSize size = ItemFrame(item);
            const int x = item.x - 3 + size.width / 2;
            const int y = item.y - 3 + size.height / 2;
            if (x < 0 || y < 0 || x >= 250 || y >= face->GetHeight())
                continue;
            const uint32_t p = Pixel(*face, x, y);
            EXPECT_NEAR(R(p), 0xBF, 4) << x << "," << y;
            EXPECT_NEAR(G(p), 0xBF, 4) << x << "," << y;
            EXPECT_NEAR(B(p), 0xBF, 4) << x << "," << y;
        }
    }
}

// Bitmap buttons cut one 9-row symbol per button from their strip.
TEST_F(LinkedPictures, SymbolStripsHoldARowOfNinePixelsPerButton)
{
    const CModuleCatalogue& catalogue = GetSharedModuleCatalogue();
    for (int id = 1; id < 128; ++id) {
        const CBuildModule* type = catalogue.FindBuilder(static_cast<uint8_t>(id));
        if (!type)
            continue;
        for (const ItemSpec& item : type->GetItems()) {
            if (item.picture == 0)
                continue;
            SCOPED_TRACE(std::string(type->GetShortName()) + " picture " + std::to_string(item.picture));
            const auto strip = Decode("SMTB", item.picture);
            EXPECT_EQ(strip->GetWidth(), 11);
            const int rows = item.itemClass == ItemClass::CheckBitmapButton ? 1 : item.count;
            EXPECT_EQ(strip->GetHeight(), 9 * rows);
        }
    }
}

// Frame p of the pointer strip points at 0.75 pi + 1.5 pi p / 64: its red
// ink lies in that direction from the frame's centre.
TEST_F(LinkedPictures, PointerFramesTurnClockwiseFromLowerLeft)
{
    const auto strip = Decode("CBMP", 200);
    for (int p : {0, 16, 32, 48, 63}) {
        SCOPED_TRACE(p);
        double sx = 0;
        double sy = 0;
        for (int y = 0; y < 29; ++y)
            for (int x = 0; x < 29; ++x) {
                const uint32_t c = Pixel(*strip, 29 * p + x, y);
                EXPECT_EQ(G(c) + B(c), 0);
                sx += R(c) * (x - 14);
                sy += R(c) * (y - 14);
            }
        const double expected = 0.75 * std::numbers::pi + 1.5 * std::numbers::pi * p / 64;
        const double angle = std::atan2(sy, sx);
        EXPECT_NEAR(std::remainder(angle - expected, 2 * std::numbers::pi), 0.0, 0.1);
    }
}

TEST_F(LinkedPictures, KnobMasksMarkBackgroundRimAndFace)
{
    for (const auto& [id, size] : {std::pair{199, 29}, std::pair{205, 21}, std::pair{204, 19}}) {
        SCOPED_TRACE(id);
        const auto strip = Decode("CBMP", id);
        const int c = size / 2;
        EXPECT_EQ(Pixel(*strip, 0, 0), 0x00FF00u); // background
        EXPECT_EQ(Pixel(*strip, c, 0), 0x0000FFu); // rim
        EXPECT_EQ(Pixel(*strip, c, c), 0x000000u); // face
        // Bodies 2 to 5 are tinted by group: red, green, blue, yellow.
        const uint32_t red = Pixel(*strip, 2 * size + c, c);
        const uint32_t green = Pixel(*strip, 3 * size + c, c);
        const uint32_t blue = Pixel(*strip, 4 * size + c, c);
        EXPECT_GT(R(red), G(red));
        EXPECT_GT(G(green), R(green));
        EXPECT_GT(B(blue), R(blue));
    }
}

TEST_F(LinkedPictures, MeterStripRowsLightWhereThePaintersReadThem)
{
    const auto strip = Decode("JPEG", 265);
    const auto brightness = [&strip](int x, int y) {
        const uint32_t c = Pixel(*strip, x, y);
        return R(c) + G(c) + B(c);
    };
    for (int x : {5, 45, 85}) {
        EXPECT_GT(brightness(x, 32), brightness(x, 26) + 100); // lit and dark level bars
        EXPECT_GT(brightness(x, 20), brightness(x, 14) + 100); // lit and dark gain bars
        EXPECT_GT(brightness(x, 8), brightness(x, 2) + 100);   // used and free load bars
    }
    EXPECT_GT(R(Pixel(*strip, 96, 32)), R(Pixel(*strip, 96, 26)) + 100); // clip lamp
}

TEST_F(LinkedPictures, JacksShowAnOpenHoleUnconnectedAndAPlugConnected)
{
    for (int id : {208, 209, 218, 224, 219, 225, 226, 227}) {
        SCOPED_TRACE(id);
        const auto jack = Decode("JPEG", id);
        const uint32_t hole = Pixel(*jack, 6, 6);
        const uint32_t plug = Pixel(*jack, 13 + 6, 6);
        EXPECT_LT(R(hole) + G(hole) + B(hole), 120);
        EXPECT_GT(R(plug) + G(plug) + B(plug), 150);
    }
}

TEST_F(LinkedPictures, ButtonFaceColumnsFollowTheGroups)
{
    const auto strip = Decode("JPEG", 229);
    // Row 3 of the edge area carries each column's own colour.
    const auto at = [&strip](int column) { return Pixel(*strip, 50 * column + 30, 3); };
    EXPECT_NEAR(R(at(0)), G(at(0)), 6);
    EXPECT_GT(R(at(2)), G(at(2)) + 60); // group 0 bright: red
    EXPECT_GT(G(at(4)), R(at(4)) + 60); // group 1 bright: green
    EXPECT_GT(B(at(6)), R(at(6)) + 60); // group 2 bright: blue
    EXPECT_GT(R(at(8)), B(at(8)) + 60); // group 3 bright: yellow
}

// The toolbar's cable buttons show their colour: the cables' 16-bit colours
// by their high bytes.
TEST_F(LinkedPictures, SwatchesShowTheCableColours)
{
    const std::vector<std::pair<int, uint32_t>> swatches = {
        {244, 0xFF5A5A}, {240, 0x6464FF}, {245, 0xE6E650}, {242, 0xB4B4B4},
        {243, 0x50D250}, {268, 0xC800E6}, {269, 0xFFFFFF},
    };
    for (const auto& [id, colour] : swatches) {
        SCOPED_TRACE(id);
        const auto swatch = Decode("JPEG", id);
        const uint32_t p = Pixel(*swatch, 5, 5);
        EXPECT_NEAR(R(p), R(colour), 8);
        EXPECT_NEAR(G(p), G(colour), 8);
        EXPECT_NEAR(B(p), B(colour), 8);
    }
}

// The tab sheet holds a picture per type id in cells of 16 x 15, ten a row.
TEST_F(LinkedPictures, TabSheetCellsStandAtTheirTypeIds)
{
    const auto sheet = Decode("SMTB", 264);
    const CModuleCatalogue& catalogue = GetSharedModuleCatalogue();
    for (int id = 0; id < 130; ++id) {
        const int x = 16 * (id % 10) + 8;
        const int y = 15 * (id / 10) + 2;
        if (y >= sheet->GetHeight())
            break;
        const bool drawn = Pixel(*sheet, x, y) != 0xBFBFBFu;
        EXPECT_EQ(drawn, id < 128 && catalogue.HasType(static_cast<uint8_t>(id))) << "cell " << id;
    }
}

// The module buttons of a tab tell its types apart: each type has a short
// name of its own in its tab, and the cells the buttons show differ.
TEST_F(LinkedPictures, TheModuleButtonsOfATabCanBeToldApart)
{
    const auto sheet = Decode("SMTB", 264);
    const CModuleCatalogue& catalogue = GetSharedModuleCatalogue();
    const auto cell = [&sheet](int id) {
        std::vector<uint32_t> pixels;
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 16; ++x)
                pixels.push_back(Pixel(*sheet, 16 * (id % 10) + x, 15 * (id / 10) + y));
        return pixels;
    };
    for (size_t tab = 0; tab < catalogue.GetTabCount(); ++tab) {
        std::set<std::string> names;
        std::set<std::vector<uint32_t>> cells;
        int types = 0;
        for (const uint8_t id : catalogue.GetTabTypes(tab)) {
            if (id == 0)
                continue;
            ++types;
            const std::string name = ButtonName(id);
            SCOPED_TRACE(catalogue.GetBuilder(id).GetShortName());
            EXPECT_FALSE(name.empty());
            EXPECT_TRUE(names.insert(name).second) << "'" << name << "' twice in tab " << tab;
            EXPECT_TRUE(cells.insert(cell(id)).second) << "a button like another in tab " << tab;
            // At most two lines of at most four characters, each as wide as a cell.
            const size_t blank = name.find(' ');
            const bool oneLine = picgen::CBitmapFont::TextWidth(name, 1, picgen::FontSize::Tiny) <= 16;
            for (const std::string& line : oneLine || blank == std::string::npos
                     ? std::vector{name}
                     : std::vector{name.substr(0, blank), name.substr(blank + 1)}) {
                EXPECT_LE(line.size(), 4u) << name;
                EXPECT_LE(picgen::CBitmapFont::TextWidth(line, 1, picgen::FontSize::Tiny), 16) << name;
            }
        }
        EXPECT_EQ(static_cast<int>(cells.size()), types);
    }
}

TEST_F(LinkedPictures, CursorsDecodeWithTheirHotSpotOnTheirInk)
{
    for (int id : {156, 157, 158, 159, 167, 187, 267, 268, 272, 283}) {
        SCOPED_TRACE(id);
        const CCursorImage cursor = DecodeCursor(Bytes("CURS", id));
        EXPECT_EQ(cursor.width, 32);
        EXPECT_EQ(cursor.height, 32);
        // The hot spot is where the cursor points: on its shape or at its
        // centre.
        const bool centred = cursor.hotX == 16 && cursor.hotY == 16;
        EXPECT_TRUE(centred || cursor.At(cursor.hotX, cursor.hotY) != CCursorImage::kClear);
        EXPECT_GT(std::count_if(cursor.pixels.begin(), cursor.pixels.end(),
                                [](uint8_t p) { return p != CCursorImage::kClear; }),
                  20);
    }
}

} // namespace
