// The voice area's model through the molecules that the synthesizer and the
// patch files hand to a document: module, cable, value, name and custom
// data dumps, and the area's refusals.
#include "modules/ModuleCatalogueContent.h"
#include "panels/ModuleCatalogue.h"
#include "patch/area/DspLoadTable.h"
#include "patch/area/PatchBackground.h"
#include "patch/document/ModuleCursor.h"
#include "patch/document/PatchApplyError.h"
#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/ParamMolecules.h"
#include "synth/molecules/PatchMolecules.h"
#include "synth/protocol/ParamValueBlock.h"
#include "tests/support/patch/CableRenderDouble.h"
#include "tests/support/patch/PatchTestFixture.h"

#include <gtest/gtest.h>

namespace {

using testsupport::CModuleDouble;

constexpr uint8_t kOscA = 7;
constexpr uint8_t kMixer = 19;
constexpr uint8_t kAdsr = 20;
constexpr uint8_t kLfoA = 24;
constexpr uint8_t kTwoOutputs = 4;

class VoiceAreaTest : public testsupport::PatchTestFixture {
protected:
    CPatchBackground& Area(int index) { return *patch.GetArea(index); }
    CModuleDouble& Module(int area, uint8_t index)
    {
        return dynamic_cast<CModuleDouble&>(*Area(area).FindModule(index));
    }
};

TEST_F(VoiceAreaTest, TheErrorTableOfTheVoiceArea)
{
    // 127 modules fit; the 128th is "Too many modules".
    auto dump = std::make_unique<CMModuleDump>(1);
    for (uint8_t index = 1; index <= 127; ++index) {
        ASSERT_TRUE(dump->AddModule(index, kLfoA, index % 8, index));
    }
    Apply(std::move(dump));
    EXPECT_EQ(Area(1).GetModules().GetCount(), 127u);
    auto more = std::make_unique<CMModuleDump>(1);
    more->AddModule(0, kLfoA, 0, 0);
    EXPECT_EQ(ApplyForError(std::move(more)), "Too many modules");

    // Indices are per area: index 5 is free in area 0, taken in area 1.
    AddModules(0, {{5, kOscA}});
    auto twice = std::make_unique<CMModuleDump>(0);
    twice->AddModule(5, kMixer, 1, 1);
    EXPECT_EQ(ApplyForError(std::move(twice)), "Module already exist");

    const struct {
        uint8_t column;
        uint8_t row;
        const char* error;
    } positions[] = {{127, 127, ""}, {128, 0, "Invalid module position"}, {0, 128, "Invalid module position"}};
    uint8_t index = 20;
    for (const auto& position : positions) {
        auto placed = std::make_unique<CMModuleDump>(0);
        placed->AddModule(index++, kOscA, position.column, position.row);
        EXPECT_EQ(ApplyForError(std::move(placed)), position.error) << int(position.column) << "," << int(position.row);
    }

    auto unknown = std::make_unique<CMModuleDump>(0);
    unknown->AddModule(40, 126, 0, 0);
    EXPECT_EQ(ApplyForError(std::move(unknown)), "Module type doesn't exist");
}

TEST_F(VoiceAreaTest, AbsentModulesAreReportedByEveryOperationThatNamesThem)
{
    AddModules(0, {{1, kOscA}});
    auto names = std::make_unique<CMModuleNameDump>(0);
    names->AddName(2, "Nobody");
    EXPECT_EQ(ApplyForError(std::move(names)), "Module doesn't exist");
    auto values = std::make_unique<CMModuleParamDump>(0);
    values->SetParameter(2, kOscA, 0, 1);
    EXPECT_EQ(ApplyForError(std::move(values)), "Module doesn't exist");
    auto cables = std::make_unique<CMCableDump>(0);
    cables->AddCable(0, JackAddress{2, 0, 1}, JackAddress{1, 0, 0});
    EXPECT_EQ(ApplyForError(std::move(cables)), "Module doesn't exist");
    // Edits of an absent module are dropped without a report.
    EXPECT_EQ(ApplyForError(std::make_unique<CMModuleMove>(0, 2, 1, 1)), "");
    EXPECT_EQ(ApplyForError(std::make_unique<CMModuleDelete>(0, 2)), "");
    EXPECT_EQ(Area(0).GetModules().GetCount(), 1u);
}

TEST_F(VoiceAreaTest, AModuleDumpWhoseSecondModuleFailsKeepsTheOthersAndReportsOnce)
{
    auto dump = std::make_unique<CMModuleDump>(1);
    dump->AddModule(1, kOscA, 0, 0);
    dump->AddModule(2, kOscA, 200, 0); // beyond column 127
    dump->AddModule(3, kMixer, 1, 0);
    CMoleculePacket packet;
    packet.Append(std::move(dump));
    try {
        patch.ApplyMoleculeList(packet);
        FAIL() << "no error reported";
    } catch (const XPatchApplyError& error) {
        EXPECT_EQ(error.GetText(), "Invalid module position");
        EXPECT_EQ(error.GetErrorCount(), 1u);
    }
    EXPECT_TRUE(Area(1).GetModules().Has(1));
    EXPECT_FALSE(Area(1).GetModules().Has(2));
    EXPECT_TRUE(Area(1).GetModules().Has(3));
    EXPECT_FALSE(Area(1).GetStore().AreModulesPending()); // the part counts as received
}

TEST_F(VoiceAreaTest, APacketOfTwoFailingDumpsReportsTheFirstTextAndTheTotal)
{
    AddModules(1, {{1, kOscA}});
    CMoleculePacket packet;
    auto names = std::make_unique<CMModuleNameDump>(1);
    names->AddName(9, "Ghost");
    packet.Append(std::move(names));
    auto cables = std::make_unique<CMCableDump>(1);
    cables->AddCable(0, JackAddress{1, 7, 1}, JackAddress{1, 0, 0});
    cables->AddCable(0, JackAddress{1, 9, 1}, JackAddress{1, 0, 0});
    packet.Append(std::move(cables));
    try {
        patch.ApplyMoleculeList(packet);
        FAIL() << "no error reported";
    } catch (const XPatchApplyError& error) {
        EXPECT_EQ(error.GetText(), "Module doesn't exist");
        EXPECT_EQ(error.GetErrorCount(), 3u);
    }
}

TEST_F(VoiceAreaTest, ValuesNamesAndCustomDataReachTheModules)
{
    AddModules(1, {{1, kOscA}, {2, kAdsr}});
    const uint8_t count = Module(1, 1).GetParamCount();
    auto values = std::make_unique<CMModuleParamDump>(1);
    for (uint8_t param = 0; param < count; ++param) {
        values->SetParameter(1, kOscA, param, 1);
    }
    Apply(std::move(values));
    EXPECT_EQ(Module(1, 1).GetParamValue(count - 1), 1);

    auto names = std::make_unique<CMModuleNameDump>(1);
    names->AddName(2, "Env Amp");
    Apply(std::move(names));
    EXPECT_EQ(Module(1, 2).GetName(), "Env Amp");
    // The dump answers for every module of the area.
    EXPECT_FALSE(Module(1, 1).IsNamePending());

    // A value above the parameter's maximum, and a count that does not
    // match the module's parameters.
    auto high = std::make_unique<CMModuleParamDump>(1);
    high->SetParameter(1, kOscA, 0, 127);
    EXPECT_EQ(ApplyForError(std::move(high)), "Incomplete parameter data");
    EXPECT_EQ(Module(1, 1).GetParamValue(0), 1); // the incomplete module took none
    const CBuildModule& osc = GetSharedModuleCatalogue().GetBuilder(kOscA);
    uint8_t small = 0;
    while (osc.GetParamMax(small) == 127) {
        ++small;
    }
    ASSERT_LT(small, count);
    EXPECT_EQ(ApplyForError(std::make_unique<CMParamChange>(1, 1, small, osc.GetParamMax(small) + 1)), "");
    EXPECT_EQ(Module(1, 1).GetParamValue(small), 1);
    EXPECT_EQ(ApplyForError(std::make_unique<CMParamChange>(1, 1, count, 0)), "");
}

TEST_F(VoiceAreaTest, CustomDataIsBoundsCheckedAndChangesNothingWhenShort)
{
    uint8_t type = 0;
    uint8_t values = 0;
    for (uint8_t id = 1; id < 128 && type == 0; ++id) {
        if (GetSharedModuleCatalogue().FindBuilder(id) == nullptr) {
            continue;
        }
        if (auto module = services.CreateModule(id); module->GetCustomValueCount() != 0) {
            type = id;
            values = module->GetCustomValueCount();
        }
    }
    ASSERT_NE(type, 0);
    AddModules(0, {{1, type}});
    EXPECT_TRUE(Area(0).GetStore().IsCustomDataPending());

    auto dump = std::make_unique<CMModuleCustomDataDump>(0);
    dump->SetData(1, std::vector<uint8_t>(values, 3));
    Apply(std::move(dump));
    EXPECT_EQ(Module(0, 1).GetCustomData(), std::vector<uint8_t>(values, 3));
    EXPECT_FALSE(Area(0).GetStore().IsCustomDataPending());

    auto shortDump = std::make_unique<CMModuleCustomDataDump>(0);
    shortDump->SetData(1, std::vector<uint8_t>(values - 1, 9));
    EXPECT_EQ(ApplyForError(std::move(shortDump)), "Incomplete custom data");
    // A single edit with too few bytes reads past nothing either.
    Apply(std::make_unique<CMCustomData>(0, 1, std::vector<uint8_t>{}));
    EXPECT_EQ(Module(0, 1).GetCustomData(), std::vector<uint8_t>(values, 3));
}

TEST_F(VoiceAreaTest, CablesReachTheRenderersAndTheirLoopsAndA256thAreRefused)
{
    AddModules(1, {{1, kTwoOutputs}, {2, kMixer}, {3, kMixer}});
    auto dump = std::make_unique<CMCableDump>(1);
    dump->AddCable(0, JackAddress{2, 0, 1}, JackAddress{1, 0, 0});
    dump->AddCable(0, JackAddress{3, 0, 0}, JackAddress{2, 0, 1});
    Apply(std::move(dump));
    EXPECT_EQ(Area(1).GetStore().GetCableCount(), 2u);
    const auto& renderers = dynamic_cast<testsupport::CCableRenderDouble&>(Area(1).GetCableRenderers());
    ASSERT_EQ(renderers.GetCables().size(), 2u);
    EXPECT_EQ(renderers.GetCables()[0].point1, Module(1, 2).GetJackCenter(JackAddress{2, 0, 1}));

    // 1 and 3 are already joined through 2.
    auto loop = std::make_unique<CMCableDump>(1);
    loop->AddCable(0, JackAddress{1, 0, 0}, JackAddress{3, 0, 0});
    EXPECT_EQ(ApplyForError(std::move(loop)), "Jacks already connected");
    EXPECT_EQ(Area(1).GetStore().GetCableCount(), 2u);

    // Moving a module re-routes its cables.
    Apply(std::make_unique<CMModuleMove>(1, 2, 3, 40));
    EXPECT_EQ(renderers.GetCables()[0].point1, Module(1, 2).GetJackCenter(JackAddress{2, 0, 1}));

    // Deleting a module takes its cables along.
    Apply(std::make_unique<CMModuleDelete>(1, 2));
    EXPECT_EQ(Area(1).GetStore().GetCableCount(), 0u);
    EXPECT_TRUE(renderers.GetCables().empty());
    EXPECT_EQ(patch.GetLoadTable().GetCableCount(), 0u);
}

TEST_F(VoiceAreaTest, TheTwoHundredFiftySixthCableOfAnAreaIsRefused)
{
    // 128 mixers would be too many modules; chains of inputs to outputs of
    // 86 modules with three ends each make the cables.
    auto modules = std::make_unique<CMModuleDump>(0);
    for (uint8_t index = 1; index <= 127; ++index) {
        modules->AddModule(index, kMixer, index % 4, index);
    }
    Apply(std::move(modules));
    const uint8_t inputs = Module(0, 1).GetJackCount(false);
    ASSERT_GE(inputs, 2);
    // Each module's output feeds inputs of the next modules: a tree.
    auto cables = std::make_unique<CMCableDump>(0);
    uint8_t from = 1;
    uint8_t to = 2;
    uint8_t jack = 0;
    while (cables->GetCables().size() < 255) {
        cables->AddCable(0, JackAddress{from, 0, 1}, JackAddress{to, jack, 0});
        if (++to > 127) {
            to = 2;
            ++jack;
            from = 1;
        }
    }
    Apply(std::move(cables));
    ASSERT_EQ(Area(0).GetStore().GetCableCount(), 255u);
    Apply(std::make_unique<CMCableConnect>(0, JackAddress{1, 0, 1}, JackAddress{1, uint8_t(inputs - 1), 0}, 0, 0));
    EXPECT_EQ(Area(0).GetStore().GetCableCount(), 255u);
    EXPECT_FALSE(patch.ConnectCable(0, JackAddress{1, 0, 1}, JackAddress{1, uint8_t(inputs - 1), 0}));
}

TEST_F(VoiceAreaTest, RequestsAskOnlyForWhatIsPending)
{
    patch.LinkToSynth(&synth, 0, false);
    synth.sent.clear();
    EXPECT_TRUE(Area(1).RequestCables());
    ASSERT_EQ(synth.sent.size(), 1u);
    EXPECT_EQ(synth.sent[0].path, testsupport::CSynthLinkDouble::Path::Dump);
    EXPECT_EQ(synth.sent[0].ids, std::vector<uint8_t>{0x53});
    Apply(std::make_unique<CMCableDump>(1));
    EXPECT_FALSE(Area(1).RequestCables());
    EXPECT_EQ(synth.sent.size(), 1u);
    // No module, no module part to ask for.
    EXPECT_FALSE(Area(1).RequestModuleParams());
    EXPECT_FALSE(Area(1).RequestModuleName());
    EXPECT_TRUE(Area(1).RequestCustomData());
}

TEST_F(VoiceAreaTest, ModuleValuesGoToTheFirstFortyOfEachDisplayList)
{
    services.SetDisplayKind(kLfoA, 1);
    services.SetDisplayKind(kAdsr, 2);
    auto dump = std::make_unique<CMModuleDump>(1);
    for (uint8_t index = 1; index <= 42; ++index) {
        dump->AddModule(index, kLfoA, 0, index);
    }
    dump->AddModule(50, kAdsr, 2, 0);
    Apply(std::move(dump));
    AddModules(0, {{1, kAdsr}});
    ASSERT_EQ(Area(1).GetDisplayListB().size(), 42u);

    CParamValueBlock block;
    for (uint32_t entry = 0; entry < CParamValueBlock::kEntryCount; ++entry) {
        block.SetState(entry, 1 + entry % 3);
        block.SetValue(entry, 100 + entry);
    }
    size_t states = 0;
    size_t values = 0;
    Area(1).ApplyModuleValues(block, states, values);
    Area(0).ApplyModuleValues(block, states, values);
    EXPECT_EQ(states, 40u);
    EXPECT_EQ(values, 2u);
    EXPECT_EQ(Module(1, 40).GetMeterValues(), std::vector<uint16_t>{1 + 39 % 3});
    EXPECT_TRUE(Module(1, 41).GetMeterValues().empty());
    // The common area's module follows the poly area's in the block.
    EXPECT_EQ(Module(1, 50).GetMeterValues(), std::vector<uint16_t>{100});
    EXPECT_EQ(Module(0, 1).GetMeterValues(), std::vector<uint16_t>{101});
}

TEST_F(VoiceAreaTest, TheModuleCursorMovesOverColumnsAndWrapsInAColumn)
{
    auto dump = std::make_unique<CMModuleDump>(1);
    dump->AddModule(1, kOscA, 0, 0);
    dump->AddModule(2, kOscA, 0, 20);
    dump->AddModule(3, kOscA, 0, 40);
    dump->AddModule(4, kMixer, 2, 18);
    dump->AddModule(5, kMixer, 2, 24);
    Apply(std::move(dump));
    const auto at = [&](uint8_t module) { return CModuleCursor(patch, ParamAddress{1, module, 0}); };
    const auto indexOf = [](const CModuleCursor& c) { return c.GetModule()->GetModuleIndex(); };

    CModuleCursor cursor = at(1);
    cursor.MoveUp(); // from the top to the bottom of the column
    EXPECT_EQ(indexOf(cursor), 3);
    cursor.MoveDown();
    EXPECT_EQ(indexOf(cursor), 1);
    cursor.MoveDown();
    EXPECT_EQ(indexOf(cursor), 2);
    cursor.MoveRight(); // row 20: 18 and 24 are 2 and 4 away
    EXPECT_EQ(indexOf(cursor), 4);
    cursor.MoveRight(); // no column further right
    EXPECT_EQ(indexOf(cursor), 4);
    cursor = at(5);
    cursor.MoveLeft(); // row 24: 20 is nearest
    EXPECT_EQ(indexOf(cursor), 2);
    cursor = at(1);
    cursor.MoveLeft();
    EXPECT_EQ(indexOf(cursor), 1);

    // Parameters in the type's focus order, wrapping; a move to another
    // module starts at its parameter 0.
    const CBuildModule& osc = GetSharedModuleCatalogue().GetBuilder(kOscA);
    const auto order = osc.GetOrderList();
    ASSERT_GE(order.size(), 2u);
    cursor = CModuleCursor(patch, ParamAddress{1, 1, order[0]});
    cursor.NextParam();
    EXPECT_EQ(cursor.GetAddress(), (ParamAddress{1, 1, order[1]}));
    cursor.PreviousParam();
    cursor.PreviousParam();
    EXPECT_EQ(cursor.GetAddress(), (ParamAddress{1, 1, order.back()}));
    cursor.MoveDown();
    EXPECT_EQ(cursor.GetAddress(), (ParamAddress{1, 2, 0}));
}

TEST_F(VoiceAreaTest, TheCursorStepsBetweenTheAreasAndTheMorphKnobs)
{
    CModuleCursor cursor(patch);
    EXPECT_EQ(cursor.GetAddress(), (ParamAddress{2, 1, 0}));
    cursor.PreviousParam();
    EXPECT_EQ(cursor.GetMorphEntry(), 3);
    cursor.NextParam();
    EXPECT_EQ(cursor.GetMorphEntry(), 0);
    cursor.PreviousArea(); // both areas empty: stays
    EXPECT_EQ(cursor.GetAddress(), (ParamAddress{2, 1, 0}));

    AddModules(0, {{4, kOscA}});
    CModuleCursor fromCommon(patch, ParamAddress{0, 4, 0});
    fromCommon.NextArea(); // area 1 is empty
    EXPECT_EQ(fromCommon.GetAddress(), (ParamAddress{2, 1, 0}));
    fromCommon.PreviousArea();
    EXPECT_EQ(fromCommon.GetAddress(), (ParamAddress{0, 4, 0}));
}

} // namespace

