#include "tests/support/patch/PatchTestFixture.h"

#include "framework/drawing/Canvas.h"
#include "framework/drawing/FontSpec.h"
#include "framework/drawing/PixelBufferPort.h"
#include "patch/area/LabelCache.h"
#include "patch/area/PatchBackground.h"
#include "patch/edit/EditPair.h"
#include "patch/maps/CtrlMap.h"
#include "patch/maps/KnobMap.h"
#include "patch/maps/MorphMap.h"
#include "platform/system/Clock.h"
#include "platform/system/VirtualClock.h"
#include "platform/system/ScopedClock.h"

#include <gtest/gtest.h>

using namespace NSHarrowen;

namespace {

constexpr uint32_t kPaper = 0x203040;
constexpr uint32_t kPaleYellow = 0xFFFFDF;

ParamAddress P(uint8_t module, uint8_t param)
{
    return ParamAddress{1, module, param};
}

class LabelCacheTest : public ::testing::Test {
protected:
    int16_t LabelHeight()
    {
        platform::PixelBuffer buffer(1, 1, 0);
        CPixelBufferPort port(buffer);
        CCanvas canvas(&port);
        return static_cast<int16_t>(canvas.GetFontHeight(GetStandardFont()) + 5);
    }

    platform::CVirtualClock clock{5000};
    platform::CScopedClock scope{clock};
    CView area;
    CLabelCache labels{area};
};

} // namespace

TEST_F(LabelCacheTest, ALabelIsAFramedPaleYellowBoxCentredOnItsControl)
{
    labels.AddParamLabel(P(1, 0), "Grp 1", CPoint(60, 40), false);
    const CLabelCache::Label* label = labels.FindParamLabel(P(1, 0));
    ASSERT_NE(label, nullptr);
    const CRect r = label->rect;
    EXPECT_EQ(r.Height(), LabelHeight());
    EXPECT_NEAR(r.left + r.Width() / 2, 60, 1);
    EXPECT_NEAR(r.top + r.Height() / 2, 40, 1);

    platform::PixelBuffer buffer(120, 80, kPaper);
    {
        CPixelBufferPort port(buffer);
        CCanvas canvas(&port);
        labels.DrawAll(canvas);
        EXPECT_EQ(r.Width(), canvas.GetStringWidth("Grp 1", GetStandardFont()) + 10);
    }
    EXPECT_EQ(buffer.At(r.left, r.top), 0u);
    EXPECT_EQ(buffer.At(r.right - 1, r.bottom - 1), 0u);
    EXPECT_EQ(buffer.At(r.left + 1, r.top + 1), kPaleYellow);
    EXPECT_EQ(buffer.At(r.left - 1, r.top), kPaper);
    bool text = false;
    for (int y = r.top + 1; y < r.bottom - 1; ++y)
        for (int x = r.left + 1; x < r.right - 1; ++x)
            text = text || (buffer.At(x, y) != kPaleYellow);
    EXPECT_TRUE(text);
}

TEST_F(LabelCacheTest, LabelsOfOneModuleStackDownwardsAndOneAddressHasOneLabel)
{
    const int16_t h = LabelHeight();
    labels.AddParamLabel(P(1, 0), "Knob1", CPoint(60, 40), false);
    labels.AddParamLabel(P(1, 1), "Ctrl 7", CPoint(60, 42), false);
    labels.AddParamLabel(P(1, 2), "Grp 2", CPoint(60, 40), false);
    const int16_t top0 = labels.FindParamLabel(P(1, 0))->rect.top;
    EXPECT_EQ(labels.FindParamLabel(P(1, 1))->rect.top, top0 + 2 + h + 2);
    // Past the first, then past the second as the scan goes on.
    EXPECT_EQ(labels.FindParamLabel(P(1, 2))->rect.top, top0 + 2 * (h + 2));
    // Another module's label does not move for these.
    labels.AddParamLabel(P(2, 0), "Pedal", CPoint(60, 40), false);
    EXPECT_EQ(labels.FindParamLabel(P(2, 0))->rect.top, top0);

    labels.AddParamLabel(P(1, 0), "Knob2", CPoint(60, 40), false);
    EXPECT_EQ(labels.GetCount(), 4u);
    EXPECT_EQ(labels.FindParamLabel(P(1, 0))->text, "Knob2");

    labels.MoveModuleLabels(1, 2, 256, 0);
    EXPECT_EQ(labels.FindParamLabel(P(2, 0))->rect.top, top0);
    EXPECT_GT(labels.FindParamLabel(P(2, 0))->rect.left, 256);
    labels.RemoveAll();
    EXPECT_EQ(labels.GetCount(), 0u);
}

