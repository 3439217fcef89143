// The note sequencer's strip: zoom by clicks, scrolling by the scroll bar,
// the view kept as the module's custom data, the notes it draws.
#include "tests/panels/GraphTestFixture.h"

#include "panels/graphs/PnlNoteSeqGraph.h"
#include "panels/items/PnlPushButtonItemABC.h"

#include <gtest/gtest.h>

namespace {

using NSHarrowen::CPoint;

constexpr uint8_t kNoteSeqB = 90;

class NoteSeqGraphTest : public paneltest::GraphTest {
protected:
    void SetUp() override
    {
        GraphTest::SetUp();
        seq = &AddModule(kNoteSeqB, 1);
        graph = &Item<CPnlNoteSeqGraph>(*seq);
    }
    // A click on the strip, well apart from the one before.
    void ClickStrip(bool control = false)
    {
        Wait(1000);
        HoldControl(control);
        Click(Inside(*graph, 100, 30));
        HoldControl(false);
        Redraw();
    }
    CPoint Bar(int dy) { return Inside(*graph, 193 + 5, dy); }
    void ClickBar(int dy)
    {
        Wait(1000);
        Click(Bar(dy));
        Redraw();
    }
    void PageUpToTheTop()
    {
        for (int i = 0; i < 40; ++i) {
            ClickBar(2);
        }
    }
    std::vector<uint8_t> View() const { return seq->GetCustomData(); }

