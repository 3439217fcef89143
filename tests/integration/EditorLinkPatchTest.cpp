// The parts of a patch between the editor and the simulated synthesizer:
// every part asked for and read back field by field, every edit applied on
// the synthesizer's side and read back, and a whole patch sent to a slot.

#include "tests/integration/EditorLink.h"
#include "tests/integration/EditorLinkPatch.h"

#include "synth/protocol/ModuleTypeInfo.h"
#include "synth/molecules/AssignMolecules.h"
#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/ParamMolecules.h"
#include "synth/molecules/PatchMolecules.h"
#include "synth/molecules/SynthMolecules.h"

#include <map>

namespace {

using namespace linktest;

// Both sides take the module types from the one catalogue; the parameter
// dump can only be read when they agree on every count and width.
TEST(EditorLinkPatch, BothSidesSeeTheSameModuleTypes)
{
    InstallSharedModuleTypeInfo();
    const CModuleTypeInfoInterface& editor = *GetModuleTypeInfo();
    const sim::CSimModuleTypes& synth = sim::CatalogueTypes();
    int known = 0;
    for (unsigned t = 0; t < 128; ++t) {
        const auto type = static_cast<uint8_t>(t);
        ASSERT_EQ(editor.HasType(type), synth.HasType(type)) << "type " << t;
        if (!editor.HasType(type))
            continue;
        ++known;
        ASSERT_EQ(editor.GetParamCount(type), synth.ParamCount(type)) << "type " << t;
        for (uint8_t p = 0; p < editor.GetParamCount(type); ++p)
            EXPECT_EQ(editor.GetParamMax(type, p), synth.ParamMax(type, p)) << "type " << t << " parameter " << int(p);
    }
    EXPECT_GT(known, 50);
}

// Compares what the editor read with the patch the synthesizer holds.
class CPatchReader {
public:
    CPatchReader(CEditorLink& link, uint8_t slot) : link_(link), slot_(slot) { }

    std::unique_ptr<CMoleculePacket> Ask(const CMolecule& request)
    {
        auto packet = link_.AskSlot({&request}, slot_);
        EXPECT_EQ(packet->GetCount(), 1u);
        EXPECT_EQ(packet->GetSlot(), slot_);
        EXPECT_FALSE(packet->HasNoNumber());
        EXPECT_EQ(packet->GetSessionNumber(), link_.Synth().Slot(slot_).session);
        EXPECT_EQ(packet->GetTarget(), 2u);
        return packet;
    }

    void ExpectModules(const sim::SimPatch& patch, int area)
    {
        const auto packet = Ask(CMModuleRequest(static_cast<uint8_t>(area)));
        const auto& dump = As<CMModuleDump>(*packet, 0);
        EXPECT_EQ(dump.GetArea(), area);
        const auto& modules = patch.areas[area].modules;
        ASSERT_EQ(dump.GetModules().size(), modules.size());
        for (const auto& entry : dump.GetModules()) {
            ASSERT_TRUE(modules.count(entry.index)) << "module " << int(entry.index);
            const sim::SimModule& m = modules.at(entry.index);
            EXPECT_EQ(entry.type, m.type);
            EXPECT_EQ(entry.column, m.column);
            EXPECT_EQ(entry.row, m.row);
        }
    }

    void ExpectParams(const sim::SimPatch& patch, int area)
    {
        const auto packet = Ask(CMModuleParamRequest(static_cast<uint8_t>(area)));
        const auto& dump = As<CMModuleParamDump>(*packet, 0);
        const auto& modules = patch.areas[area].modules;
        ASSERT_EQ(dump.GetModules().size(), modules.size());
        for (const auto& [index, values] : dump.GetModules()) {
            const sim::SimModule& m = modules.at(index);
            EXPECT_EQ(values.type, m.type);
            ASSERT_EQ(values.values.size(), m.params.size()) << "module " << int(index);
            for (const auto& [param, value] : values.values)
                EXPECT_EQ(value, m.params.at(param)) << "module " << int(index) << " parameter " << int(param);
        }
    }

