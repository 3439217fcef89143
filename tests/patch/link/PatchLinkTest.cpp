// A document bound to a slot of a simulated synthesizer through the real
// synthesizer link: loaded part by part, edited, changed from the panel and
// replaced when the synthesizer changes the slot's patch.
#include "modules/ModuleCatalogueContent.h"
#include "panels/ModuleCatalogue.h"
#include "patch/area/PatchBackground.h"
#include "patch/document/Patch.h"
#include "patch/edit/EditPair.h"
#include "patch/edit/UndoHistory.h"
#include "patch/maps/KnobMap.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/ParamMolecules.h"
#include "tests/support/patch/ModuleDouble.h"
#include "tests/support/patch/SlotDocumentList.h"
#include "synth/link/LiveConfirmations.h"
#include "synth/link/Synth.h"
#include "tests/synth/LinkRig.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr uint8_t kOscA = 7;
constexpr uint8_t kMixer = 19;
constexpr uint8_t kAdsr = 20;
// Types with custom values: one and two.
constexpr uint8_t kFilterD = 49;
constexpr uint8_t kNoteSeqB = 90;

sim::SimModule Module(uint8_t type, int column, int row, std::string name)
{
    const CBuildModule& builder = GetSharedModuleCatalogue().GetBuilder(type);
    sim::SimModule module{type, column, row, std::move(name), {}, {}};
    for (const uint8_t value : builder.GetDefaults()) {
        module.params.push_back(value);
    }
    module.custom.assign(builder.GetLoadRecord().CustomValueCount(), 1);
    return module;
}

sim::SimPatch SomePatch(const std::string& name, int shift)
{
    sim::SimPatch patch;
    patch.name = name;
    patch.header.voices = 3;
    sim::SimArea& poly = patch.areas[1];
    poly.modules[1] = Module(kOscA, 0, 0, "Osc" + std::to_string(shift));
    poly.modules[2] = Module(kMixer, 1, 2, "Mix");
    poly.modules[4] = Module(kAdsr, 0, 12 + shift, "Env");
    poly.modules[1].params[0] = 10 + shift;
    poly.cables.push_back({0, {1, 0, true}, {2, 0, false}});
    poly.cables.push_back({0, {2, 0, false}, {2, 1, false}});
    poly.modules[5] = Module(kFilterD, 2, 0, "Filter");
    poly.modules[5].custom = {3};
    patch.areas[0].modules[1] = Module(kMixer, 0, 0, "Common");
    patch.areas[0].modules[2] = Module(kNoteSeqB, 1, 0, "Seq");
    patch.areas[0].modules[2].custom = {1, 2};
    patch.knobs[3] = {true, {1, 1, 0}};
    return patch;
}

class PatchLinkTest : public ::testing::Test {
protected:
    PatchLinkTest()
    {
        documents.manager = &rig.Manager();
        rig.Synth().LoadSlot(0, SomePatch("Warm Pad", 0));
        rig.OpenPort(0, 0);
    }

    bool Loaded()
    {
        return rig.StepUntil([&] {
            const CPatch* document = documents.Find(0);
            return document != nullptr && !document->HasChanges() && !rig.SynthObject().IsSlotBusy(0);
        });
    }

    // The document holds what the synthesizer holds, part by part.
    void ExpectSame(const CPatch& document, const sim::SimPatch& expected)
    {
        EXPECT_EQ(document.GetName(), expected.name);
        EXPECT_EQ(document.GetReceivedHeader().GetVoices(), expected.header.voices);
        for (int area = 0; area < 2; ++area) {
            const CPatchBackground& documentArea = *document.GetArea(area);
            const sim::SimArea& simArea = expected.areas[area];
            ASSERT_EQ(documentArea.GetModules().GetCount(), simArea.modules.size()) << "area " << area;
            for (const auto& [index, module] : simArea.modules) {
                const CModuleInterface* mine = documentArea.FindModule(static_cast<uint8_t>(index));
                ASSERT_NE(mine, nullptr) << "module " << index;
                EXPECT_EQ(mine->GetTypeId(), module.type);
                EXPECT_EQ(mine->GetColumn(), module.column);
                EXPECT_EQ(mine->GetRow(), module.row);
                EXPECT_EQ(mine->GetName(), module.name);
                for (size_t param = 0; param < module.params.size(); ++param) {
                    EXPECT_EQ(mine->GetParamValue(static_cast<uint8_t>(param)), module.params[param])
                        << "module " << index << " parameter " << param;
                }
                EXPECT_EQ(mine->GetCustomData(), module.custom);
            }
            const std::vector<CableEntry> cables = documentArea.GetStore().GetCables();
            ASSERT_EQ(cables.size(), simArea.cables.size());
            for (const sim::SimCable& cable : simArea.cables) {
                const auto jack = [](const sim::SimJack& j) {
                    return JackAddress{uint8_t(j.module), uint8_t(j.jack), uint8_t(j.output ? 1 : 0)};
                };
                EXPECT_TRUE(std::any_of(cables.begin(), cables.end(),
                                        [&](const CableEntry& mine) {
                                            const bool ends =
                                                (mine.from == jack(cable.a) && mine.to == jack(cable.b)) ||
                                                (mine.from == jack(cable.b) && mine.to == jack(cable.a));
                                            return ends && mine.colour == cable.colour;
                                        }))
                    << "cable from module " << cable.a.module;
            }
        }
        uint8_t knob = 0;
        EXPECT_TRUE(document.GetKnobMap().FindByParam(ParamAddress{1, 1, 0}, knob));
        EXPECT_EQ(knob, 3);
    }

