#include "framework/images/Bitmap.h"
#include "framework/drawing/Canvas.h"
#include "framework/base/Exceptions.h"
#include "framework/drawing/PixelBufferPort.h"
#include "framework/images/PixelFormat.h"
#include "platform/graphics/DrawingObjects.h"
#include "platform/graphics/Font.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace NSHarrowen;

namespace {

constexpr uint32_t kPaper = 0x102030;

// A 40 x 30 window surface filled with a known colour, and a canvas on it.
class CanvasTest : public ::testing::Test {
protected:
    platform::PixelBuffer buffer{40, 30, kPaper};
    CPixelBufferPort port{buffer};

    uint32_t At(int x, int y) const { return buffer.At(x, y); }

    // "#" for pixels of colour, "." for paper, over a band of the buffer.
    std::string Picture(int x0, int y0, int x1, int y1, uint32_t color) const
    {
        std::string out;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x)
                out += buffer.At(x, y) == color ? '#' : (buffer.At(x, y) == kPaper ? '.' : '?');
            out += '\n';
        }
        return out;
    }
    // Rows and columns that hold any pixel other than paper.
    platform::IntRect InkBounds() const
    {
        platform::IntRect r{1000, 1000, -1, -1};
        for (int y = 0; y < buffer.Height(); ++y)
            for (int x = 0; x < buffer.Width(); ++x)
                if (buffer.At(x, y) != kPaper) {
                    r.left = std::min(r.left, x);
                    r.top = std::min(r.top, y);
                    r.right = std::max(r.right, x + 1);
                    r.bottom = std::max(r.bottom, y + 1);
                }
        return r;
    }
};

TEST_F(CanvasTest, FrameRectOutlinesInsideAndFillRectLeavesRightAndBottomEdges)
{
    {
        CCanvas canvas(&port);
        canvas.FrameRect(CRect(1, 1, 6, 5), kRed);
        canvas.FillRect(CRect(8, 1, 11, 3), kWhite);
    }
    EXPECT_EQ(Picture(0, 0, 7, 6, 0xFF0000),
              ".......\n"
              ".#####.\n"
              ".#...#.\n"
              ".#...#.\n"
              ".#####.\n"
              ".......\n");
    EXPECT_EQ(Picture(7, 0, 12, 4, 0xFFFFFF),
              ".....\n"
              ".###.\n"
              ".###.\n"
              ".....\n");
    EXPECT_EQ(port.GetUseCount(), 0) << "the canvas gives the port back";
}

TEST_F(CanvasTest, FrameRectOfTenByTenTouchesZeroToNine)
{
    CCanvas canvas(&port);
    canvas.FrameRect(CRect(0, 0, 10, 10), kWhite);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(At(i, 0), 0xFFFFFFu);
        EXPECT_EQ(At(i, 9), 0xFFFFFFu);
        EXPECT_EQ(At(0, i), 0xFFFFFFu);
        EXPECT_EQ(At(9, i), 0xFFFFFFu);
    }
    EXPECT_EQ(At(10, 0), kPaper);
    EXPECT_EQ(At(0, 10), kPaper);
    EXPECT_EQ(At(5, 5), kPaper);
}

struct LineCase {
    int x1, y1, x2, y2;
    std::vector<std::pair<int, int>> painted;
    std::vector<std::pair<int, int>> notPainted;
};

TEST_F(CanvasTest, DrawLineEndPointRules)
{
    const LineCase cases[] = {
        // Vertical, drawn upwards: both ends.
        {5, 9, 5, 2, {{5, 2}, {5, 5}, {5, 9}}, {{5, 1}, {5, 10}}},
        // Horizontal, drawn leftwards: both ends.
        {9, 3, 2, 3, {{2, 3}, {9, 3}}, {{1, 3}, {10, 3}}},
        // A single point.
        {4, 4, 4, 4, {{4, 4}}, {{5, 4}, {4, 5}}},
        // Diagonal: first point in, second out.
        {2, 2, 6, 6, {{2, 2}, {3, 3}, {5, 5}}, {{6, 6}}},
        {6, 2, 2, 6, {{6, 2}, {3, 5}}, {{2, 6}}},
    };
    for (const LineCase& c : cases) {
        buffer.Resize(40, 30, kPaper);
        {
            CCanvas canvas(&port);
            canvas.DrawLine(c.x1, c.y1, c.x2, c.y2, kWhite);
        }
        for (auto [x, y] : c.painted)
            EXPECT_EQ(At(x, y), 0xFFFFFFu)
                << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2 << " at " << x << "," << y;
        for (auto [x, y] : c.notPainted)
            EXPECT_EQ(At(x, y), kPaper) << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2 << " at " << x << ","
                                        << y;
    }
}