    void ExpectNames(const sim::SimPatch& patch, int area)
    {
        const auto packet = Ask(CMModuleNameRequest(static_cast<uint8_t>(area)));
        const auto& dump = As<CMModuleNameDump>(*packet, 0);
        std::map<int, std::string> read;
        for (const auto& entry : dump.GetNames())
            read[entry.index] = entry.name;
        std::map<int, std::string> held;
        for (const auto& [index, m] : patch.areas[area].modules)
            held[index] = m.name;
        EXPECT_EQ(read, held);
    }

    void ExpectCustom(const sim::SimPatch& patch, int area)
    {
        const auto packet = Ask(CMModuleCustomDataRequest(static_cast<uint8_t>(area)));
        std::map<uint8_t, std::vector<uint8_t>> held;
        for (const auto& [index, m] : patch.areas[area].modules)
            if (!m.custom.empty())
                held[static_cast<uint8_t>(index)] = m.custom;
        EXPECT_EQ(As<CMModuleCustomDataDump>(*packet, 0).GetData(), held);
    }

    void ExpectCables(const sim::SimPatch& patch, int area)
    {
        const auto packet = Ask(CMCableRequest(static_cast<uint8_t>(area)));
        const auto& cables = As<CMCableDump>(*packet, 0).GetCables();
        const auto& held = patch.areas[area].cables;
        ASSERT_EQ(cables.size(), held.size());
        for (size_t i = 0; i < held.size(); ++i) {
            EXPECT_EQ(cables[i].colour, held[i].colour) << "cable " << i;
            const JackAddress a{static_cast<uint8_t>(held[i].a.module), static_cast<uint8_t>(held[i].a.jack),
                                static_cast<uint8_t>(held[i].a.output)};
            const JackAddress b{static_cast<uint8_t>(held[i].b.module), static_cast<uint8_t>(held[i].b.jack), 0};
            EXPECT_EQ(cables[i].end1, a) << "cable " << i;
            EXPECT_EQ(cables[i].end2, b) << "cable " << i;
        }
    }

    void ExpectHeaderAndName(const sim::SimPatch& patch)
    {
        const auto header = Ask(CMPatchHeaderRequest());
        const CPatchHeader& h = As<CMPatchHeaderDump>(*header, 0).GetHeader();
        const sim::SimHeader& s = patch.header;
        EXPECT_EQ(h.GetKbRangeMin(), s.kbMin);
        EXPECT_EQ(h.GetKbRangeMax(), s.kbMax);
        EXPECT_EQ(h.GetVelRangeMin(), s.velMin);
        EXPECT_EQ(h.GetVelRangeMax(), s.velMax);
        EXPECT_EQ(h.GetBendRange(), s.bendRange);
        EXPECT_EQ(h.GetPMTime(), s.pmTime);
        EXPECT_EQ(h.GetPMMode(), static_cast<uint32_t>(s.pmMode));
        EXPECT_EQ(h.GetPedalMode(), static_cast<uint32_t>(s.pedalMode));
        EXPECT_EQ(h.GetVoices(), s.voices);
        EXPECT_EQ(h.GetSplitPosition(), s.split);
        EXPECT_EQ(h.GetOctShift(), s.octShift);
        for (uint32_t i = 0; i < 7; ++i)
            EXPECT_EQ(h.GetCableVisible(i), s.cables[i]) << "cable flag " << i;
        EXPECT_EQ(h.GetCommonRetrig(), s.commonRetrig);
        EXPECT_EQ(h.GetRetrig(), s.retrig);
        for (uint32_t i = 0; i < 4; ++i)
            EXPECT_EQ(h.GetMorph(i), s.morphs[i]) << "morph flag " << i;

        const auto name = Ask(CMPatchNameRequest());
        EXPECT_EQ(As<CMPatchNameDump>(*name, 0).name, patch.name);
    }