    testsupport::CModuleServicesDouble services;
    testsupport::CSlotDocumentList documents;
    linkrig::CLinkRig rig{{sim::SimConfig{}}, &documents};
};

TEST_F(PatchLinkTest, TheSlotsDocumentIsLoadedPartByPartAndEqualsTheSynthesizersPatch)
{
    ASSERT_TRUE(Loaded());
    const CPatch& document = *documents.Find(0);
    ExpectSame(document, rig.Synth().Slot(0).patch);
    EXPECT_FALSE(document.IsDirty());
    EXPECT_EQ(document.GetTitle().rfind("Warm Pad<-->", 0), 0u);
}

TEST_F(PatchLinkTest, AKnobEditReachesTheSynthesizerAndAPanelChangeReachesTheDocument)
{
    ASSERT_TRUE(Loaded());
    CPatch& document = *documents.Find(0);
    auto pair = std::make_unique<CEditPair>();
    pair->Add(std::make_unique<CMParamChange>(1, 1, 0, 40), std::make_unique<CMParamChange>(1, 1, 0, 10));
    document.ExecuteEdit(std::move(pair));
    ASSERT_TRUE(rig.StepUntil([&] { return rig.Synth().Slot(0).patch.ParamValue({1, 1, 0}) == 40; }, 40));

    rig.Synth().PanelParamChange(0, {1, 4, 1}, 77);
    ASSERT_TRUE(rig.StepUntil([&] { return document.GetArea(1)->FindModule(4)->GetParamValue(1) == 77; }, 40));

    document.Undo();
    EXPECT_TRUE(rig.StepUntil([&] { return rig.Synth().Slot(0).patch.ParamValue({1, 1, 0}) == 10; }, 40));
}

TEST_F(PatchLinkTest, APatchChangeOnTheSynthesizerReloadsTheSlot)
{
    ASSERT_TRUE(Loaded());
    const CPatch* first = documents.Find(0);
    rig.Synth().PanelPatchChange(0, SomePatch("Bells", 3));
    ASSERT_TRUE(rig.StepUntil([&] {
        const CPatch* document = documents.Find(0);
        return document != nullptr && document != first && !document->HasChanges() && !rig.SynthObject().IsSlotBusy(0);
    }));
    EXPECT_EQ(documents.replacements, 1);
    EXPECT_FALSE(first->IsLinked());
    ExpectSame(*documents.Find(0), rig.Synth().Slot(0).patch);
    EXPECT_EQ(documents.Find(0)->GetName(), "Bells");
}

} // namespace

