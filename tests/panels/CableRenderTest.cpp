// Cable pictures: the pieces a cable is cut into, the parts a straight cable
// repaints, the snake's parameters, and the pixels written into a picture.
#include "framework/images/Bitmap.h"
#include "panels/cables/CableRenderList.h"
#include "panels/cables/CableShades.h"
#include "panels/cables/PixelTarget.h"
#include "panels/cables/Render3DPie.h"
#include "panels/cables/RenderSnake.h"
#include "panels/cables/RenderStraightLine.h"
#include "panels/cables/SnakeShape.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/Region.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <random>
#include <vector>

namespace {

using NSHarrowen::CPoint;
using NSHarrowen::CRect;

CableKey Key(int x1, int y1, int x2, int y2)
{
    return CableKey{static_cast<int16_t>(x1),
                    static_cast<int16_t>(y1),
                    static_cast<int16_t>(x2),
                    static_cast<int16_t>(y2),
                    {1, 0, 1},
                    {2, 0, 0}};
}

// What a chain is made of, piece by piece: "seg <kind> <direction>" or
// "pie <kind> <x>,<y>".
std::vector<std::string> Describe(const CRenderSegmentLineABC& line)
{
    static const char* const kinds[] = {"4And10", "2And8", "5And11", "1And7"};
    static const char* const pies[] = {"12", "45", "78"};
    std::vector<std::string> out;
    for (const CablePiece& piece : line.GetPieces()) {
        if (const std::optional<CRender3DPie> pie = line.GetCorner(piece)) {
            out.push_back(std::string("pie ") + pies[static_cast<int>(pie->GetKind())] + " " +
                          std::to_string(pie->GetJoint().x) + "," + std::to_string(pie->GetJoint().y));
        }
        const SegmentClass segment = line.GetRaster(piece).GetClass();
        out.push_back(std::string("seg ") + kinds[static_cast<int>(segment.kind)] + " " +
                      std::to_string(segment.direction));
    }
    return out;
}

// A picture of 32-bit pixels with a guard band around it, to see that no
// write leaves the picture (also between rows).
class GuardedPicture {
public:
    static constexpr int kGuard = 8;
    static constexpr uint32_t kGuardPixel = 0xA5A5A5A5;
    static constexpr uint32_t kBackground = 0x00102030;

    GuardedPicture(int width, int height, CPoint origin)
        : width_(width), height_(height), stride_(width + 2 * kGuard), origin_(origin),
          pixels_(static_cast<size_t>(stride_ * (height + 2 * kGuard)), kGuardPixel)
    {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                pixels_[Index(x, y)] = kBackground;
            }
        }
    }

    CRect Frame() const { return CRect(origin_.x, origin_.y, origin_.x + width_, origin_.y + height_); }
    CPixelTarget Target(const CRect& update)
    {
        return CPixelTarget(reinterpret_cast<uint8_t*>(&pixels_[Index(0, 0)]), stride_ * 4, Frame(), update);
    }
    uint32_t At(int x, int y) const { return pixels_[Index(x - origin_.x, y - origin_.y)]; }
    bool GuardIntact() const
    {
        for (int y = -kGuard; y < height_ + kGuard; ++y) {
            for (int x = -kGuard; x < width_ + kGuard; ++x) {
                const bool inside = x >= 0 && y >= 0 && x < width_ && y < height_;
                if (!inside && pixels_[Index(x, y)] != kGuardPixel) {
                    return false;
                }
            }
        }
        return true;
    }
    bool Untouched() const
    {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                if (pixels_[Index(x, y)] != kBackground) {
                    return false;
                }
            }
        }
        return true;
    }

private:
    size_t Index(int x, int y) const { return static_cast<size_t>((y + kGuard) * stride_ + x + kGuard); }

    int width_;
    int height_;
    int stride_;
    CPoint origin_;
    std::vector<uint32_t> pixels_;
};