    void ExpectMaps(const sim::SimPatch& patch)
    {
        const auto knobs = Ask(CMKnobMapRequest());
        const auto& knobMap = As<CMKnobMapDump>(*knobs, 0);
        for (uint8_t k = 0; k < sim::kKnobCount; ++k) {
            const sim::SimKnob& held = patch.knobs[k];
            EXPECT_EQ(knobMap.IsAssigned(k), held.assigned) << "knob " << int(k);
            if (held.assigned) {
                EXPECT_EQ(knobMap.GetAssignment(k),
                          (ParamAddress{held.ref.area, static_cast<uint8_t>(held.ref.module),
                                        static_cast<uint8_t>(held.ref.param)}))
                    << "knob " << int(k);
            }
        }

        const auto ctrls = Ask(CMCtrlMapRequest());
        const auto& entries = As<CMCtrlMapDump>(*ctrls, 0).GetEntries();
        ASSERT_EQ(entries.size(), patch.ctrls.size());
        for (size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].controller, patch.ctrls[i].controller);
            EXPECT_EQ(entries[i].address,
                      (ParamAddress{patch.ctrls[i].ref.area, static_cast<uint8_t>(patch.ctrls[i].ref.module),
                                    static_cast<uint8_t>(patch.ctrls[i].ref.param)}));
        }

        const auto morph = Ask(CMMorphMapRequest());
        const auto& map = As<CMMorphMapDump>(*morph, 0);
        for (uint8_t g = 0; g < 4; ++g) {
            EXPECT_EQ(map.GetGroupValue(g), patch.morph.values[g]) << "group " << int(g);
            EXPECT_EQ(map.GetKeyboardAssignment(g), patch.morph.keyboard[g]) << "group " << int(g);
        }
        const auto& assigns = map.GetEntries();
        ASSERT_EQ(assigns.size(), patch.morph.assigns.size());
        for (size_t i = 0; i < assigns.size(); ++i) {
            const auto& held = patch.morph.assigns[i];
            EXPECT_EQ(assigns[i].address,
                      (ParamAddress{held.ref.area, static_cast<uint8_t>(held.ref.module),
                                    static_cast<uint8_t>(held.ref.param)}));
            EXPECT_EQ(assigns[i].group, held.group);
            EXPECT_EQ(assigns[i].range, held.range);
        }
    }

    void ExpectNotes(const sim::SimPatch& patch)
    {
        const auto packet = Ask(CMCurrentNotesRequest());
        const auto& notes = As<CMCurrentNotesDump>(*packet, 0);
        const auto entry = [](const sim::SimNote& n) {
            return CNoteEntry{static_cast<uint8_t>(n[0]), static_cast<uint8_t>(n[1]), static_cast<uint8_t>(n[2])};
        };
        EXPECT_EQ(notes.GetFirstEntry(), entry(patch.notes.first));
        ASSERT_EQ(notes.GetCount(), patch.notes.entries.size());
        for (uint8_t i = 0; i < notes.GetCount(); ++i)
            EXPECT_EQ(notes.GetEntry(i), entry(patch.notes.entries[i])) << "entry " << int(i);
    }

    void ExpectFocus(const sim::SimPatch& patch)
    {
        const auto packet = Ask(CMParamFocusRequest());
        const auto& focus = As<CMParamFocusDump>(*packet, 0);
        EXPECT_EQ(focus.present, patch.focus.present);
        if (patch.focus.present) {
            EXPECT_EQ(focus.address,
                      (ParamAddress{patch.focus.ref.area, static_cast<uint8_t>(patch.focus.ref.module),
                                    static_cast<uint8_t>(patch.focus.ref.param)}));
        }
    }

    // Every part the editor asks for while loading a patch.
    void ExpectPatch(const sim::SimPatch& patch)
    {
        ExpectHeaderAndName(patch);
        for (const int area : {1, 0}) {
            SCOPED_TRACE("area " + std::to_string(area));
            ExpectModules(patch, area);
            ExpectParams(patch, area);
            ExpectNames(patch, area);
            ExpectCustom(patch, area);
            ExpectCables(patch, area);
        }
        ExpectMaps(patch);
        ExpectNotes(patch);
        ExpectFocus(patch);
    }

