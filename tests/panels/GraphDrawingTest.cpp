// What the graphs put on the screen: when they redraw, the fill below
// their outline, the primitives' pieces, and a gallery of every graph.
#include "tests/panels/GraphTestFixture.h"

#include "panels/graphs/PnlEqMidGraph.h"
#include "panels/graphs/PnlGraphABC.h"
#include "panels/graphs/PnlNormalFilterGraph.h"
#include "panels/graphs/PnlPhaserGraph.h"
#include "platform/graphics/PixelBuffer.h"
#include "platform/graphics/PngWriter.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowPaint.h"
#include "synth/molecules/ModuleMolecules.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <sstream>

namespace {

using NSHarrowen::CPoint;
using NSHarrowen::CRect;

constexpr uint8_t kFilterE = 51;
constexpr uint8_t kPhaser = 102;
constexpr uint8_t kEqMid = 103;

constexpr uint32_t kBackground = 0x008080;
constexpr uint32_t kFill = 0xC0DCC0;
constexpr uint32_t kOutline = 0x000000;

class GraphDrawingTest : public paneltest::GraphTest {
protected:
    platform::PixelBuffer Shot()
    {
        Redraw();
        return platform::CaptureWindow(window->GetHandle());
    }
    // The pixel at a point of the window's client area.
    uint32_t At(const platform::PixelBuffer& shot, int x, int y) const
    {
        const platform::Rect client = platform::GetClientArea(window->GetHandle());
        return shot.At(client.left + x, client.top + y) & 0xFFFFFF;
    }
    // Below the first outline pixel of a column everything is fill or
    // outline; above it, and in a column without one, nothing is fill.
    void ExpectFilledBelowTheOutline(const NSHarrowen::CView& graph, const std::string& what)
    {
        const platform::PixelBuffer shot = Shot();
        CRect inner = graph.GetFrame();
        inner.Deflate(1);
        for (int x = inner.left; x < inner.right; ++x) {
            bool below = false;
            for (int y = inner.top; y < inner.bottom; ++y) {
                const uint32_t pixel = At(shot, x, y);
                if (below) {
                    ASSERT_TRUE(pixel == kFill || pixel == kOutline) << what << " at " << x << "," << y;
                } else {
                    ASSERT_NE(pixel, kFill) << what << " at " << x << "," << y;
                    below = pixel == kOutline;
                }
            }
        }
    }
};

TEST_F(GraphDrawingTest, AGraphRedrawsOnlyWhenOneOfItsValuesChanged)
{
    {
        paneltest::CPenRecorder recorder;
        AddModule(kEqMid, 1);
        EXPECT_NE(recorder.text, "") << "the first update draws";
    }
    {
        paneltest::CPenRecorder recorder;
        SetValues(1, {{3, 20}}); // a parameter the graph does not show
        Redraw();
        EXPECT_EQ(recorder.text, "");
    }
    paneltest::CPenRecorder recorder;
    SetValues(1, {{1, 100}});
    Redraw();
    EXPECT_NE(recorder.text, "");
}

TEST_F(GraphDrawingTest, TheFillCoversWhatLiesBelowTheOutline)
{
    CModule& eq = AddModule(kEqMid, 1);
    auto& bell = Item<CPnlEqMidGraph>(eq);
    for (const uint8_t gain : {uint8_t{64}, uint8_t{127}, uint8_t{0}}) {
        SetValues(1, {{0, 64}, {1, gain}, {2, 60}});
        ExpectFilledBelowTheOutline(bell, "bell " + std::to_string(gain));
    }
    CModule& phaser = AddModule(kPhaser, 2, 0, 5);
    SetValues(2, {{7, 90}, {5, 100}, {6, 3}});
    ExpectFilledBelowTheOutline(Item<CPnlPhaserGraph>(phaser), "phaser");
    CModule& filter = AddModule(kFilterE, 3, 0, 10);
    for (const uint8_t type : {uint8_t{0}, uint8_t{1}, uint8_t{2}, uint8_t{3}}) {
        SetValues(3, {{3, 70}, {6, 100}, {0, type}});
        ExpectFilledBelowTheOutline(Item<CPnlNormalFilterGraph>(filter), "filter " + std::to_string(type));
    }
}

TEST_F(GraphDrawingTest, FillSpotPixels)
{
    CModule& eq = AddModule(kEqMid, 1);
    auto& bell = Item<CPnlEqMidGraph>(eq);
    // Gain 64: the outline runs along the axis at y = 15 of the surface.
    SetValues(1, {{0, 64}, {1, 64}, {2, 60}});
    const CPoint origin = Inside(bell, 1, 1);
    const auto pixel = [&](int x, int y) { return PixelAt(CPoint(origin.x + x, origin.y + y)); };
    EXPECT_EQ(pixel(10, 5), kBackground);
    EXPECT_EQ(pixel(10, 15), kOutline);
    EXPECT_EQ(pixel(10, 16), kFill);
    EXPECT_EQ(pixel(40, 28), kFill);
    // The frame's sunken bevel.
    EXPECT_EQ(PixelAt(Inside(bell, 0, 0)), 0x7D7D7Du);

    // A low-pass at the lowest frequency ends its slope at x = 28: the
    // columns to its right have no outline and keep the background.
    CModule& filter = AddModule(kFilterE, 2, 0, 10);
    auto& response = Item<CPnlNormalFilterGraph>(filter);
    SetValues(2, {{3, 0}, {6, 0}, {0, 0}, {1, 0}, {7, 0}, {9, 0}});
    const CPoint inner = Inside(response, 1, 1);
    EXPECT_EQ(PixelAt(CPoint(inner.x + 10, inner.y + 20)), kFill);
    EXPECT_EQ(PixelAt(CPoint(inner.x + 45, inner.y + 20)), kBackground);
    EXPECT_EQ(PixelAt(CPoint(inner.x + 45, inner.y + 14)), 0xC0C0C0u);
}

// The primitives on the graph surface, one recorded call each.
TEST_F(GraphDrawingTest, BezierSegmentsAreTenPiecesAndPathsJoinEndToEnd)
{
    CModule& eq = AddModule(kEqMid, 1);
    CPnlGraphABC& graph = Item<CPnlEqMidGraph>(eq);
    const GraphPoint points[13] = {{0, 0},   {10, 0},  {10, 10}, {20, 10}, {30, 10}, {30, 20}, {40, 20},
                                   {50, 20}, {50, 30}, {60, 30}, {70, 30}, {70, 40}, {80, 40}};
    {
        paneltest::CPenRecorder recorder;
        graph.DrawBezierSegment(points, NSHarrowen::CColor(0, 0xFF00, 0));
        EXPECT_EQ(recorder.lines, 10);
        EXPECT_EQ(recorder.text.substr(0, 5), "M0,0 ");
        EXPECT_EQ(recorder.text.substr(recorder.text.size() - 7), "L20,10c");
    }
    {
        paneltest::CPenRecorder recorder;
        graph.DrawOutlineBezierPath(points, 13);
        EXPECT_EQ(recorder.lines, 40);
        for (const char* join : {"L20,10o M20,10", "L40,20o M40,20", "L60,30o M60,30"}) {
            EXPECT_NE(recorder.text.find(join), std::string::npos) << join;
        }
        EXPECT_EQ(recorder.text.substr(recorder.text.size() - 7), "L80,40o");
    }
    {
        paneltest::CPenRecorder recorder;
        graph.MoveTo(5, 5);
        graph.DrawOutlineBezierFromPen(points, 6);
        EXPECT_EQ(recorder.lines, 20);
        EXPECT_EQ(recorder.text.substr(0, 10), "M5,5 M5,5 ");
        EXPECT_NE(recorder.text.find("L10,10o M10,10"), std::string::npos);
        EXPECT_EQ(recorder.text.substr(recorder.text.size() - 7), "L30,20o");
    }
    {
        // Too few points for a segment draw nothing rather than read on.
        paneltest::CPenRecorder recorder;
        graph.DrawOutlineBezierPath(points, 3);
        graph.DrawOutlineBezierFromPen(points, 2);
        EXPECT_EQ(recorder.lines, 0);
    }
}

TEST_F(GraphDrawingTest, AnArcBetweenPointsOfOneAngleOnlyCloses)
{
    CModule& eq = AddModule(kEqMid, 1);
    CPnlGraphABC& graph = Item<CPnlEqMidGraph>(eq);
    paneltest::CPenRecorder recorder;
    graph.MoveTo(0, 10);
    graph.DrawArc(0, 0, 20, 20, 30, 10, 40, 10, 20, 10);
    // Only the closing line, from the "to" point back to the pen.
    EXPECT_EQ(recorder.text, "M0,10 M20,10 L0,10c M20,10");
}

TEST_F(GraphDrawingTest, GalleryOfEveryGraphAtItsTypesDefaults)
{
    const struct {
        uint8_t type;
        const char* name;
    } types[] = {{20, "ADSR"},    {84, "AD"},      {23, "ModEnv"},   {46, "AHD"},        {52, "MultiEnv"},
                 {51, "Filter"},  {92, "Classic"}, {102, "Phaser"},  {108, "Vocoder"},   {103, "EqMid"},
                 {104, "EqHiLo"}, {24, "LFOA"},    {25, "LFOB"},     {80, "SlaveLFOA"},  {61, "DistA"},
                 {62, "DistB"},   {74, "Wrap"},    {115, "AmpProc"}, {21, "Compressor"}, {105, "Expander"},
                 {90, "NoteSeq"}};
    constexpr int kCellWidth = 212;
    constexpr int kCellHeight = 80;
    constexpr int kColumns = 3;
    platform::PixelBuffer gallery(kCellWidth * kColumns, kCellHeight * 7, 0xFFFFFF);
    int cell = 0;
    for (const auto& t : types) {
        CModule& module = AddModule(t.type, 1);
        CPnlGraphABC& graph = Item<CPnlGraphABC>(module);
        const CRect frame = graph.GetFrame();
        const platform::PixelBuffer shot = Shot();
        EXPECT_EQ(At(shot, frame.left, frame.top), 0x7D7D7Du) << t.name;
        const int left = (cell % kColumns) * kCellWidth + 4;
        const int top = (cell / kColumns) * kCellHeight + 4;
        for (int y = 0; y < frame.Height(); ++y) {
            for (int x = 0; x < frame.Width(); ++x) {
                gallery.Set(left + x, top + y, At(shot, frame.left + x, frame.top + y));
            }
        }
        ++cell;
        CMoleculePacket packet;
        packet.Append(std::make_unique<CMModuleDelete>(kArea, 1));
        patch->ApplyMoleculeList(packet);
        Redraw();
    }
    const std::filesystem::path folder = TORVAN_TEST_OUTPUT_DIR;
    std::filesystem::create_directories(folder);
    const std::filesystem::path png = folder / "graphs-gallery.png";
    platform::WritePng(png.string(), gallery);
    std::cout << "graph gallery: " << png << "\n";
    EXPECT_TRUE(std::filesystem::exists(png));
}

} // namespace