TEST(CableGeometry, PiecesAreClassifiedByKindAndDirection)
{
    struct Case {
        int x1, y1, x2, y2;
        SegmentKind kind;
        uint8_t direction;
    };
    const Case cases[] = {
        {0, 0, 10, 0, SegmentKind::Kind4And10, 1},  {10, 0, 0, 0, SegmentKind::Kind4And10, 2},
        {0, 0, 0, 10, SegmentKind::Kind1And7, 3},   {0, 10, 0, 0, SegmentKind::Kind1And7, 4},
        {0, 0, 10, 10, SegmentKind::Kind4And10, 1}, {0, 10, 10, 0, SegmentKind::Kind2And8, 1},
        {0, 0, 3, 10, SegmentKind::Kind5And11, 3},  {3, 0, 0, 10, SegmentKind::Kind1And7, 3},
        {10, 10, 0, 0, SegmentKind::Kind4And10, 2}, {0, 0, 10, 3, SegmentKind::Kind4And10, 1},
    };
    for (const Case& c : cases) {
        const SegmentClass got = ClassifySegment(c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(got, (SegmentClass{c.kind, c.direction})) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
    }
}

// A test chain built from a polyline, as a curved cable builds its own.
class PolylineRenderer final : public CRenderSegmentLineABC {
public:
    PolylineRenderer(const std::vector<CPoint>& points, bool threeD) : CRenderSegmentLineABC(Key(0, 0, 1, 1), 0, threeD)
    {
        uint8_t direction = 0;
        for (size_t i = 1; i < points.size(); ++i) {
            direction = AddPiece(Key(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y), direction);
        }
        UniteRects();
    }
};

TEST(CableGeometry, ThreeDChainsGetCornersAtTheirBends)
{
    // right, down, left, up, right: bends 1-3, 3-2, 2-4, 4-1 (the last makes no corner).
    const PolylineRenderer chain({{10, 10}, {30, 10}, {30, 30}, {10, 30}, {10, 12}, {40, 12}}, true);
    EXPECT_EQ(Describe(chain),
              (std::vector<std::string>{"seg 4And10 1", "pie 12 30,10", "seg 1And7 3", "pie 45 30,30", "seg 4And10 2",
                                        "pie 78 10,30", "seg 1And7 4", "seg 4And10 1"}));
    // Down then right, up then left.
    EXPECT_EQ(Describe(PolylineRenderer({{5, 5}, {5, 20}, {20, 20}, {20, 8}, {2, 8}}, true)),
              (std::vector<std::string>{"seg 1And7 3", "pie 78 5,20", "seg 4And10 1", "pie 45 20,20", "seg 1And7 4",
                                        "pie 12 20,8", "seg 4And10 2"}));
    // Thin chains have no corners; a piece whose ends coincide is left out.
    EXPECT_EQ(Describe(PolylineRenderer({{10, 10}, {30, 10}, {30, 10}, {30, 30}}, false)),
              (std::vector<std::string>{"seg 4And10 1", "seg 1And7 3"}));
    EXPECT_EQ(Describe(PolylineRenderer({{10, 10}, {30, 10}, {30, 10}, {30, 30}}, true)),
              (std::vector<std::string>{"seg 4And10 1", "pie 12 30,10", "seg 1And7 3"}));
}

TEST(CableGeometry, AStraightCableRepaintsFortyPixelPartsAlongItself)
{
    struct Case {
        int length;
        size_t parts;
    };
    for (const Case c : {Case{40, 1}, Case{41, 1}, Case{79, 1}, Case{80, 2}, Case{200, 5}}) {
        for (const bool threeD : {true, false}) {
            const CRenderStraightLine line(Key(100, 100, 100 + c.length, 110), 0, threeD);
            ASSERT_EQ(line.GetRegionParts().size(), c.parts) << c.length;
            if (c.length <= CRenderStraightLine::kPartLength) {
                EXPECT_EQ(line.GetRegionParts()[0], line.GetRect());
            }
            // The parts join along the line and cover its ends.
            EXPECT_TRUE(line.GetRegionParts().front().Contains(100, 100));
            EXPECT_TRUE(line.GetRegionParts().back().Contains(100 + c.length, 110));
        }
    }
    // Shallow parts widen at top and bottom only, steep ones on all sides.
    const CRenderStraightLine shallow(Key(0, 0, 80, 10), 0, true);
    EXPECT_EQ(shallow.GetRegionParts()[0], CRect(0, -3, 41, 9));
    const CRenderStraightLine steep(Key(0, 0, 10, 80), 0, false);
    EXPECT_EQ(steep.GetRegionParts()[1], CRect(4, 39, 12, 82));
    // A straight cable is one piece from end 1 to end 2.
    EXPECT_EQ(Describe(shallow), (std::vector<std::string>{"seg 4And10 1"}));
}

TEST(CableGeometry, TheSnakeSamplesByLengthAndKeepsItsShape)
{
    EXPECT_EQ(CSnakeShape(Key(0, 0, 10, 0), 7).GetInitialCount(), 5);
    EXPECT_EQ(CSnakeShape(Key(0, 0, 60, 80), 7).GetInitialCount(), 10);
    EXPECT_EQ(CSnakeShape(Key(0, 0, 300, 0), 7).GetInitialCount(), 20);
    EXPECT_EQ(CSnakeShape(Key(0, 0, 3000, 0), 7).GetInitialCount(), 20);

    const CSnakeShape a(Key(40, 300, 500, 120), 99);
    const CSnakeShape b(Key(40, 300, 500, 120), 99);
    EXPECT_EQ(a.GetParameters(), b.GetParameters());
    ASSERT_EQ(a.GetPoints().size(), b.GetPoints().size());
    for (size_t i = 0; i < a.GetPoints().size(); ++i) {
        EXPECT_EQ(a.GetPoints()[i], b.GetPoints()[i]);
    }
    // From end 2 to end 1, the last parameter 1, points at least 4 apart but the last.
    EXPECT_EQ(a.GetPoints().front(), CPoint(500, 120));
    EXPECT_EQ(a.GetPoints().back(), CPoint(40, 300));
    EXPECT_FLOAT_EQ(a.GetParameters().back(), 1.0F);
    EXPECT_FLOAT_EQ(a.GetParameters().front(), 0.0F);
    for (size_t i = 1; i + 1 < a.GetPoints().size(); ++i) {
        const int dx = a.GetPoints()[i].x - a.GetPoints()[i - 1].x;
        const int dy = a.GetPoints()[i].y - a.GetPoints()[i - 1].y;
        EXPECT_GE(dx * dx + dy * dy, 16);
    }
    // Another shape byte bends the curve another way.
    bool differs = false;
    for (uint8_t shape = 0; shape < 8 && !differs; ++shape) {
        const CSnakeShape other(Key(40, 300, 500, 120), shape);
        differs = other.GetPoints().size() != a.GetPoints().size() ||
            !std::equal(other.GetPoints().begin(), other.GetPoints().end(), a.GetPoints().begin());
    }
    EXPECT_TRUE(differs);
}

TEST(CableGeometry, SnakePiecesChainFromEndTwoToEndOne)
{
    for (const bool threeD : {true, false}) {
        const CRenderSnake snake(Key(30, 40, 250, 90), 2, 17, threeD);
        const std::vector<CablePiece>& segments = snake.GetPieces();
        ASSERT_GE(segments.size(), 2u);
        CRect united = snake.GetRaster(segments.front()).GetRect();
        for (const CablePiece& piece : segments) {
            united.Union(snake.GetRaster(piece).GetRect());
            if (const std::optional<CRender3DPie> corner = snake.GetCorner(piece)) {
                united.Union(corner->GetRect());
            }
        }
        EXPECT_EQ(segments.front().x1, 250);
        EXPECT_EQ(segments.front().y1, 90);
        EXPECT_EQ(segments.back().x2, 30);
        EXPECT_EQ(segments.back().y2, 40);
        for (size_t i = 1; i < segments.size(); ++i) {
            EXPECT_EQ(segments[i].x1, segments[i - 1].x2);
            EXPECT_EQ(segments[i].y1, segments[i - 1].y2);
        }
        EXPECT_EQ(snake.GetRect(), united);
    }
}

TEST(CablePixels, AThinHorizontalPieceWritesItsColourOnItsCentreRow)
{
    GuardedPicture picture(64, 32, CPoint(100, 200));
    CPixelTarget target = picture.Target(picture.Frame());
    CRenderStraightLine line(Key(110, 210, 150, 210), 2, false);
    line.Draw(picture.Frame(), target);
    for (int x = 110; x <= 150; ++x) {
        EXPECT_EQ(picture.At(x, 210), 0x00E6E650u) << x; // logic: red E6, green E6, blue 50
    }
    EXPECT_EQ(picture.At(109, 210), GuardedPicture::kBackground);
    EXPECT_EQ(picture.At(151, 210), GuardedPicture::kBackground);
    // Highlighted, the same piece shows the highlight colour.
    line.SetHighlight(true);
    line.Draw(picture.Frame(), target);
    EXPECT_EQ(picture.At(130, 210), 0x009BFFFFu);
    EXPECT_TRUE(picture.GuardIntact());
}

TEST(CablePixels, ThreeDPiecesShadeAcrossAndHighlightInTheHighlightColour)
{
    GuardedPicture picture(64, 32, CPoint(0, 0));
    CPixelTarget target = picture.Target(picture.Frame());
    CRenderStraightLine line(Key(5, 10, 50, 10), 1, true);
    line.Draw(picture.Frame(), target);
    // Three rows across, brightest near the upper edge, none the background.
    const uint32_t top = picture.At(20, 9);
    const uint32_t mid = picture.At(20, 10);
    const uint32_t low = picture.At(20, 11);
    EXPECT_NE(top, GuardedPicture::kBackground);
    EXPECT_GT(top & 0xFF, low & 0xFF);
    EXPECT_GT(mid & 0xFF, low & 0xFF);
    EXPECT_EQ(picture.At(20, 8), GuardedPicture::kBackground);
    EXPECT_EQ(picture.At(20, 12), GuardedPicture::kBackground);
    line.SetHighlight(true);
    line.Draw(picture.Frame(), target);
    const uint32_t lit = picture.At(20, 10);
    // Highlight: green and blue full, red lower.
    EXPECT_EQ((lit >> 8) & 0xFF, lit & 0xFF);
    EXPECT_LT((lit >> 16) & 0xFF, lit & 0xFF);
}

TEST(CablePixels, CurvedCablesDrawTheirFixedPictureLitInPartMovedAndRecoloured)
{
    // 3D snakes with corners at their bends, drawn whole, lit within a part
    // of the picture, then moved and given another colour: the picture
    // after each step is folded into one fingerprint, fixed here.
    constexpr int kWidth = 320;
    constexpr int kHeight = 200;
    std::vector<uint32_t> pixels(kWidth * kHeight, GuardedPicture::kBackground);
    const CRect frame(0, 0, kWidth, kHeight);
    uint64_t fingerprint = 1469598103934665603ULL;
    const auto fold = [&] {
        for (const uint32_t pixel : pixels) {
            fingerprint = (fingerprint ^ pixel) * 1099511628211ULL;
        }
    };
    auto* const bytes = reinterpret_cast<uint8_t*>(pixels.data());
    for (const uint8_t shape : {0, 17, 40, 80}) {
        for (const uint32_t colour : {0u, 3u, 6u}) {
            CRenderSnake snake(Key(30, 40, 250, 150 - shape), colour, shape, true);
            CPixelTarget all(bytes, kWidth * 4, frame, frame);
            snake.Draw(frame, all);
            fold();
            snake.SetHighlight(true);
            const CRect part(60, 0, 200, 120);
            CPixelTarget some(bytes, kWidth * 4, frame, part);
            snake.Draw(part, some);
            fold();
            snake.Move(7, -5);
            snake.SetColour(colour + 1);
            snake.Draw(frame, all);
            fold();
        }
    }
    EXPECT_EQ(fingerprint, 0xc186cff61f895bb4ULL);
}

TEST(CablePixels, TheRampStaysWithinBytes)
{
    for (int i = 0; i < cableshades::kRampLength; ++i) {
        const float value = cableshades::RampBrightness(i);
        EXPECT_GE(value, -0.001F) << i;
        EXPECT_LE(value, 255.001F) << i;
    }
    // The dark ends are black, not a wrapped -1.
    for (uint32_t colour = 0; colour < 7; ++colour) {
        EXPECT_EQ(cableshades::Ramp(colour, false)[cableshades::kRampLength - 1], 0u);
        EXPECT_EQ(cableshades::Ramp(colour, true)[0], 0u);
    }
}

TEST(CablePixels, CornersDrawOnlyWhollyInsideTheUpdateAndNeverPastARow)
{
    GuardedPicture picture(20, 10, CPoint(0, 0));
    // A corner at the picture's right edge: its pixels stay in the row.
    CRender3DPie edge(PieKind::Pie78, 19, 5, 0);
    CPixelTarget whole = picture.Target(picture.Frame());
    edge.Draw(picture.Frame(), whole);
    EXPECT_TRUE(picture.GuardIntact());
    EXPECT_EQ(edge.GetRect(), CRect(18, 5, 20, 7));
    EXPECT_NE(picture.At(19, 5), GuardedPicture::kBackground);
    // Straddling the update rectangle: not drawn in that pass.
    GuardedPicture other(20, 10, CPoint(0, 0));
    CRender3DPie pie(PieKind::Pie45, 8, 3, 0);
    const CRect update(0, 0, 10, 10);
    CPixelTarget part = other.Target(update);
    pie.Draw(update, part);
    EXPECT_TRUE(other.Untouched());
    pie.Draw(CRect(0, 0, 20, 10), part);
    EXPECT_TRUE(other.Untouched()); // the target's own clip still holds it back
    CPixelTarget all = other.Target(other.Frame());
    pie.Draw(other.Frame(), all);
    EXPECT_NE(other.At(8, 3), GuardedPicture::kBackground);
}

TEST(CablePixels, RandomCablesAtThePictureEdgesWriteOnlyInsideIt)
{
    std::mt19937 random(1234);
    const CPoint origin(37, 11);
    for (int round = 0; round < 300; ++round) {
        GuardedPicture picture(57, 41, origin);
        auto near = [&](int low, int size) {
            std::uniform_int_distribution<int> edge(0, 3);
            std::uniform_int_distribution<int> any(low - 30, low + size + 30);
            const int e = edge(random);
            return e == 0 ? low + (any(random) % 3) : e == 1 ? low + size - 1 - (any(random) % 3) : any(random);
        };
        CCableRenderList list;
        list.SetStyle(static_cast<uint32_t>(round % 4));
        for (int c = 0; c < 6; ++c) {
            list.AddCable({static_cast<uint8_t>(c), 0, 1}, {static_cast<uint8_t>(c), 1, 0},
                          CPoint(near(origin.x, 57), near(origin.y, 41)),
                          CPoint(near(origin.x, 57), near(origin.y, 41)), static_cast<uint8_t>(c));
        }
        if (round % 3 == 0) {
            list.HighlightCable({0, 0, 1}, {0, 1, 0});
        }
        std::uniform_int_distribution<int> cut(0, 30);
        const CRect update(origin.x - cut(random), origin.y - cut(random), origin.x + 57 + cut(random) - 20,
                           origin.y + 41 + cut(random) - 10);
        CPixelTarget target = picture.Target(update);
        list.DrawInto(update, target);
        ASSERT_TRUE(picture.GuardIntact()) << "round " << round;
    }
}

TEST(CableRenderList, CablesAreFoundEitherWayRoundAndRebuiltOnAStyleChange)
{
    CCableRenderList list;
    const JackAddress a{1, 0, 1};
    const JackAddress b{2, 3, 0};
    list.AddCable(a, b, CPoint(10, 10), CPoint(200, 80), 4);
    list.AddCable({3, 0, 1}, {4, 0, 0}, CPoint(5, 5), CPoint(5, 5), 1);
    ASSERT_NE(list.FindCable(b, a), nullptr);
    list.HighlightCable(b, a);
    EXPECT_TRUE(list.IsCableHighlighted(a, b));
    list.SetCableColour(b, a, 5);
    EXPECT_EQ(list.FindCable(a, b)->GetColour(), 5u);
    // A cable whose ends coincide covers nothing.
    EXPECT_TRUE(list.FindCable({3, 0, 1}, {4, 0, 0})->GetRect().IsEmpty());

    const CRenderLineABC* before = list.FindCable(a, b);
    EXPECT_FALSE(list.SetStyle(list.GetStyle()));
    EXPECT_EQ(list.FindCable(a, b), before);
    EXPECT_TRUE(list.SetStyle(CCableRenderList::kStraightThin));
    EXPECT_NE(dynamic_cast<const CRenderStraightLine*>(list.FindCable(a, b)), nullptr);
    EXPECT_EQ(list.FindCable(a, b)->GetColour(), 5u);
    EXPECT_TRUE(list.IsCableHighlighted(a, b));

    const CRect rect = list.FindCable(a, b)->GetRect();
    list.MoveAll(CPoint(0, 0));
    EXPECT_EQ(list.FindCable(a, b)->GetRect(), rect);
    list.MoveAll(CPoint(3, -2));
    CRect moved = rect;
    moved.Offset(3, -2);
    EXPECT_EQ(list.FindCable(a, b)->GetRect(), moved);

    list.ClearHighlights();
    EXPECT_FALSE(list.IsCableHighlighted(a, b));
    list.RemoveCable(b, a);
    EXPECT_EQ(list.FindCable(a, b), nullptr);
    EXPECT_FALSE(list.IsCableHighlighted(a, b));
    list.RemoveCable(b, a); // not there: nothing
    EXPECT_EQ(list.GetCount(), 1u);
}

TEST(CableRenderList, HiddenColoursShowOnlyWhileHighlighted)
{
    GuardedPicture picture(80, 40, CPoint(0, 0));
    CCableRenderList list;
    list.SetStyle(CCableRenderList::kStraightThin);
    list.AddCable({1, 0, 1}, {2, 0, 0}, CPoint(5, 10), CPoint(70, 10), 2);
    list.AddCable({1, 1, 1}, {2, 1, 0}, CPoint(5, 20), CPoint(70, 20), 2);
    list.HideColour(2);
    EXPECT_FALSE(list.IsColourShown(2));
    list.HighlightCable({1, 1, 1}, {2, 1, 0});
    CPixelTarget target = picture.Target(picture.Frame());
    list.DrawInto(picture.Frame(), target);
    EXPECT_EQ(picture.At(30, 10), GuardedPicture::kBackground);
    EXPECT_EQ(picture.At(30, 20), 0x009BFFFFu);
}

} // namespace