TEST_F(LabelCacheTest, TemporaryLabelsGo50MsAfterTheirLastTouch)
{
    labels.AddParamLabel(P(1, 0), "64", CPoint(60, 40), true);
    labels.AddParamLabel(P(1, 5), "Knob3", CPoint(60, 140), false);
    EXPECT_EQ(labels.GetLiveCount(), 1u);
    clock.Advance(40);
    labels.AddParamLabel(P(1, 0), "65", CPoint(60, 40), true); // the control moved on
    clock.Advance(50);
    labels.DoPeriodicWork();
    EXPECT_NE(labels.FindParamLabel(P(1, 0)), nullptr);
    clock.Advance(1);
    labels.DoPeriodicWork();
    EXPECT_EQ(labels.FindParamLabel(P(1, 0)), nullptr);
    EXPECT_EQ(labels.GetLiveCount(), 0u);
    clock.Advance(10000);
    labels.DoPeriodicWork();
    EXPECT_NE(labels.FindParamLabel(P(1, 5)), nullptr);
}

TEST_F(LabelCacheTest, AValueBoxBecomesALabelWhenItIsDue)
{
    labels.SetParamLabelText(P(3, 1), "12 ms", CPoint(30, 30), 100);
    clock.Advance(99);
    labels.DoPeriodicWork();
    EXPECT_EQ(labels.FindParamLabel(P(3, 1)), nullptr);
    clock.Advance(1);
    labels.DoPeriodicWork();
    ASSERT_NE(labels.FindParamLabel(P(3, 1)), nullptr);
    EXPECT_EQ(labels.FindParamLabel(P(3, 1))->text, "12 ms");
    clock.Advance(51);
    labels.DoPeriodicWork();
    EXPECT_EQ(labels.FindParamLabel(P(3, 1)), nullptr);
}

TEST(LabelCacheTexts, KnobCodes)
{
    const std::pair<uint8_t, const char*> cases[] = {
        {0, "Knob1"}, {17, "Knob18"}, {18, "Knob19"}, {19, "Pedal"}, {20, "Aft tch"}, {21, "Knob22"}, {22, "On/Off"},
    };
    for (const auto& [code, text] : cases)
        EXPECT_EQ(CLabelCache::KnobText(code), text);
}

class AssignmentLabels : public testsupport::PatchTestFixture { };

TEST_F(AssignmentLabels, RebuildingShowsEveryAssignmentOfTheAreaOnItsControl)
{
    AddModules(1, {{1, 61}, {2, 61}});
    AddModules(0, {{1, 61}});
    auto pair = std::make_unique<CEditPair>();
    patch.GetKnobMap().MakeAssignMolecules(*pair, P(1, 0), 19);
    patch.ExecuteEdit(std::move(pair));
    pair = std::make_unique<CEditPair>();
    patch.GetCtrlMap().MakeAssignMolecules(*pair, P(2, 1), 7);
    patch.ExecuteEdit(std::move(pair));
    pair = std::make_unique<CEditPair>();
    patch.GetMorphMap().MakeAssignMolecules(*pair, P(2, 2), 3, 10);
    patch.GetMorphMap().MakeAssignMolecules(*pair, ParamAddress{0, 1, 0}, 0, 10);
    patch.ExecuteEdit(std::move(pair));

    CPatchBackground& area = *patch.GetArea(1);
    CLabelCache labels(area);
    labels.Rebuild(1, area.GetModules(), patch.GetMorphMap(), patch.GetKnobMap(), patch.GetCtrlMap());
    EXPECT_EQ(labels.GetCount(), 3u); // area 0's morph is not this area's
    EXPECT_EQ(labels.FindParamLabel(P(1, 0))->text, "Pedal");
    EXPECT_EQ(labels.FindParamLabel(P(2, 1))->text, "Ctrl 7");
    EXPECT_EQ(labels.FindParamLabel(P(2, 2))->text, "Grp 4");
    const CRect r = labels.FindParamLabel(P(2, 1))->rect;
    const CPoint centre = area.FindModule(2)->GetParamCenter(1);
    EXPECT_NEAR(r.left + r.Width() / 2, centre.x, 1);

    labels.RemoveAll();
    labels.AddValueLabels(1, area.GetModules(), false);
    EXPECT_EQ(labels.GetCount(), 6u);
    EXPECT_EQ(labels.FindParamLabel(P(2, 0))->text, area.FindModule(2)->GetParamDisplayText(0));
}