TEST_F(CanvasTest, HorizontalAndVerticalLinesIncludeBothEnds)
{
    CCanvas canvas(&port);
    canvas.DrawHorizontalLine(3, 10, 4, kWhite);
    canvas.DrawVerticalLine(20, 8, 2, kWhite);
    EXPECT_EQ(Picture(3, 3, 12, 4, 0xFFFFFF), ".#######.\n");
    EXPECT_EQ(Picture(20, 1, 21, 10, 0xFFFFFF), ".\n#\n#\n#\n#\n#\n#\n#\n.\n");
}

TEST_F(CanvasTest, InvertingTwiceRestoresThePixels)
{
    // A picture that is not uniform, so that a wrong pixel shows.
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            buffer.Set(x, y, static_cast<uint32_t>(x * 0x050301 + y * 0x010709) & 0xFFFFFF);
    const platform::PixelBuffer before = buffer;
    CCanvas canvas(&port);
    for (const CRect& r : {CRect(2, 2, 12, 9), CRect(20, 5, 21, 6), CRect(25, 10, 26, 20), CRect(3, 20, 30, 21)}) {
        canvas.InvertFrameRect(r, kRed);
        if (r.Width() > 1 && r.Height() > 1) {
            EXPECT_NE(buffer.At(r.left, r.top), before.At(r.left, r.top)) << "the corner is inverted once";
        }
        canvas.InvertFrameRect(r, kRed);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(buffer.At(x, y), before.At(x, y)) << x << "," << y;
    }
    canvas.InvertLine(1, 1, 30, 17, kBlack);
    canvas.InvertLine(1, 1, 30, 17, kBlack);
    canvas.FillRect(CRect(0, 0, 1, 1), kWhite);
    EXPECT_EQ(At(0, 0), 0xFFFFFFu) << "drawing copies again after an inverted outline";
    EXPECT_EQ(At(5, 5), before.At(5, 5));
}

TEST_F(CanvasTest, InvertedFrameInvertsEveryPixelOfTheOutline)
{
    CCanvas canvas(&port);
    canvas.InvertFrameRect(CRect(1, 1, 5, 4), kRed);
    EXPECT_EQ(Picture(0, 0, 6, 5, kPaper ^ 0xFFFFFF),
              "......\n"
              ".####.\n"
              ".#..#.\n"
              ".####.\n"
              "......\n");
}

TEST_F(CanvasTest, DrawingObjectsAreMadeOnlyWhenTheColourChanges)
{
    CCanvas canvas(&port);
    const long brushes = platform::Brush::CreatedCount();
    const long pens = platform::Pen::CreatedCount();
    canvas.FillRect(CRect(0, 0, 5, 5), kWhite); // the first fill makes a brush even in the default colour
    canvas.FillRect(CRect(5, 5, 9, 9), kWhite);
    EXPECT_EQ(platform::Brush::CreatedCount() - brushes, 1);
    canvas.FillRect(CRect(0, 0, 5, 5), kRed);
    EXPECT_EQ(platform::Brush::CreatedCount() - brushes, 2);

    for (int i = 0; i < 5; ++i)
        canvas.DrawLine(0, i, 10, i, kGreen);
    canvas.FrameRect(CRect(0, 0, 4, 4), kGreen);
    EXPECT_EQ(platform::Pen::CreatedCount() - pens, 1);

    const long fonts = platform::Font::CreatedCount();
    canvas.GetFontHeight(CFontSpec("Arial", 12));
    canvas.GetStringWidth("abc", CFontSpec("Arial", 12));
    canvas.DrawString(1, 20, "x", CFontSpec("Arial", 12), kBlack);
    EXPECT_EQ(platform::Font::CreatedCount() - fonts, 1);
}

