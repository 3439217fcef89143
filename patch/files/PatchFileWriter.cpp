#include "patch/files/PatchFileWriter.h"

#include "patch/files/PatchFileSections.h"
#include "synth/files/SectionedTextFile.h"
#include "synth/molecules/AssignMolecules.h"
#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/PatchMolecules.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// A keyboard assignment as the file holds it: 0, 1 or 2.
uint8_t KeyboardAssignmentForFile(uint8_t assignment)
{
    return assignment <= 2 ? assignment : 0;
}

} // namespace

void CPatchFileWriter::BeginAreaSection(std::string_view name, uint8_t area)
{
    file_.WriteSectionBegin(name);
    file_.WriteBool(area != 0);
    file_.WriteNewline();
}

void CPatchFileWriter::WritePatchHeaderSection(const CMPatchHeaderDump& dump)
{
    const CPatchHeader& header = dump.GetHeader();
    file_.WriteSectionBegin(kSectionHeader);
    file_.WriteLine(kVersionLine);
    file_.WriteByte(header.GetKbRangeMin());
    file_.WriteByte(header.GetKbRangeMax());
    file_.WriteByte(header.GetVelRangeMin());
    file_.WriteByte(header.GetVelRangeMax());
    file_.WriteByte(header.GetBendRange());
    file_.WriteByte(header.GetPMTime());
    file_.WriteUnsigned(header.GetPMMode() == 1 ? 1 : 0);
    file_.WriteByte(header.GetVoices());
    file_.WriteShort(header.GetSplitPosition());
    file_.WriteSignedByte(static_cast<int8_t>(header.GetOctShift() + 2));
    file_.WriteBool(header.GetRetrig() != 0);
    file_.WriteBool(header.GetCommonRetrig() != 0);
    for (uint32_t i = 0; i < CPatchHeader::kMorphCount; ++i)
        file_.WriteBool(header.GetMorph(i) != 0);
    for (uint32_t i = 0; i < CPatchHeader::kCableColourCount; ++i)
        file_.WriteBool(header.GetCableVisible(i) != 0);
    file_.WriteNewline();
    file_.WriteSectionEnd(kSectionHeader);
}

void CPatchFileWriter::WriteModuleDumpSection(const CMModuleDump& dump)
{
    BeginAreaSection(kSectionModules, dump.GetArea());
    for (const CModuleDumpEntry& module : dump.GetModules()) {
        file_.WriteByte(module.index);
        file_.WriteByte(module.type);
        file_.WriteByte(module.column);
        file_.WriteByte(module.row);
        file_.WriteNewline();
    }
    file_.WriteSectionEnd(kSectionModules);
}

void CPatchFileWriter::WriteCurrentNoteDumpSection(const CMCurrentNotesDump& dump)
{
    if (dump.GetCount() == 0)
        return;
    file_.WriteSectionBegin(kSectionCurrentNotes);
    for (const uint8_t value : dump.GetFirstEntry())
        file_.WriteByte(value);
    for (uint8_t i = 0; i < dump.GetCount(); ++i) {
        for (const uint8_t value : dump.GetEntry(i))
            file_.WriteByte(value);
    }
    file_.WriteNewline();
    file_.WriteSectionEnd(kSectionCurrentNotes);
}

void CPatchFileWriter::WriteCableDumpSection(const CMCableDump& dump)
{
    BeginAreaSection(kSectionCables, dump.GetArea());
    for (const CCableDumpEntry& cable : dump.GetCables()) {
        file_.WriteSigned(cable.colour);
        for (const JackAddress& end : {cable.end1, cable.end2}) {
            file_.WriteByte(end.module);
            file_.WriteByte(end.jack);
            file_.WriteBool(end.IsOutput());
        }
        file_.WriteNewline();
    }
    file_.WriteSectionEnd(kSectionCables);
}

void CPatchFileWriter::WriteParameterDumpSection(const CMModuleParamDump& dump)
{
    BeginAreaSection(kSectionParameters, dump.GetArea());
    for (const auto& [index, module] : dump.GetModules()) {
        file_.WriteByte(index);
        file_.WriteByte(module.type);
        file_.WriteSigned(static_cast<int32_t>(module.values.size()));
        for (const auto& [param, value] : module.values)
            file_.WriteByte(value);
        file_.WriteNewline();
    }
    file_.WriteSectionEnd(kSectionParameters);
}