namespace {

TEST_F(PatchLinkTest, AVoiceCountEditReachesTheSynthesizerNoEarlierThan600Milliseconds)
{
    ASSERT_TRUE(Loaded());
    CPatch& document = *documents.Find(0);
    CPatchHeader header = document.GetPatchHeader();
    header.SetVoices(header.GetVoices() + 2);
    const uint64_t edited = rig.Clock().Now();
    document.SetPatchHeader(header);
    const int wanted = header.GetVoices();
    ASSERT_TRUE(rig.StepUntil([&] { return rig.Synth().Slot(0).patch.header.voices == wanted; }, 60));
    EXPECT_GE(rig.Clock().Now() - edited, CPatch::kVoiceChangeDelayMs);
    EXPECT_FALSE(document.IsHeaderSendPending());
    EXPECT_EQ(document.GetReceivedHeader().GetVoices(), wanted);
}

// A patch with a cable that closes a net: the document refuses that cable
// alone. It keeps every other part, the user is told once which slot it
// was, and the link stays up.
TEST_F(PatchLinkTest, ACableTheDocumentRefusesLeavesTheRestOfThePatchAndTheLink)
{
    ASSERT_TRUE(Loaded());
    const CPatch* first = documents.Find(0);
    sim::SimPatch looped = SomePatch("Looped", 1);
    looped.areas[1].cables.push_back({0, {1, 0, true}, {2, 1, false}});
    rig.Synth().PanelPatchChange(0, looped);
    ASSERT_TRUE(rig.StepUntil([&] {
        const CPatch* document = documents.Find(0);
        return document != nullptr && document != first && !document->HasChanges() && !rig.SynthObject().IsSlotBusy(0);
    }));
    rig.Steps(100);
    EXPECT_TRUE(rig.Manager().HasSynth(0));
    ASSERT_EQ(rig.application.alerts.size(), 1u);
    EXPECT_EQ(
        rig.application.alerts[0].rfind("[WARN]Port 1, slot A: the synthesizer's patch was not taken in full.\r", 0),
        0u)
        << rig.application.alerts[0];
    looped.areas[1].cables.pop_back();
    ExpectSame(*documents.Find(0), looped);
}

// A new module in the poly area as a paste makes it, with its undo.
std::unique_ptr<CEditPair> NewModulePair(uint8_t index)
{
    auto pair = std::make_unique<CEditPair>();
    const auto column = static_cast<uint8_t>(4 + index % 4);
    const auto row = static_cast<uint8_t>(30 + 10 * (index / 4));
    pair->Add(std::make_unique<CMModuleNew>(1, index, kOscA, column, row, "Paste" + std::to_string(index)),
              std::make_unique<CMModuleDelete>(1, index));
    return pair;
}

int CountLogged(linkrig::CLinkRig& rig, const std::string& part)
{
    const auto log = rig.SynthLog();
    return static_cast<int>(std::count_if(
        log.begin(), log.end(), [&](const std::string& line) { return line.find(part) != std::string::npos; }));
}

// Twelve pastes queued at once, and the answer to the eighth lost four times
// in a row: the link fails, and the four still queued behind it never went
// out, so the document takes them back and forgets them; it keeps what the
// synthesizer received.
TEST_F(PatchLinkTest, EditsQueuedBehindAFailedOneAreNeitherAppliedNorKept)
{
    ASSERT_TRUE(Loaded());
    CPatch& document = *documents.Find(0);
    const size_t before = document.GetArea(1)->GetModules().GetCount();
    const unsigned answered = rig.Synth().AnswerCount();
    for (unsigned n = 8; n <= 11; ++n)
        rig.Synth().Faults().AtAnswer(answered + n, {sim::SimAnswerFault::Drop});
    rig.Synth().ClearLog();
    for (uint8_t index = 10; index < 22; ++index)
        document.ExecuteEdit(NewModulePair(index));
    ASSERT_EQ(document.GetArea(1)->GetModules().GetCount(), before + 12);
    ASSERT_TRUE(rig.StepUntil([&] { return rig.Manager().GetPort(0) == nullptr; }, 4 * 110));

    EXPECT_EQ(CountLogged(rig, "ModuleNew"), 8);
    EXPECT_EQ(rig.Synth().Slot(0).patch.areas[1].modules.size(), before + 8);
    EXPECT_EQ(document.GetArea(1)->GetModules().GetCount(), before + 8);
    EXPECT_NE(document.GetArea(1)->FindModule(17), nullptr) << "the failed one may have arrived: kept";
    EXPECT_EQ(document.GetArea(1)->FindModule(18), nullptr);
    EXPECT_EQ(document.GetUndoHistory().GetUndoCount(), 8u);
    EXPECT_FALSE(document.IsLinked());
}

// A knob turned live: its frames are never answered, so the last one lost
// on the cable would leave the synthesizer behind. Once the knob has been
// still for a moment its last value goes once more as an answered frame.
TEST_F(PatchLinkTest, TheLastValueOfALiveGestureIsConfirmed)
{
    ASSERT_TRUE(Loaded());
    // The other slots load and the start requests go: the link is quiet.
    ASSERT_TRUE(rig.StepUntil([&] {
        const size_t logged = rig.SynthLog().size();
        rig.Steps(40);
        return rig.SynthLog().size() == logged;
    }));
    CPatch& document = *documents.Find(0);
    rig.Synth().ClearLog();
    for (const uint8_t value : {20, 30, 44}) {
        CMoleculePacket packet;
        packet.Append(std::make_unique<CMParamChange>(1, 1, 0, value));
        document.SendAndApplyMoleculesLive(packet);
        rig.Step();
    }
    ASSERT_EQ(rig.Synth().Slot(0).patch.ParamValue({1, 1, 0}), 44);
    // As if the last live frame had been lost on the cable.
    rig.Synth().Slot(0).patch.SetParamValue({1, 1, 0}, 30);
    rig.Steps(CLiveConfirmations::kStillMs / linkrig::CLinkRig::kStepMs - 2);
    EXPECT_EQ(CountLogged(rig, "ParamChange"), 3) << "nothing more while the knob may still move";
    ASSERT_TRUE(rig.StepUntil([&] { return rig.Synth().Slot(0).patch.ParamValue({1, 1, 0}) == 44; }, 10));
    const auto log = rig.SynthLog();
    EXPECT_EQ(log.back().rfind("slot A #", 0), 0u) << "an answered frame: " << log.back();
    ASSERT_TRUE(rig.Settle());
    EXPECT_EQ(CountLogged(rig, "ParamChange"), 4) << "once";
}

// An Undo queued behind an edit whose answers are lost: the undo never went
// out, so the edit stays in the document and in the undo list.
TEST_F(PatchLinkTest, AnUndoThatNeverWentOutIsTakenBack)
{
    ASSERT_TRUE(Loaded());
    CPatch& document = *documents.Find(0);
    const unsigned answered = rig.Synth().AnswerCount();
    for (unsigned n = 2; n <= 5; ++n)
        rig.Synth().Faults().AtAnswer(answered + n, {sim::SimAnswerFault::Drop});
    document.ExecuteEdit(NewModulePair(10));
    ASSERT_TRUE(rig.StepUntil([&] { return rig.Synth().Slot(0).patch.areas[1].modules.count(10) == 1; }, 40));
    document.ExecuteEdit(NewModulePair(11));
    document.Undo();
    ASSERT_EQ(document.GetArea(1)->FindModule(11), nullptr);
    ASSERT_TRUE(document.CanRedo());
    ASSERT_TRUE(rig.StepUntil([&] { return rig.Manager().GetPort(0) == nullptr; }, 4 * 110));

    EXPECT_EQ(rig.Synth().Slot(0).patch.areas[1].modules.count(11), 1u);
    EXPECT_NE(document.GetArea(1)->FindModule(11), nullptr);
    EXPECT_EQ(document.GetUndoHistory().GetUndoCount(), 2u);
    EXPECT_FALSE(document.CanRedo());
}

} // namespace