TEST_F(CanvasTest, StateSurvivesBetweenCanvasesOnOnePort)
{
    const long brushes = platform::Brush::CreatedCount();
    for (int i = 0; i < 3; ++i) {
        CCanvas canvas(&port);
        canvas.FillRect(CRect(i, 0, i + 1, 1), kGrey80);
    }
    EXPECT_EQ(platform::Brush::CreatedCount() - brushes, 1);
}

TEST_F(CanvasTest, StringIsPlacedByItsBaseline)
{
    CCanvas canvas(&port);
    const CFontSpec font("Arial", 12);
    const int ascent = canvas.GetFontAscent(font);
    const int height = canvas.GetFontHeight(font);
    EXPECT_EQ(height, 12) << "the size is the cell height";
    EXPECT_GT(ascent, 6);
    EXPECT_LT(ascent, height);

    canvas.DrawString(3, 20, "Hg", font, kWhite);
    const platform::IntRect ink = InkBounds();
    EXPECT_GE(ink.top, 20 - ascent) << "nothing above the cell top";
    EXPECT_LE(ink.top, 20 - ascent + 2) << "the capital reaches near the cell top";
    EXPECT_GT(ink.bottom, 20) << "the descender goes below the baseline";
    EXPECT_LE(ink.bottom, 20 - ascent + height);
    EXPECT_GE(ink.left, 3);
    EXPECT_LE(ink.right, 3 + canvas.GetStringWidth("Hg", font) + 1);

    // The capital sits on the baseline: ink in row 19, none in row 20 under "H".
    bool inkAbove = false, inkOn = false;
    const int hWidth = canvas.GetStringWidth("H", font);
    for (int x = 3; x < 3 + hWidth; ++x) {
        inkAbove |= At(x, 19) != kPaper;
        inkOn |= At(x, 20) != kPaper;
    }
    EXPECT_TRUE(inkAbove);
    EXPECT_FALSE(inkOn);
}

TEST_F(CanvasTest, TheCellTopLiesAscentAboveTheBaseline)
{
    CCanvas canvas(&port);
    const CFontSpec font("Arial", 12);
    const int ascent = canvas.GetFontAscent(font);
    // With an opaque background the text fills its whole cell, which shows the cell exactly.
    canvas.GetDC()->SetBackgroundMode(platform::BackgroundMode::Opaque);
    canvas.GetDC()->SetBackgroundColor(0x00FF00);
    canvas.DrawString(5, 20, "x", font, kWhite);
    const int width = canvas.GetStringWidth("x", font);
    std::string column;
    for (int y = 0; y < 30; ++y)
        column += At(5, y) == kPaper ? '.' : '#';
    EXPECT_EQ(column,
              std::string(static_cast<size_t>(20 - ascent), '.') + std::string(12, '#') +
                  std::string(static_cast<size_t>(30 - (20 - ascent) - 12), '.'));
    EXPECT_NE(At(5 + width - 1, 20 - ascent), kPaper);
    EXPECT_EQ(At(5 + width, 20 - ascent), kPaper);
    EXPECT_EQ(At(4, 20 - ascent), kPaper);
}

TEST_F(CanvasTest, StandardFontHasTheSmallestSizeOfTheOriginalFace)
{
    CCanvas canvas(&port);
    EXPECT_EQ(canvas.GetFontHeight(GetStandardFont()), 13);
    EXPECT_GT(canvas.GetStringWidth("Patch", GetStandardFont()), 20);
    EXPECT_GT(canvas.GetStringWidth("Patch", CFontSpec("Arial", 14, 1, 0, 0)),
              canvas.GetStringWidth("Patch", CFontSpec("Arial", 14)))
        << "bold is wider";
}

TEST_F(CanvasTest, CentredStringsAndStringsInRectangles)
{
    CCanvas canvas(&port);
    const CFontSpec font("Arial", 12);
    const int width = canvas.GetStringWidth("II", font);
    canvas.DrawStringCentered(CRect(0, 0, 40, 30), "II", font, kWhite);
    platform::IntRect ink = InkBounds();
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 20.0, 1.5);
    EXPECT_GE(ink.left, (40 - width) / 2);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 15.0, 3.0);

    buffer.Resize(40, 30, kPaper);
    canvas.DrawStringInRect(CRect(10, 0, 40, 30), "I", font, kWhite);
    ink = InkBounds();
    EXPECT_GE(ink.left, 12);
    EXPECT_LE(ink.left, 14);
}

