// The knob painters as the controls drive them: positions, the morph
// sector's kinds and tint, the focus marker, and the wrap of the
// millisecond clock under a held arrow.
#include "tests/panels/PanelTestFixture.h"

#include "framework/images/Bitmap.h"
#include "panels/items/PnlKnobs.h"
#include "panels/painters/KnobPainters.h"
#include "panels/painters/PictureKeys.h"
#include "panels/panel/Module.h"
#include "synth/molecules/AssignMolecules.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/ParamMolecules.h"

#include <gtest/gtest.h>

namespace {

using NSHarrowen::CPoint;

constexpr uint8_t kOscA = 7;

class KnobPainterTest : public paneltest::PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        osc = &AddModule(kOscA, 1);
        knob = dynamic_cast<CPnlBigKnob*>(osc->GetControl(0));
        ASSERT_NE(knob, nullptr);
    }
    void Apply(std::unique_ptr<CMolecule> molecule)
    {
        CMoleculePacket packet;
        packet.Append(std::move(molecule));
        patch->ApplyMoleculeList(packet);
        Redraw();
    }
    CPoint InKnob(int dx, int dy)
    {
        return CPoint(static_cast<int16_t>(knob->GetFrame().left + dx),
                      static_cast<int16_t>(knob->GetFrame().top + dy));
    }

    CModule* osc = nullptr;
    CPnlBigKnob* knob = nullptr;
};

TEST_F(KnobPainterTest, ArcKindsFollowTheMorphStartAndEnd)
{
    CBigKnobGUI painter(*knob);
    const struct {
        int start;
        int end;
        uint8_t kind;
    } cases[] = {{10, 20, 0}, {20, 10, 1}, {50, 40, 2}, {40, 50, 3},
                 {10, 50, 4}, {50, 10, 5}, {12, 12, 0}, {40, 40, 3}};
    for (const auto& c : cases) {
        painter.SetMorphStart(c.start);
        painter.SetMorphEnd(c.end);
        EXPECT_EQ(painter.GetArcKind(), c.kind) << c.start << "-" << c.end;
    }
    painter.SetPosition(70);
    EXPECT_EQ(painter.GetPosition(), 63);
    painter.SetPosition(-3);
    EXPECT_EQ(painter.GetPosition(), 0);
}

TEST_F(KnobPainterTest, TheControlHandsThePainterItsPositionsAndMarks)
{
    Apply(std::make_unique<CMParamChange>(kArea, 1, 0, 127));
    EXPECT_EQ(knob->GetPainter().GetPosition(), 63); // 127 * 64 / 127 = 64, shown as 63
    Apply(std::make_unique<CMParamChange>(kArea, 1, 0, 0));
    EXPECT_EQ(knob->GetPainter().GetPosition(), 0);
    // A step count of 0 shows the first position instead of dividing by it.
    knob->SetStepCount(0);
    Redraw();
    EXPECT_EQ(knob->GetPainter().GetPosition(), 0);
    knob->SetStepCount(127);

    Apply(std::make_unique<CMParamChange>(kArea, 1, 0, 32));
    Apply(std::make_unique<CMMorphAssign>(ParamAddress{kArea, 1, 0}, 1, 64, 0));
    EXPECT_EQ(knob->GetPainter().GetMorphGroup(), 1);
    EXPECT_EQ(knob->GetPainter().GetMorphStart(), 32 * 64 / 127);
    EXPECT_EQ(knob->GetPainter().GetMorphEnd(), 96 * 64 / 127);
}

TEST_F(KnobPainterTest, TheMorphSectorIsTintedInTheGroupsColour)
{
    Apply(std::make_unique<CMParamChange>(kArea, 1, 0, 0));
    // Straight up from the centre, inside the face: untinted at first.
    const CPoint top = InKnob(14, 6);
    const uint32_t plain = PixelAt(top);
    Apply(std::make_unique<CMMorphAssign>(ParamAddress{kArea, 1, 0}, 0, 127, 0));
    const uint32_t red = PixelAt(top);
    EXPECT_NE(red, plain);
    EXPECT_GT((red >> 16) & 0xFF, red & 0xFF) << "group 0 tints red";
    Apply(std::make_unique<CMMorphAssign>(ParamAddress{kArea, 1, 0}, 2, 127, 0));
    const uint32_t blue = PixelAt(top);
    EXPECT_GT(blue & 0xFF, (blue >> 16) & 0xFF) << "group 2 tints blue";
    // No range, no sector.
    Apply(std::make_unique<CMMorphChange>(kArea, 1, 0, 0));
    EXPECT_NE(PixelAt(top), blue);
}

TEST_F(KnobPainterTest, TheFocusedParameterShowsItsMarkerUnderTheKnob)
{
    // Row 30 of the item: below the knob, inside the 29 x 8 marker.
    std::vector<uint32_t> before;
    for (int x = 0; x < 29; ++x) {
        before.push_back(PixelAt(InKnob(x, 30)));
    }
    Click(InKnob(14, 10)); // the edit focuses the parameter
    EXPECT_EQ(patch->GetParamFocus(), (ParamAddress{kArea, 1, 0}));
    NSHarrowen::CABCBitmap* marker = NSHarrowen::GetImage(JpegPicture(kBigKnobGeometry.markerPicture));
    ASSERT_NE(marker, nullptr);
    bool changed = false;
    for (int x = 0; x < 29; ++x) {
        const uint32_t shown = PixelAt(InKnob(x, 30));
        EXPECT_EQ(shown, marker->GetDC()->GetPixel(30 + x, 6).value_or(0) & 0xFFFFFF) << x;
        changed = changed || shown != before[static_cast<size_t>(x)];
    }
    EXPECT_TRUE(changed);
}

TEST_F(KnobPainterTest, ArrowRepeatsKeepTheirPaceAcrossTheClocksWrap)
{
    // Just before the 32-bit millisecond clock wraps.
    const uint64_t now = desktop.Host().Now();
    desktop.Host().Advance((uint64_t{1} << 32) - (now % (uint64_t{1} << 32)) - 200);
    const CPoint decrement = InKnob(4, 28);
    Press(decrement);
    EXPECT_EQ(osc->GetValue(0), 63);
    Wait(410); // the first repeat falls after the wrap
    EXPECT_EQ(osc->GetValue(0), 62);
    Wait(80);
    EXPECT_EQ(osc->GetValue(0), 61);
    Release(decrement);
}

} // namespace