// A canvas drawn on where its clip lets it (a paint of part of a window):
// cables blend into the pixels under them, so one written past the clip
// would blend again over a cable the paint left in place. In every style a
// slanting cable across two strips writes only inside the strips.
TEST(CableRenderList, ACanvasTakesCablesOnlyWithinItsClip)
{
    constexpr uint32_t kMark = 0x00123456;
    const platform::Region strips = platform::Region::Combine(
        platform::Region({0, 20, 200, 24}), platform::Region({0, 90, 200, 94}), platform::RegionOp::Or);
    for (uint32_t style = 0; style < 4; ++style) {
        NSHarrowen::CBitmap32 canvas(200, 120);
        canvas.FillRect(NSHarrowen::CRect(0, 0, 200, 120), NSHarrowen::CColor(0x1212, 0x3434, 0x5656));
        canvas.GetDC()->SelectClip(&strips);
        CCableRenderList list;
        list.SetStyle(style);
        list.AddCable({1, 0, 1}, {2, 0, 0}, CPoint(20, 5), CPoint(170, 110), 1);
        list.DrawAll(canvas);
        int written = 0;
        for (int y = 0; y < 120; ++y) {
            for (int x = 0; x < 200; ++x) {
                const uint32_t pixel = canvas.GetDC()->GetSurface().Row32(y)[x] & 0xFFFFFF;
                if (strips.Contains(x, y)) {
                    written += pixel != kMark ? 1 : 0;
                } else {
                    ASSERT_EQ(pixel, kMark) << "style " << style << " wrote outside its clip at " << x << "," << y;
                }
            }
        }
        EXPECT_GT(written, 0) << "style " << style << " drew nothing in the strips";
    }
}

TEST(CableRenderList, AShakeMarksCurvedCablesPendingOnce)
{
    CCableRenderList list;
    list.Reshape();
    EXPECT_FALSE(list.TakePendingChange()); // no cable to draw anew
    list.AddCable({1, 0, 1}, {2, 0, 0}, CPoint(10, 10), CPoint(200, 120), 0);
    list.Reshape();
    EXPECT_TRUE(list.TakePendingChange());
    EXPECT_FALSE(list.TakePendingChange());
    list.SetStyle(CCableRenderList::kStraight3D);
    list.Reshape();
    EXPECT_FALSE(list.TakePendingChange()); // straight cables keep their shape
}
