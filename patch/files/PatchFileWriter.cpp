#include "patch/files/PatchFileWriter.h"

#include "patch/files/PatchFileSections.h"
#include "synth/files/SectionedTextFile.h"
#include "synth/molecules/AssignMolecules.h"
#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/PatchMolecules.h"

#include <algorithm>

namespace {

// A keyboard assignment as the file holds it: 0, 1 or 2.
uint8_t KeyboardAssignmentForFile(uint8_t assignment)
{
    return assignment <= 2 ? assignment : 0;
}

} // namespace

void CPatchFileWriter::BeginAreaSection(std::string_view name, uint8_t area)
{
    m_file.WriteSectionBegin(name);
    m_file.WriteBool(area != 0);
    m_file.WriteNewline();
}

void CPatchFileWriter::WritePatchHeaderSection(const CMPatchHeaderDump& dump)
{
    const CPatchHeader& header = dump.GetHeader();
    m_file.WriteSectionBegin(kSectionHeader);
    m_file.WriteLine(kVersionLine);
    m_file.WriteByte(header.GetKbRangeMin());
    m_file.WriteByte(header.GetKbRangeMax());
    m_file.WriteByte(header.GetVelRangeMin());
    m_file.WriteByte(header.GetVelRangeMax());
    m_file.WriteByte(header.GetBendRange());
    m_file.WriteByte(header.GetPMTime());
    m_file.WriteUnsigned(header.GetPMMode() == 1 ? 1 : 0);
    m_file.WriteByte(header.GetVoices());
    m_file.WriteShort(header.GetSplitPosition());
    m_file.WriteSignedByte(static_cast<int8_t>(header.GetOctShift() + 2));
    m_file.WriteBool(header.GetRetrig() != 0);
    m_file.WriteBool(header.GetCommonRetrig() != 0);
    for (uint32_t i = 0; i < CPatchHeader::kMorphCount; ++i)
        m_file.WriteBool(header.GetMorph(i) != 0);
    for (uint32_t i = 0; i < CPatchHeader::kCableColourCount; ++i)
        m_file.WriteBool(header.GetCableVisible(i) != 0);
    m_file.WriteNewline();
    m_file.WriteSectionEnd(kSectionHeader);
}

void CPatchFileWriter::WriteModuleDumpSection(const CMModuleDump& dump)
{
    BeginAreaSection(kSectionModules, dump.GetArea());
    for (const CModuleDumpEntry& module : dump.GetModules()) {
        m_file.WriteByte(module.index);
        m_file.WriteByte(module.type);
        m_file.WriteByte(module.column);
        m_file.WriteByte(module.row);
        m_file.WriteNewline();
    }
    m_file.WriteSectionEnd(kSectionModules);
}

void CPatchFileWriter::WriteCurrentNoteDumpSection(const CMCurrentNotesDump& dump)
{
    if (dump.GetCount() == 0)
        return;
    m_file.WriteSectionBegin(kSectionCurrentNotes);
    for (const uint8_t value : dump.GetFirstEntry())
        m_file.WriteByte(value);
    for (uint8_t i = 0; i < dump.GetCount(); ++i) {
        for (const uint8_t value : dump.GetEntry(i))
            m_file.WriteByte(value);
    }
    m_file.WriteNewline();
    m_file.WriteSectionEnd(kSectionCurrentNotes);
}

void CPatchFileWriter::WriteCableDumpSection(const CMCableDump& dump)
{
    BeginAreaSection(kSectionCables, dump.GetArea());
    for (const CCableDumpEntry& cable : dump.GetCables()) {
        m_file.WriteSigned(cable.colour);
        for (const JackAddress& end : {cable.end1, cable.end2}) {
            m_file.WriteByte(end.module);
            m_file.WriteByte(end.jack);
            m_file.WriteBool(end.IsOutput());
        }
        m_file.WriteNewline();
    }
    m_file.WriteSectionEnd(kSectionCables);
}