private:
    CEditorLink& link_;
    uint8_t slot_;
};

TEST(EditorLinkPatch, EveryPartOfAPatchReadsBackFieldByField)
{
    CEditorLink link;
    sim::SimPatch patch = RichPatch();
    patch.focus = {true, {1, 3, 2}};
    link.Synth().LoadSlot(1, patch);
    link.Synth().Slot(1).session = 33;
    CPatchReader(link, 1).ExpectPatch(patch);
}

TEST(EditorLinkPatch, WholePatchSentToASlotIsKeptAndReadsBack)
{
    CEditorLink link;
    const sim::SimPatch patch = RichPatch();
    const CPatchMessage whole(patch);
    const Molecules& message = whole.Molecules();
    const auto frames = QueuedFrames(message, 2, link.Synth().Slot(2).session);
    ASSERT_GT(frames.size(), 1u) << "the fixture must span several frames";
    for (const Bytes& frame : frames)
        EXPECT_NE(frame[2] & SysexFrame::kFlagPacked, 0) << "dumps travel packed";

    const uint8_t before = link.Synth().Slot(2).session;
    const auto answers = link.Exchange(message, 2, before);
    EXPECT_EQ(answers.size(), frames.size()) << "every frame is acknowledged";
    EXPECT_NE(link.Synth().Slot(2).session, before) << "a new patch starts a new session";

    sim::SimPatch held = link.Synth().Slot(2).patch;
    EXPECT_EQ(held.name, patch.name);
    EXPECT_EQ(held.header, patch.header);
    EXPECT_EQ(held.areas[0], patch.areas[0]);
    EXPECT_EQ(held.areas[1], patch.areas[1]);
    EXPECT_EQ(held.knobs, patch.knobs);
    EXPECT_EQ(held.ctrls, patch.ctrls);
    EXPECT_EQ(held.morph, patch.morph);
    EXPECT_EQ(held.notes, patch.notes);
    CPatchReader(link, 2).ExpectPatch(patch);
}