TEST_F(CanvasTest, TextInRectangleWrapsAndStaysInside)
{
    CCanvas canvas(&port);
    const CFontSpec font("Arial", 12);
    canvas.DrawTextInRect(CRect(2, 2, 30, 25), "one two", font, kWhite);
    const platform::IntRect ink = InkBounds();
    EXPECT_GE(ink.left, 2);
    EXPECT_LE(ink.right, 30);
    EXPECT_GT(ink.bottom, 2 + 12) << "two lines";
    EXPECT_LE(ink.bottom, 25);

    buffer.Resize(40, 30, kPaper);
    canvas.DrawTextInRect(CRect(2, 2, 12, 28), "WWWWWW", font, kWhite);
    EXPECT_LE(InkBounds().right, 12) << "a long word breaks between characters";
    EXPECT_GT(InkBounds().bottom, 14);
}

TEST_F(CanvasTest, OriginMovesDrawing)
{
    CCanvas canvas(&port);
    canvas.SetOrigin(10, 5);
    EXPECT_EQ(canvas.GetOrigin(), CPoint(10, 5));
    canvas.FillRect(CRect(10, 5, 12, 6), kWhite);
    EXPECT_EQ(At(0, 0), 0xFFFFFFu);
    EXPECT_EQ(At(1, 0), 0xFFFFFFu);
    EXPECT_EQ(At(2, 0), kPaper);
}

TEST_F(CanvasTest, ClipRegionLimitsEveryOperation)
{
    platform::Region clip(platform::IntRect{0, 0, 10, 10});
    clip.CombineWith(platform::Region({20, 0, 30, 10}), platform::RegionOp::Or);
    port.GetDC().SelectClip(&clip);
    CCanvas canvas(&port);
    canvas.FillRect(CRect(0, 0, 40, 30), kWhite);
    canvas.DrawLine(0, 15, 39, 15, kWhite);
    canvas.DrawString(0, 25, "Hello", CFontSpec("Arial", 12), kWhite);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(At(x, y) != kPaper, clip.Contains(x, y)) << x << "," << y;

    // The system clip (a window's update region) narrows further.
    buffer.Resize(40, 30, kPaper);
    port.GetDC().SetSystemClip(platform::Region({5, 0, 25, 30}));
    canvas.FillRect(CRect(0, 0, 40, 30), kWhite);
    EXPECT_EQ(Picture(0, 0, 30, 1, 0xFFFFFF), ".....#####..........#####.....\n");
}

TEST_F(CanvasTest, BitmapsAreCanvasesAndBlitBetweenDepths)
{
    for (int depth : {16, 24, 32}) {
        auto bitmap = CreateBitmapOfDepth(6, 4, depth);
        ASSERT_TRUE(bitmap);
        EXPECT_EQ(bitmap->GetDepth(), depth);
        bitmap->FillRect(CRect(0, 0, 6, 4), kWhite);
        bitmap->FillRect(CRect(1, 1, 3, 3), kRed);
        bitmap->DrawLine(5, 0, 5, 3, kGreen);

        buffer.Resize(40, 30, kPaper);
        CCanvas canvas(&port);
        canvas.DrawBitmap(10, 10, *bitmap);
        EXPECT_EQ(At(10, 10), 0xFFFFFFu) << depth;
        EXPECT_EQ(At(11, 11), 0xFF0000u) << depth;
        EXPECT_EQ(At(15, 13), depth == 16 ? 0x00CE00u : 0x00CC00u) << depth << " (5 bits widen to 8)";
        EXPECT_EQ(At(16, 10), kPaper);
        canvas.DrawBitmapPart(0, 0, *bitmap, 1, 1, 2, 2);
        EXPECT_EQ(Picture(0, 0, 3, 3, 0xFF0000), "##.\n##.\n...\n");
    }
    EXPECT_FALSE(CreateBitmapOfDepth(4, 4, 8));
}

