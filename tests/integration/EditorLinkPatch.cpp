#include "tests/integration/EditorLinkPatch.h"

#include "synth/protocol/ModuleTypeInfo.h"
#include "synth/protocol/PatchHeader.h"
#include "synth/molecules/AssignMolecules.h"
#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/PatchMolecules.h"
#include "synth/molecules/SynthMolecules.h"

#include "modules/ModuleCatalogueContent.h"
#include "simulator/SimModuleTypes.h"

#include <set>
#include <stdexcept>

namespace linktest {

std::vector<uint8_t> TypesCoveringEveryWidth()
{
    InstallSharedModuleTypeInfo();
    const CModuleTypeInfoInterface& info = *GetModuleTypeInfo();
    std::set<unsigned> missing{1, 2, 3, 4, 5, 6, 7};
    std::vector<uint8_t> types;
    for (unsigned type = 1; type < 128 && !missing.empty(); ++type) {
        const auto id = static_cast<uint8_t>(type);
        if (!info.HasType(id))
            continue;
        bool adds = false;
        for (uint8_t p = 0; p < info.GetParamCount(id); ++p)
            adds = missing.erase(sim::BitsForMax(info.GetParamMax(id, p))) > 0 || adds;
        if (adds)
            types.push_back(id);
    }
    if (!missing.empty())
        throw std::runtime_error("the catalogue lacks a parameter width");
    return types;
}

namespace {

sim::SimModule Module(uint8_t type, int column, int row, std::string name, unsigned seed)
{
    const CModuleTypeInfoInterface& info = *GetModuleTypeInfo();
    sim::SimModule module;
    module.type = type;
    module.column = column;
    module.row = row;
    module.name = std::move(name);
    for (uint8_t p = 0; p < info.GetParamCount(type); ++p) {
        const int max = info.GetParamMax(type, p);
        // The highest value for every other parameter: all bits of the
        // width set; the rest spread below it.
        module.params.push_back((p + seed) % 2 == 0 ? max : static_cast<int>((p * 37u + seed) % (max + 1u)));
    }
    return module;
}

} // namespace

sim::SimPatch RichPatch()
{
    sim::SimPatch patch;
    patch.name = "Crosscheck";
    patch.header.kbMin = 12;
    patch.header.kbMax = 100;
    patch.header.velMin = 5;
    patch.header.velMax = 120;
    patch.header.bendRange = 7;
    patch.header.pmTime = 33;
    patch.header.pmMode = 1;
    patch.header.pedalMode = 1;
    patch.header.voices = 17;
    patch.header.split = 600;
    patch.header.octShift = -2;
    patch.header.cables = {1, 0, 1, 0, 1, 0, 1};
    patch.header.commonRetrig = 0;
    patch.header.retrig = 1;
    patch.header.morphs = {0, 1, 0, 1};

    const auto types = TypesCoveringEveryWidth();
    int index = 1;
    for (const uint8_t type : types) {
        patch.areas[1].modules[index] = Module(type, index % 3, index * 2, "Module " + std::to_string(index), index);
        ++index;
    }
    patch.areas[1].modules[1].name = "Sixteen letters!";
    patch.areas[1].modules[2].custom = {0x00, 0x7F, 0x80, 0xFF, 0x12};
    patch.areas[0].modules[5] = Module(types.front(), 1, 0, "Common", 5);
    patch.areas[0].modules[5].custom = {0xAA};

    // Output to input, and two inputs joined (no output end).
    patch.areas[1].cables.push_back({6, {1, 0, true}, {2, 1, false}});
    patch.areas[1].cables.push_back({3, {2, 0, false}, {3, 2, false}});
    patch.areas[0].cables.push_back({0, {5, 1, true}, {5, 0, false}});

    patch.knobs[0] = {true, {1, 1, 0}};
    patch.knobs[18] = {true, {1, 2, 0}};
    patch.knobs[19] = {true, {0, 5, 0}};
    patch.knobs[22] = {true, {2, 1, 2}};
    patch.ctrls = {{7, {1, 1, 0}}, {120, {2, 1, 1}}};
    patch.morph.values = {10, 20, 30, 127};
    patch.morph.keyboard = {0, 1, 2, 0};
    patch.morph.assigns = {{{1, 1, 0}, 0, -100}, {{0, 5, 0}, 3, 127}, {{1, 2, 1}, 1, -128}};
    patch.notes.first = {64, 0, 0};
    patch.notes.entries = {{60, 100, 0}, {64, 90, 1}, {67, 80, 127}};
    return patch;
}

namespace {

JackAddress Jack(const sim::SimJack& jack)
{
    return {static_cast<uint8_t>(jack.module), static_cast<uint8_t>(jack.jack), static_cast<uint8_t>(jack.output)};
}

ParamAddress Param(const sim::SimParamRef& ref)
{
    return {ref.area, static_cast<uint8_t>(ref.module), static_cast<uint8_t>(ref.param)};
}

CPatchHeader Header(const sim::SimHeader& h)
{
    CPatchHeader header;
    header.SetKbRangeMin(h.kbMin);
    header.SetKbRangeMax(h.kbMax);
    header.SetVelRangeMin(h.velMin);
    header.SetVelRangeMax(h.velMax);
    header.SetBendRange(h.bendRange);
    header.SetPMTime(h.pmTime);
    header.SetPMMode(static_cast<uint32_t>(h.pmMode));
    header.SetPedalMode(h.pedalMode != 0);
    header.SetVoices(h.voices);
    header.SetSplitPosition(h.split);
    header.SetOctShift(h.octShift);
    for (uint32_t i = 0; i < 7; ++i)
        header.SetCableVisible(i, static_cast<uint8_t>(h.cables[i]));
    header.SetCommonRetrig(static_cast<uint8_t>(h.commonRetrig));
    header.SetRetrig(static_cast<uint8_t>(h.retrig));
    for (uint32_t i = 0; i < 4; ++i)
        header.SetMorph(i, static_cast<uint8_t>(h.morphs[i]));
    return header;
}

} // namespace

std::vector<std::unique_ptr<CMolecule>> EditorPatchDump(const sim::SimPatch& patch)
{
    std::vector<std::unique_ptr<CMolecule>> dump;
    dump.push_back(std::make_unique<CMPatchHeaderDump>(Header(patch.header)));
    for (const int area : {1, 0}) {
        auto modules = std::make_unique<CMModuleDump>(static_cast<uint8_t>(area));
        for (const auto& [index, m] : patch.areas[area].modules)
            modules->AddModule(static_cast<uint8_t>(index), static_cast<uint8_t>(m.type),
                               static_cast<uint8_t>(m.column), static_cast<uint8_t>(m.row));
        dump.push_back(std::move(modules));
    }
    auto notes = std::make_unique<CMCurrentNotesDump>();
    const auto entry = [](const sim::SimNote& n) {
        return CNoteEntry{static_cast<uint8_t>(n[0]), static_cast<uint8_t>(n[1]), static_cast<uint8_t>(n[2])};
    };
    notes->SetFirstEntry(entry(patch.notes.first));
    notes->SetCount(static_cast<uint8_t>(patch.notes.entries.size()));
    for (size_t i = 0; i < patch.notes.entries.size(); ++i)
        notes->SetEntry(static_cast<uint8_t>(i), entry(patch.notes.entries[i]));
    dump.push_back(std::move(notes));
    for (const int area : {1, 0}) {
        auto cables = std::make_unique<CMCableDump>(static_cast<uint8_t>(area));
        for (const auto& c : patch.areas[area].cables)
            cables->AddCable(static_cast<uint8_t>(c.colour), Jack(c.a), Jack(c.b));
        dump.push_back(std::move(cables));
    }
    for (const int area : {1, 0}) {
        auto params = std::make_unique<CMModuleParamDump>(static_cast<uint8_t>(area));
        for (const auto& [index, m] : patch.areas[area].modules) {
            params->AddModule(static_cast<uint8_t>(index), static_cast<uint8_t>(m.type));
            for (size_t p = 0; p < m.params.size(); ++p)
                params->SetParameter(static_cast<uint8_t>(index), static_cast<uint8_t>(m.type), static_cast<uint8_t>(p),
                                     static_cast<uint8_t>(m.params[p]));
        }
        dump.push_back(std::move(params));
    }
    auto morph = std::make_unique<CMMorphMapDump>();
    for (uint8_t g = 0; g < 4; ++g) {
        morph->SetGroupValue(g, static_cast<uint8_t>(patch.morph.values[g]));
        morph->SetKeyboardAssignment(g, static_cast<uint8_t>(patch.morph.keyboard[g]));
    }
    for (const auto& a : patch.morph.assigns)
        morph->AddAssignment(Param(a.ref), static_cast<uint8_t>(a.group), a.range);
    dump.push_back(std::move(morph));
    auto knobs = std::make_unique<CMKnobMapDump>();
    for (uint8_t k = 0; k < sim::kKnobCount; ++k)
        if (patch.knobs[k].assigned)
            knobs->SetAssignment(k, Param(patch.knobs[k].ref));
    dump.push_back(std::move(knobs));
    auto ctrls = std::make_unique<CMCtrlMapDump>();
    for (const auto& c : patch.ctrls)
        ctrls->AddAssignment(Param(c.ref), static_cast<uint8_t>(c.controller));
    dump.push_back(std::move(ctrls));
    for (const int area : {1, 0}) {
        auto custom = std::make_unique<CMModuleCustomDataDump>(static_cast<uint8_t>(area));
        for (const auto& [index, m] : patch.areas[area].modules)
            if (!m.custom.empty())
                custom->SetData(static_cast<uint8_t>(index), m.custom);
        dump.push_back(std::move(custom));
    }
    for (const int area : {1, 0}) {
        auto names = std::make_unique<CMModuleNameDump>(static_cast<uint8_t>(area));
        for (const auto& [index, m] : patch.areas[area].modules)
            names->AddName(static_cast<uint8_t>(index), m.name);
        dump.push_back(std::move(names));
    }
    return dump;
}

CPatchMessage::CPatchMessage(const sim::SimPatch& patch, uint8_t storeFlag, uint8_t bank, uint8_t location,
                             const std::string& name)
    : owned_(EditorPatchDump(patch))
{
    owned_.push_back(std::make_unique<CMDumpBubbleDestination>(storeFlag, bank, location, name));
    for (const auto& molecule : owned_)
        molecules_.push_back(molecule.get());
}

} // namespace linktest