// Edits go out as the editor sends them (the patch's session number, queued
// with checksum, or live); each is read back by asking for its part again.
TEST(EditorLinkPatch, EditsAreAppliedByTheSynthesizerAndReadBack)
{
    CEditorLink link;
    sim::SimPatch patch = RichPatch();
    link.Synth().LoadSlot(0, patch);
    CPatchReader reader(link, 0);
    const auto edit = [&link](const CMolecule& molecule) { link.ExchangeForSlot({&molecule}, 0); };
    const uint8_t type = TypesCoveringEveryWidth().back();
    const CModuleTypeInfoInterface& info = *GetModuleTypeInfo();

    {
        SCOPED_TRACE("new module with its values");
        CMModuleParamDump values(1);
        values.AddModule(20, type);
        sim::SimModule m;
        m.type = type;
        m.column = 4;
        m.row = 9;
        m.name = "Fresh";
        for (uint8_t p = 0; p < info.GetParamCount(type); ++p) {
            m.params.push_back(info.GetParamDefault(type, p));
            values.SetParameter(20, type, p, info.GetParamDefault(type, p));
        }
        const CMModuleNew added(1, 20, type, 4, 9, "Fresh");
        link.ExchangeForSlot({&added, &values}, 0);
        patch.areas[1].modules[20] = m;
        reader.ExpectModules(patch, 1);
        reader.ExpectNames(patch, 1);
        reader.ExpectParams(patch, 1);
    }
    {
        SCOPED_TRACE("move and rename");
        edit(CMModuleMove(1, 20, 7, 1));
        edit(CMModuleName(1, 20, "Renamed"));
        patch.areas[1].modules[20].column = 7;
        patch.areas[1].modules[20].row = 1;
        patch.areas[1].modules[20].name = "Renamed";
        reader.ExpectModules(patch, 1);
        reader.ExpectNames(patch, 1);
    }
    {
        SCOPED_TRACE("parameter and morph changes, live");
        const int max = info.GetParamMax(type, 0);
        link.SendLive(CMParamChange(1, 20, 0, static_cast<uint8_t>(max)), 0);
        link.SendLive(CMMorphChange(1, 1, 0, -20), 0);
        link.Run();
        patch.areas[1].modules[20].params[0] = max;
        patch.morph.assigns[0].range = -20;
        reader.ExpectParams(patch, 1);
        reader.ExpectMaps(patch);
    }
    {
        SCOPED_TRACE("cables");
        edit(CMCableConnect(1, {20, 0, 1}, {3, 0, 0}, 2, 0));
        patch.areas[1].cables.push_back({2, {20, 0, true}, {3, 0, false}});
        reader.ExpectCables(patch, 1);
        edit(CMCableRecolor(1, {3, 0, 0}, {20, 0, 1}, 5));
        patch.areas[1].cables.back().colour = 5;
        reader.ExpectCables(patch, 1);
        edit(CMCableDelete(1, {20, 0, 1}, {3, 0, 0}, 0));
        patch.areas[1].cables.pop_back();
        reader.ExpectCables(patch, 1);
    }
    {
        SCOPED_TRACE("custom data");
        edit(CMCustomData(1, 20, {0x01, 0x81, 0xFE}));
        patch.areas[1].modules[20].custom = {0x01, 0x81, 0xFE};
        reader.ExpectCustom(patch, 1);
    }
    {
        SCOPED_TRACE("assignments");
        edit(CMKnobAssign({1, 20, 0}, 5));
        patch.knobs[5] = {true, {1, 20, 0}};
        edit(CMKnobDeassign(0));
        patch.knobs[0] = {};
        edit(CMCtrlAssign({1, 20, 0}, 64));
        patch.ctrls.push_back({64, {1, 20, 0}});
        edit(CMCtrlDeassign(7));
        patch.ctrls.erase(patch.ctrls.begin());
        edit(CMMorphAssign({1, 20, 0}, 2, -5, 0));
        patch.morph.assigns.push_back({{1, 20, 0}, 2, -5});
        edit(CMMorphAssign({1, 2, 1}, CMMorphAssign::kNoGroup, 0, 0));
        patch.morph.assigns.erase(patch.morph.assigns.begin() + 2);
        edit(CMMorphKeyboardAssign(3, 2));
        patch.morph.keyboard[3] = 2;
        reader.ExpectMaps(patch);
    }
    {
        SCOPED_TRACE("delete module");
        edit(CMModuleDelete(1, 20));
        patch.areas[1].modules.erase(20);
        patch.knobs[5] = {};
        patch.ctrls.pop_back();
        patch.morph.assigns.pop_back();
        reader.ExpectPatch(patch);
    }
}