// Two synthesizers that call themselves alike: the titles of their slots'
// windows say which port each is on.
TEST(PatchLinkTwoSynths, TitlesOfSynthesizersNamedAlikeNameTheirPorts)
{
    testsupport::CModuleServicesDouble services;
    testsupport::CSlotDocumentList documents;
    linkrig::CLinkRig rig{{sim::SimConfig{}, sim::SimConfig{}}, &documents};
    documents.manager = &rig.Manager();
    rig.Synth(0).Settings().name = "Stage";
    rig.Synth(1).Settings().name = "Stage";
    rig.OpenPort(0, 0);
    ASSERT_TRUE(rig.Settle(0));
    const auto titles = [&] {
        std::vector<std::string> all;
        for (const auto& document : documents.documents)
            if (document->IsLinked())
                all.push_back(document->GetTitle());
        std::sort(all.begin(), all.end());
        return all;
    };
    for (const std::string& title : titles())
        EXPECT_NE(title.find("<-->Stage, Slot "), std::string::npos) << title;
    rig.OpenPort(1, 1);
    ASSERT_TRUE(rig.Settle(1));
    const std::vector<std::string> both = titles();
    EXPECT_EQ(
        std::count_if(both.begin(), both.end(),
                      [](const std::string& t) { return t.find("<-->Stage (Port 1), Slot ") != std::string::npos; }),
        4);
    EXPECT_EQ(
        std::count_if(both.begin(), both.end(),
                      [](const std::string& t) { return t.find("<-->Stage (Port 2), Slot ") != std::string::npos; }),
        4);
}