TEST(Bitmap, RowsArePaddedAndSixteenBitPixelsAreFiveFiveFive)
{
    CBitmap24 b24(3, 2);
    EXPECT_EQ(b24.GetRowBytes(), 12);
    CBitmap16 b16(3, 2);
    EXPECT_EQ(b16.GetRowBytes(), 8);
    b16.FillRect(CRect(0, 0, 1, 1), CColor(0xFF00, 0x8000, 0x0800));
    uint8_t* p = b16.LockPixels();
    EXPECT_EQ(b16.GetLockCount(), 1);
    EXPECT_EQ(p[0] | (p[1] << 8), (31 << 10) | (16 << 5) | 1);
    b16.UnlockPixels(p);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(b16.GetLockCount(), 0);

    CBitmap32 b32(2, 2);
    b32.FillRect(CRect(0, 0, 2, 2), CColor(0x1200, 0x3400, 0x5600));
    p = b32.LockPixels();
    EXPECT_EQ(p[0], 0x56);
    EXPECT_EQ(p[1], 0x34);
    EXPECT_EQ(p[2], 0x12);
    EXPECT_EQ(p[3], 0);
    b32.UnlockPixels(p);
    EXPECT_EQ(b32.GetFrame(), CRect(0, 0, 2, 2));
    b32.SetOrigin(5, 6);
    EXPECT_EQ(b32.GetFrame(), CRect(5, 6, 7, 8));

    EXPECT_THROW(CBitmap32(0, 5), XOutOfMemory);
}

TEST(Bitmap, EightBitBitmapsDrawWithTheNearestPaletteColour)
{
    const CPalette palette;
    CBitmap8 bitmap(4, 4, palette);
    bitmap.FillRect(CRect(0, 0, 4, 4), CColor(0xFE00, 0x0100, 0x0000));
    uint8_t* p = bitmap.LockPixels();
    EXPECT_EQ(p[0], 249) << "standard red lies in entry 246 + 3";
    bitmap.UnlockPixels(p);
    const auto own = bitmap.GetOwnPalette().GetColors();
    EXPECT_EQ(own[0], kBlack);
    EXPECT_EQ(own[255], CColor(0xFF00, 0xFF00, 0xFF00));
}

TEST(Palette, StandardLayout)
{
    const auto colors = CPalette().GetColors();
    EXPECT_EQ(colors[7], CColor(0xC000, 0xC000, 0xC000));
    EXPECT_EQ(colors[9], CColor(0xA600, 0xCA00, 0xF000));
    EXPECT_EQ(colors[10], kBlack);
    EXPECT_EQ(colors[245], kBlack);
    EXPECT_EQ(colors[246], CColor(0xFF00, 0xFB00, 0xF000));
    EXPECT_EQ(colors[255], CColor(0xFF00, 0xFF00, 0xFF00));

    const CPixelFormat format(8);
    EXPECT_EQ(format.GetColorMap()[2][255], 0xFF) << "rows are blue, green, red";
    EXPECT_EQ(format.GetColorMap()[0][9], 0xF0);
    EXPECT_EQ(format.GetColorMap()[2][9], 0xA6);
    EXPECT_EQ(CPixelFormat(32).GetPalette(), nullptr);
}

} // namespace

namespace {

TEST(GdiState, GivesTheContextItsOwnObjectsBackAndStartsTransparent)
{
    platform::PixelBuffer buffer(4, 4);
    platform::DeviceContext dc(buffer);
    const auto pen = dc.CurrentPen();
    const auto brush = dc.CurrentBrush();
    const auto font = platform::Font::Create({"Arial", 20});
    dc.SelectFont(font);
    {
        CGdiState state(&dc);
        EXPECT_EQ(dc.GetBackgroundMode(), platform::BackgroundMode::Transparent);
        EXPECT_EQ(dc.BackgroundColor(), 0xFFFFFFu);
        EXPECT_EQ(dc.TextColor(), 0u);
        state.SetPenColor(kRed);
        state.SetFillColor(kGreen);
        state.SetFillColor(kRed);
        state.SetFont(CFontSpec("Arial", 12));
        EXPECT_EQ(dc.CurrentPen()->Color(), 0xFF0000u);
        EXPECT_EQ(dc.CurrentBrush()->Color(), 0xFF0000u);
        EXPECT_EQ(state.GetTextMetrics().height, 12);
        EXPECT_NE(dc.CurrentFont(), font);
    }
    EXPECT_EQ(dc.CurrentPen(), pen);
    EXPECT_EQ(dc.CurrentBrush(), brush);
    EXPECT_EQ(dc.CurrentFont(), font);
}

} // namespace