// Every field at the ends of its range, both ways: counts that fill their
// bits, the highest indices, widths taken whole.
TEST(EditorLinkPatch, FieldsAtTheEndsOfTheirRangesTravelBothWays)
{
    sim::SimPatch patch = RichPatch();
    patch.name = "";
    patch.header.kbMin = 127;
    patch.header.kbMax = 0;
    patch.header.bendRange = 24;
    patch.header.pmTime = 127;
    patch.header.voices = 32;
    patch.header.split = 16383;
    patch.header.octShift = 2;
    patch.header.cables = {0, 0, 0, 0, 0, 0, 0};
    patch.header.morphs = {1, 1, 1, 1};
    const int high = 127;
    patch.areas[1].modules[high] = patch.areas[1].modules.at(1);
    patch.areas[1].modules[high].column = 127;
    patch.areas[1].modules[high].row = 127;
    patch.areas[1].modules[high].name = "";
    patch.areas[1].modules[high].custom.assign(255, 0xC3);
    patch.areas[1].cables.push_back({6, {high, 63, true}, {high, 62, false}});
    for (uint8_t k = 0; k < sim::kKnobCount; ++k)
        patch.knobs[k] = {true, {k % 3, static_cast<int>(high - k), k}};
    patch.ctrls.clear();
    for (int c = 0; c < 121; ++c)
        patch.ctrls.push_back({c, {c % 3, high, c}});
    patch.morph.values = {127, 0, 127, 0};
    patch.morph.keyboard = {2, 2, 1, 1};
    patch.morph.assigns.clear();
    for (int i = 0; i < 31; ++i)
        patch.morph.assigns.push_back({{i % 2, high, i}, i % 4, i % 2 ? 127 : -128});
    patch.notes.first = {127, 127, 127};
    patch.notes.entries.assign(32, sim::SimNote{0, 127, 0});

    {
        SCOPED_TRACE("synthesizer to editor");
        CEditorLink link;
        link.Synth().LoadSlot(3, patch);
        CPatchReader(link, 3).ExpectPatch(patch);
    }
    {
        SCOPED_TRACE("editor to synthesizer");
        CEditorLink link;
        link.ExchangeForSlot(CPatchMessage(patch).Molecules(), 3);
        const sim::SimPatch& held = link.Synth().Slot(3).patch;
        EXPECT_EQ(held.header, patch.header);
        EXPECT_EQ(held.areas, patch.areas);
        EXPECT_EQ(held.knobs, patch.knobs);
        EXPECT_EQ(held.ctrls, patch.ctrls);
        EXPECT_EQ(held.morph, patch.morph);
        EXPECT_EQ(held.notes, patch.notes);
    }
}

// The morph group knobs are the patch's own parameters (area 2, module 1).
TEST(EditorLinkPatch, MorphGroupKnobsChangeLiveAndReadBackAsGroupValues)
{
    CEditorLink link;
    link.Synth().LoadSlot(0, RichPatch());
    for (uint8_t group = 0; group < 4; ++group)
        link.SendLive(CMParamChange(2, 1, group, static_cast<uint8_t>(100 + group)), 0);
    link.Run();
    const CMMorphMapRequest request;
    const auto packet = link.AskSlot({&request}, 0);
    for (uint8_t group = 0; group < 4; ++group)
        EXPECT_EQ(As<CMMorphMapDump>(*packet, 0).GetGroupValue(group), 100 + group);
}

// The edits of deleting modules carry the removal flag; the synthesizer
// applies them alike.
TEST(EditorLinkPatch, CableEditsOfAModuleRemovalAreAppliedAlike)
{
    CEditorLink link;
    sim::SimPatch patch = RichPatch();
    link.Synth().LoadSlot(0, patch);
    const CMCableDelete removal(1, {2, 1, 0}, {1, 0, 1}, 1);
    const CMCableConnect restore(1, {3, 2, 0}, {1, 0, 1}, 4, 1);
    const CMMorphAssign unassign({1, 1, 0}, CMMorphAssign::kNoGroup, 0, 1);
    link.ExchangeForSlot({&removal, &restore, &unassign}, 0);
    patch.areas[1].cables.erase(patch.areas[1].cables.begin());
    patch.areas[1].cables.push_back({4, {1, 0, true}, {3, 2, false}});
    patch.morph.assigns.erase(patch.morph.assigns.begin());
    CPatchReader reader(link, 0);
    reader.ExpectCables(patch, 1);
    reader.ExpectMaps(patch);
}

// Names are bytes: one above 127 makes even a molecule that may travel
// unpacked go packed, and a name longer than 16 characters is cut.
TEST(EditorLinkPatch, NamesWithAnyBytesAndOverlongNamesReadBackAsSent)
{
    CEditorLink link;
    sim::SimPatch patch = RichPatch();
    link.Synth().LoadSlot(0, patch);
    const uint8_t type = patch.areas[1].modules.at(1).type;
    const CMModuleNew added(1, 30, type, 0, 20, "Caf\xE9 \xFF");
    const CMModuleName renamed(1, 1, "Twenty characters!!!");
    EXPECT_NE(QueuedFrames({&added}, 0, 0).front()[2] & SysexFrame::kFlagPacked, 0);
    link.ExchangeForSlot({&added, &renamed}, 0);
    const CMModuleNameRequest request(1);
    const auto packet = link.AskSlot({&request}, 0);
    std::map<int, std::string> names;
    for (const auto& entry : As<CMModuleNameDump>(*packet, 0).GetNames())
        names[entry.index] = entry.name;
    EXPECT_EQ(names[30], "Caf\xE9 \xFF");
    EXPECT_EQ(names[1], "Twenty character");

    link.ExchangeForSlot(CPatchMessage(patch, 0, 0, 0, "Na\xEFve patch").Molecules(), 0);
    const CMPatchNameRequest nameRequest;
    EXPECT_EQ(As<CMPatchNameDump>(*link.AskSlot({&nameRequest}, 0), 0).name, "Na\xEFve patch");
}