    CModule* seq = nullptr;
    CPnlNoteSeqGraph* graph = nullptr;
};

TEST_F(NoteSeqGraphTest, AClickZoomsInAndKeepsTheMiddleOfTheView)
{
    ASSERT_EQ(graph->GetZoom(), 3);
    ASSERT_EQ(graph->GetScroll(), 52);
    ClickStrip();
    EXPECT_EQ(graph->GetZoom(), 4);
    EXPECT_EQ(graph->GetScroll(), 55);
    EXPECT_EQ(View(), (std::vector<uint8_t>{4, 55}));
    EXPECT_EQ(UndoCount(), 1u);
    patch->Undo();
    Redraw();
    EXPECT_EQ(View(), (std::vector<uint8_t>{3, 52}));
    EXPECT_EQ(graph->GetZoom(), 3);
}

TEST_F(NoteSeqGraphTest, TheSecondPressOfADoubleClickZoomsOnceMore)
{
    Wait(1000);
    DoubleClick(Inside(*graph, 100, 30));
    EXPECT_EQ(graph->GetZoom(), 5);
    EXPECT_EQ(UndoCount(), 2u);
}

TEST_F(NoteSeqGraphTest, ZoomStopsAtItsEndsWithoutAnEdit)
{
    for (int i = 0; i < 3; ++i) {
        ClickStrip();
    }
    ASSERT_EQ(graph->GetZoom(), 6);
    const size_t edits = UndoCount();
    ClickStrip();
    EXPECT_EQ(graph->GetZoom(), 6);
    EXPECT_EQ(UndoCount(), edits);
    for (int i = 0; i < 5; ++i) {
        ClickStrip(true);
    }
    ASSERT_EQ(graph->GetZoom(), 1);
    const size_t more = UndoCount();
    ClickStrip(true);
    EXPECT_EQ(graph->GetZoom(), 1);
    EXPECT_EQ(UndoCount(), more);
}

TEST_F(NoteSeqGraphTest, ZoomingOutIsRecordedEvenWhenTheScrollStays)
{
    for (int i = 0; i < 3; ++i) {
        ClickStrip();
    }
    const uint8_t scroll = graph->GetScroll();
    const size_t edits = UndoCount();
    // From 6 to 5 the middle stays at the same scroll.
    ClickStrip(true);
    EXPECT_EQ(graph->GetZoom(), 5);
    EXPECT_EQ(graph->GetScroll(), scroll);
    EXPECT_EQ(View(), (std::vector<uint8_t>{5, scroll}));
    EXPECT_EQ(UndoCount(), edits + 1);
    patch->Undo();
    EXPECT_EQ(graph->GetZoom(), 6);
}

TEST_F(NoteSeqGraphTest, TheArrowsPageUpToTheSpanOfEachZoom)
{
    const uint8_t spans[] = {58, 93, 105, 111, 114, 117};
    for (int i = 0; i < 2; ++i) {
        ClickStrip(true);
    }
    for (uint8_t zoom = 1; zoom <= 6; ++zoom) {
        ASSERT_EQ(graph->GetZoom(), zoom);
        EXPECT_EQ(CPnlNoteSeqGraph::Span(zoom), spans[zoom - 1]);
        PageUpToTheTop();
        EXPECT_EQ(graph->GetScroll(), spans[zoom - 1]) << int{zoom};
        EXPECT_EQ(graph->GetThumb(), 41);
        EXPECT_EQ(View(), (std::vector<uint8_t>{zoom, spans[zoom - 1]}));
        ClickStrip();
    }
}

TEST_F(NoteSeqGraphTest, TheArrowsPageBySevenLessTheZoom)
{
    ClickBar(2);
    EXPECT_EQ(graph->GetScroll(), 56);
    ClickBar(70);
    ClickBar(70);
    EXPECT_EQ(graph->GetScroll(), 48);
    EXPECT_EQ(UndoCount(), 3u);
    EXPECT_EQ(graph->GetThumb(), 48 * 41 / 105);
}

// Let go, or taken away by another program coming to the front (Alt+Tab
// with the button down): either way the view the thumb reached is recorded.
TEST_F(NoteSeqGraphTest, DraggingTheThumbRecordsTheViewOnceOnRelease)
{
    for (const bool otherProgram : {false, true}) {
        SCOPED_TRACE(otherProgram ? "another program activated" : "released");
        const uint8_t thumb = graph->GetThumb();
        const uint8_t scroll = graph->GetScroll();
        const size_t steps = UndoCount();
        const CPoint on = Bar(56 - thumb);
        Wait(1000);
        Press(on);
        Move(CPoint(on.x, static_cast<int16_t>(on.y - 10)));
        Wait(30);
        EXPECT_GT(graph->GetScroll(), scroll);
        EXPECT_GT(graph->GetThumb(), thumb);
        EXPECT_EQ(UndoCount(), steps);
        EXPECT_EQ(View(), (std::vector<uint8_t>{3, scroll}));
        if (otherProgram) {
            desktop.Host().SetApplicationFocus(false);
            Wait(30);
        }
        Release(CPoint(on.x, static_cast<int16_t>(on.y - 10)));
        desktop.Host().SetApplicationFocus(true);
        Move(CPoint(on.x, static_cast<int16_t>(on.y - 30)));
        Wait(30);
        EXPECT_EQ(UndoCount(), steps + 1);
        EXPECT_EQ(View(), (std::vector<uint8_t>{3, graph->GetScroll()}));
        patch->Undo();
        ASSERT_EQ(graph->GetScroll(), 52);
    }
}

TEST_F(NoteSeqGraphTest, AThumbPressedWithControlStaysWhereItIs)
{
    const CPoint on = Bar(56 - graph->GetThumb());
    Wait(1000);
    HoldControl(true);
    Press(on);
    Wait(30);
    EXPECT_EQ(graph->GetScroll(), 52);
    Release(on);
    HoldControl(false);
    EXPECT_EQ(graph->GetScroll(), 52);
}

TEST_F(NoteSeqGraphTest, TheViewComesBackFromCustomDataInRange)
{
    const size_t sent = synth.sent.size();
    const struct {
        std::vector<uint8_t> data;
        uint8_t zoom;
        uint8_t scroll;
        uint8_t thumb;
    } cases[] = {
        {{4, 55}, 4, 55, 55 * 41 / 111},
        {{0, 200}, 1, 58, 41}, // a zoom of 0 would divide by zero
        {{9, 10}, 6, 10, 10 * 41 / 117},
        {{6, 0}, 6, 0, 0},
    };
    for (const auto& c : cases) {
        SendCustomData(1, c.data);
        Redraw();
        EXPECT_EQ(graph->GetZoom(), c.zoom);
        EXPECT_EQ(graph->GetScroll(), c.scroll);
        EXPECT_EQ(graph->GetThumb(), c.thumb);
    }
    EXPECT_EQ(synth.sent.size(), sent);
    EXPECT_EQ(UndoCount(), 0u);
}

TEST_F(NoteSeqGraphTest, RandomNotesFallInTheVisibleRange)
{
    uint8_t low = 0;
    uint8_t high = 0;
    graph->GetVisibleRange(low, high);
    EXPECT_EQ(low, 53);
    EXPECT_EQ(high, 76);
    ClickStrip();
    ClickStrip();
    graph->GetVisibleRange(low, high);
    EXPECT_EQ(graph->GetZoom(), 5);
    EXPECT_EQ(low, graph->GetScroll() + 1);
    EXPECT_EQ(high, graph->GetScroll() + 1 + 14);
    auto& buttons = Item<CPnlSeqRangeClrRnd>(*seq);
    Wait(1000);
    Click(Inside(buttons, 10, 22));
    Redraw();
    for (uint8_t step = 0; step < 16; ++step) {
        EXPECT_GE(seq->GetValue(step), low) << int{step};
        EXPECT_LE(seq->GetValue(step), high) << int{step};
    }
}

TEST_F(NoteSeqGraphTest, NotesOutsideTheViewShowAsTriangles)
{
    // Step 0 far above, step 1 far below, step 2 inside (zoom 3, scroll 52).
    SetValues(1, {{0, 127}, {1, 0}, {2, 60}});
    const std::string pens = Pens(*graph);
    EXPECT_NE(pens.find("M0,5 L5,0g L10,5g L0,5g"), std::string::npos);
    EXPECT_NE(pens.find("M12,64 L17,69g L22,64g L12,64g"), std::string::npos);
    EXPECT_EQ(pens.find("M24,5 L29,0g"), std::string::npos);
    // Step 2's bar: d = 8, top 72 - 24 = 48, bottom 51, columns 24..34 of
    // the strip, which starts one pixel inside the frame.
    EXPECT_EQ(PixelAt(Inside(*graph, 1 + 24 + 5, 1 + 49)), 0x000000u);
    EXPECT_EQ(PixelAt(Inside(*graph, 1 + 24 + 5, 1 + 40)), 0xDCDCDCu);
}

} // namespace