void CPatchFileWriter::WriteMorphMapDumpSection(const CMMorphMapDump& dump)
{
    bool anyValue = false;
    bool anyKeyboard = false;
    for (uint8_t group = 0; group < CMMorphMapDump::kGroupCount; ++group) {
        anyValue = anyValue || dump.GetGroupValue(group) != 0;
        anyKeyboard = anyKeyboard || KeyboardAssignmentForFile(dump.GetKeyboardAssignment(group)) != 0;
    }
    if (!dump.GetEntries().empty() || anyValue) {
        file_.WriteSectionBegin(kSectionMorphs);
        for (uint8_t group = 0; group < CMMorphMapDump::kGroupCount; ++group)
            file_.WriteByte(dump.GetGroupValue(group));
        file_.WriteNewline();
        for (const CMorphMapEntry& entry : dump.GetEntries()) {
            file_.WriteBool(entry.address.location == 1);
            file_.WriteByte(entry.address.module);
            file_.WriteByte(entry.address.param);
            file_.WriteByte(entry.group);
            file_.WriteSignedByte(entry.range);
        }
        file_.WriteNewline();
        file_.WriteSectionEnd(kSectionMorphs);
    }
    if (anyKeyboard) {
        file_.WriteSectionBegin(kSectionKeyboard);
        for (uint8_t group = 0; group < CMMorphMapDump::kGroupCount; ++group)
            file_.WriteByte(KeyboardAssignmentForFile(dump.GetKeyboardAssignment(group)));
        file_.WriteNewline();
        file_.WriteSectionEnd(kSectionKeyboard);
    }
}

void CPatchFileWriter::WriteKnobMapDumpSection(const CMKnobMapDump& dump)
{
    if (dump.CountAssigned() == 0)
        return;
    // One line per assignment in the order of the parameters, as the map
    // holds them; the knob order is only the wire's layout.
    std::vector<std::pair<ParamAddress, uint8_t>> lines;
    for (uint8_t knob = 0; knob < CMKnobMapDump::kKnobCount; ++knob) {
        if (dump.IsAssigned(knob))
            lines.emplace_back(dump.GetAssignment(knob), knob);
    }
    std::sort(lines.begin(), lines.end());
    file_.WriteSectionBegin(kSectionKnobs);
    for (const auto& [address, knob] : lines)
        WriteAssignmentLine(address, knob);
    file_.WriteSectionEnd(kSectionKnobs);
}

void CPatchFileWriter::WriteCtrlMapDumpSection(const CMCtrlMapDump& dump)
{
    if (dump.GetEntries().empty())
        return;
    std::vector<std::pair<ParamAddress, uint8_t>> lines;
    for (const CCtrlMapEntry& entry : dump.GetEntries())
        lines.emplace_back(entry.address, entry.controller);
    std::sort(lines.begin(), lines.end());
    file_.WriteSectionBegin(kSectionControllers);
    for (const auto& [address, controller] : lines)
        WriteAssignmentLine(address, controller);
    file_.WriteSectionEnd(kSectionControllers);
}

void CPatchFileWriter::WriteAssignmentLine(const ParamAddress& address, uint8_t target)
{
    file_.WriteByte(static_cast<uint8_t>(address.location));
    file_.WriteByte(address.module);
    file_.WriteByte(address.param);
    file_.WriteByte(target);
    file_.WriteNewline();
}

void CPatchFileWriter::WriteCustomDumpSection(const CMModuleCustomDataDump& dump)
{
    BeginAreaSection(kSectionCustom, dump.GetArea());
    for (const auto& [index, data] : dump.GetData()) {
        file_.WriteByte(index);
        file_.WriteSigned(static_cast<int32_t>(data.size()));
        for (const uint8_t value : data)
            file_.WriteByte(value);
        file_.WriteNewline();
    }
    file_.WriteSectionEnd(kSectionCustom);
}

void CPatchFileWriter::WriteNameDumpSection(const CMModuleNameDump& dump)
{
    BeginAreaSection(kSectionNames, dump.GetArea());
    for (const CModuleNameEntry& entry : dump.GetNames()) {
        file_.WriteByte(entry.index);
        file_.WriteLine(entry.name);
    }
    file_.WriteSectionEnd(kSectionNames);
}

void CPatchFileWriter::WriteNotesSection(std::string_view notes)
{
    // Every line of the notes, empty ones too, and the last even when empty,
    // so reading gives back whether the notes ended in CR. A line that a
    // line reader would change (a leading blank or tab, or a "[" that could
    // be taken for a section line) gets one more blank in front, which every
    // reader drops.
    file_.WriteSectionBegin(kSectionNotes);
    while (true) {
        const size_t cr = notes.find('\r');
        const std::string_view line = notes.substr(0, cr);
        if (!line.empty() && (line.front() == ' ' || line.front() == '\t' || line.front() == '['))
            file_.WriteText(" ");
        file_.WriteLine(line);
        if (cr == std::string_view::npos)
            break;
        notes.remove_prefix(cr + 1);
    }
    file_.WriteSectionEnd(kSectionNotes);
}