// A model with one slot: the editor's selection and the state answer agree
// on what lies beyond it.
TEST(EditorLinkPatch, OneSlotModelAnswersForItsOnlySlot)
{
    sim::SimConfig config;
    config.model = sim::SimModel::Pebix;
    CEditorLink link(config);
    CSlotSelection selection(1);
    selection.SetActive(0, true);
    selection.SetActive(2, true);
    const CMSlotSelectionDump dump(selection);
    link.Exchange({&dump}, 0, std::nullopt);
    const CMSlotSelectionRequest request;
    const auto answer = link.Ask({&request}, 0, std::nullopt);
    const CSlotSelection& read = As<CMSlotSelectionDump>(*answer, 0).GetSelection();
    EXPECT_TRUE(read.IsActive(0));
    EXPECT_FALSE(read.IsActive(2));
}

// The editor tells its focus with the present byte 0; the synthesizer takes
// the address over as its own focus and gives it back when asked.
TEST(EditorLinkPatch, FocusSentByTheEditorIsTheSynthesizersFocus)
{
    CEditorLink link;
    link.Synth().LoadSlot(0, RichPatch());
    link.SendLive(CMParamFocusDump(ParamAddress{0, 5, 0}), 0);
    link.Run();
    const CMParamFocusRequest request;
    const auto packet = link.AskSlot({&request}, 0);
    EXPECT_TRUE(As<CMParamFocusDump>(*packet, 0).present);
    EXPECT_EQ(As<CMParamFocusDump>(*packet, 0).address, (ParamAddress{0, 5, 0}));
}

// A live morph change of -128 has a magnitude byte of 128: the live frame
// goes packed.
TEST(EditorLinkPatch, LiveMorphChangesOverTheWholeRange)
{
    CEditorLink link;
    sim::SimPatch patch = RichPatch();
    link.Synth().LoadSlot(0, patch);
    CPatchReader reader(link, 0);
    for (const int range : {-128, -1, 0, 127}) {
        SCOPED_TRACE(range);
        const CMMorphChange change(1, 1, 0, range);
        EXPECT_EQ(LiveFrame(change, 0, 0)[2] & SysexFrame::kFlagPacked, range == -128 ? SysexFrame::kFlagPacked : 0);
        link.SendLive(change, 0);
        link.Run();
        patch.morph.assigns[0].range = range;
        reader.ExpectMaps(patch);
    }
}