void CPatchFileWriter::WriteParameterDumpSection(const CMModuleParamDump& dump)
{
    BeginAreaSection(kSectionParameters, dump.GetArea());
    for (const auto& [index, module] : dump.GetModules()) {
        m_file.WriteByte(index);
        m_file.WriteByte(module.type);
        m_file.WriteSigned(static_cast<int32_t>(module.values.size()));
        for (const auto& [param, value] : module.values)
            m_file.WriteByte(value);
        m_file.WriteNewline();
    }
    m_file.WriteSectionEnd(kSectionParameters);
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
        m_file.WriteSectionBegin(kSectionMorphs);
        for (uint8_t group = 0; group < CMMorphMapDump::kGroupCount; ++group)
            m_file.WriteByte(dump.GetGroupValue(group));
        m_file.WriteNewline();
        for (const CMorphMapEntry& entry : dump.GetEntries()) {
            m_file.WriteBool(entry.address.location == 1);
            m_file.WriteByte(entry.address.module);
            m_file.WriteByte(entry.address.param);
            m_file.WriteByte(entry.group);
            m_file.WriteSignedByte(entry.range);
        }
        m_file.WriteNewline();
        m_file.WriteSectionEnd(kSectionMorphs);
    }
    if (anyKeyboard) {
        m_file.WriteSectionBegin(kSectionKeyboard);
        for (uint8_t group = 0; group < CMMorphMapDump::kGroupCount; ++group)
            m_file.WriteByte(KeyboardAssignmentForFile(dump.GetKeyboardAssignment(group)));
        m_file.WriteNewline();
        m_file.WriteSectionEnd(kSectionKeyboard);
    }
}

void CPatchFileWriter::WriteKnobMapDumpSection(const CMKnobMapDump& dump)
{
    if (dump.CountAssigned() == 0)
        return;
    m_file.WriteSectionBegin(kSectionKnobs);
    for (uint8_t knob = 0; knob < CMKnobMapDump::kKnobCount; ++knob) {
        if (!dump.IsAssigned(knob))
            continue;
        const ParamAddress address = dump.GetAssignment(knob);
        m_file.WriteByte(static_cast<uint8_t>(address.location));
        m_file.WriteByte(address.module);
        m_file.WriteByte(address.param);
        m_file.WriteByte(knob);
        m_file.WriteNewline();
    }
    m_file.WriteSectionEnd(kSectionKnobs);
}

void CPatchFileWriter::WriteCtrlMapDumpSection(const CMCtrlMapDump& dump)
{
    if (dump.GetEntries().empty())
        return;
    m_file.WriteSectionBegin(kSectionControllers);
    for (const CCtrlMapEntry& entry : dump.GetEntries()) {
        m_file.WriteByte(static_cast<uint8_t>(entry.address.location));
        m_file.WriteByte(entry.address.module);
        m_file.WriteByte(entry.address.param);
        m_file.WriteByte(entry.controller);
        m_file.WriteNewline();
    }
    m_file.WriteSectionEnd(kSectionControllers);
}

void CPatchFileWriter::WriteCustomDumpSection(const CMModuleCustomDataDump& dump)
{
    BeginAreaSection(kSectionCustom, dump.GetArea());
    for (const auto& [index, data] : dump.GetData()) {
        m_file.WriteByte(index);
        m_file.WriteSigned(static_cast<int32_t>(data.size()));
        for (const uint8_t value : data)
            m_file.WriteByte(value);
        m_file.WriteNewline();
    }
    m_file.WriteSectionEnd(kSectionCustom);
}

void CPatchFileWriter::WriteNameDumpSection(const CMModuleNameDump& dump)
{
    BeginAreaSection(kSectionNames, dump.GetArea());
    for (const CModuleNameEntry& entry : dump.GetNames()) {
        m_file.WriteByte(entry.index);
        m_file.WriteLine(entry.name);
    }
    m_file.WriteSectionEnd(kSectionNames);
}

void CPatchFileWriter::WriteNotesSection(std::string_view notes)
{
    m_file.WriteSectionBegin(kSectionNotes);
    for (size_t cr = notes.find('\r'); cr != std::string_view::npos; cr = notes.find('\r')) {
        m_file.WriteLine(notes.substr(0, cr));
        notes.remove_prefix(cr + 1);
    }
    m_file.WriteLine(notes);
    m_file.WriteSectionEnd(kSectionNotes);
}