namespace {

TEST_F(VoiceAreaTest, HeaderCableFlagsAndConnectorHighlightsReachTheRenderers)
{
    AddModules(1, {{1, kMixer}, {2, kMixer}, {3, kMixer}});
    auto dump = std::make_unique<CMCableDump>(1);
    dump->AddCable(0, JackAddress{1, 0, 1}, JackAddress{2, 0, 0});
    dump->AddCable(0, JackAddress{3, 0, 1}, JackAddress{2, 1, 0});
    Apply(std::move(dump));
    const auto& renderers = dynamic_cast<testsupport::CCableRenderDouble&>(Area(1).GetCableRenderers());

    CPatchHeader header;
    header.SetCableVisible(1, 0);
    Apply(std::make_unique<CMPatchHeaderDump>(header));
    EXPECT_FALSE(renderers.IsColourShown(1));
    EXPECT_TRUE(renderers.IsColourShown(0));
    EXPECT_FALSE(dynamic_cast<testsupport::CCableRenderDouble&>(Area(0).GetCableRenderers()).IsColourShown(1));

    // The branch at module 2's input: its one cable, not the other net's.
    Area(1).RedrawConnectorCables(JackAddress{2, 0, 0});
    ASSERT_EQ(renderers.GetCables().size(), 2u);
    EXPECT_TRUE(renderers.GetCables()[0].highlighted);
    EXPECT_FALSE(renderers.GetCables()[1].highlighted);
    Area(1).RedrawAllCables();
    EXPECT_FALSE(renderers.GetCables()[0].highlighted);
}

} // namespace