// The same edits in the common area, with the removal flag both ways: the
// area and the flag sit next to each other on the wire.
TEST(EditorLinkPatch, EditsInTheCommonAreaStayThere)
{
    for (const uint32_t removal : {0u, 1u}) {
        SCOPED_TRACE("removal flag " + std::to_string(removal));
        CEditorLink link;
        sim::SimPatch patch = RichPatch();
        link.Synth().LoadSlot(0, patch);
        CPatchReader reader(link, 0);
        const uint8_t type = patch.areas[0].modules.at(5).type;
        const CModuleTypeInfoInterface& info = *GetModuleTypeInfo();
        const CMModuleNew added(0, 6, type, 2, 3, "Common new");
        const CMModuleMove moved(0, 5, 9, 9);
        const CMModuleName renamed(0, 5, "Common old");
        const CMCableConnect connected(0, {6, 0, 0}, {5, 0, 1}, 1, removal);
        const CMCustomData custom(0, 5, {0x99});
        link.ExchangeForSlot({&added, &moved, &renamed, &connected, &custom}, 0);
        link.SendLive(CMParamChange(0, 5, 0, info.GetParamMax(type, 0)), 0);
        link.Run();

        sim::SimModule fresh;
        fresh.type = type;
        fresh.column = 2;
        fresh.row = 3;
        fresh.name = "Common new";
        fresh.params.assign(info.GetParamCount(type), 0);
        patch.areas[0].modules[6] = fresh;
        patch.areas[0].modules[5].column = 9;
        patch.areas[0].modules[5].row = 9;
        patch.areas[0].modules[5].name = "Common old";
        patch.areas[0].modules[5].custom = {0x99};
        patch.areas[0].modules[5].params[0] = info.GetParamMax(type, 0);
        patch.areas[0].cables.push_back({1, {5, 0, true}, {6, 0, false}});
        reader.ExpectPatch(patch);

        const CMCableRecolor recoloured(0, {5, 0, 1}, {6, 0, 0}, 4);
        link.ExchangeForSlot({&recoloured}, 0);
        patch.areas[0].cables.back().colour = 4;
        reader.ExpectCables(patch, 0);
        const CMCableDelete removed(0, {6, 0, 0}, {5, 0, 1}, removal);
        const CMModuleDelete deleted(0, 6);
        link.ExchangeForSlot({&removed, &deleted}, 0);
        patch.areas[0].cables.pop_back();
        patch.areas[0].modules.erase(6);
        reader.ExpectPatch(patch);
    }
}

// The editor's pump sends live frames whenever it runs, also between the
// frames of a message that waits for its answers.
TEST(EditorLinkPatch, LiveFramesBetweenTheFramesOfAWholePatchDoNotBreakIt)
{
    CEditorLink link;
    const sim::SimPatch patch = RichPatch();
    link.Synth().LoadSlot(1, patch);
    const CPatchMessage whole(patch);
    const auto frames = QueuedFrames(whole.Molecules(), 2, link.Synth().Slot(2).session);
    ASSERT_GT(frames.size(), 1u);
    for (const Bytes& frame : frames) {
        link.Send(frame);
        link.SendLive(CMParamChange(1, 1, 0, 0), 1);
        const auto answers = link.Run();
        ASSERT_EQ(answers.size(), 1u);
        EXPECT_NO_THROW(link.Decode(answers[0]));
    }
    EXPECT_EQ(link.Synth().Slot(2).patch.areas, patch.areas);
    EXPECT_EQ(link.Synth().Slot(1).patch.areas[1].modules.at(1).params[0], 0);
}

// The controller snapshot and the flush blink carry nothing: they are
// answered and leave the patch as it was.
TEST(EditorLinkPatch, ContentFreeCommandsAreAnsweredAndChangeNothing)
{
    CEditorLink link;
    const sim::SimPatch patch = RichPatch();
    link.Synth().LoadSlot(0, patch);
    const CMSendCtrlSnap snapshot;
    const CMFlushBlink blink;
    for (const CMolecule* command : {static_cast<const CMolecule*>(&snapshot), static_cast<const CMolecule*>(&blink)}) {
        const auto answers = link.ExchangeForSlot({command}, 0);
        ASSERT_EQ(answers.size(), 1u);
        EXPECT_EQ(link.Decode(answers[0])->GetCount(), 0u);
    }
    EXPECT_EQ(link.Synth().Slot(0).patch, patch);
}

TEST(EditorLinkPatch, EditsWithAnOldSessionNumberLeaveThePatchAlone)
{
    CEditorLink link;
    const sim::SimPatch patch = RichPatch();
    link.Synth().LoadSlot(0, patch);
    link.Synth().Slot(0).session = 12;
    const CMModuleDelete deletion(1, 1);
    link.Exchange({&deletion}, 0, 11);
    EXPECT_EQ(link.Synth().Slot(0).patch.areas[1], patch.areas[1]);
}

} // namespace
