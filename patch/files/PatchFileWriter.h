#pragma once

#include "synth/molecules/PatchFileWriterInterface.h"
#include "synth/protocol/ParamAddress.h"

#include <string_view>

class CSectionedTextFile;

// Writes the sections of a version 3.0 patch file into a sectioned text
// file; each dump's WriteToPatchFile calls the writer of its own section.
class CPatchFileWriter : public CPatchFileWriterInterface {
public:
    static constexpr std::string_view kVersionLine = "Version=Vesk Kandrel patch 3.0";

    explicit CPatchFileWriter(CSectionedTextFile& file) : file_(file) { }

    void WritePatchHeaderSection(const CMPatchHeaderDump& dump) override;
    void WriteModuleDumpSection(const CMModuleDump& dump) override;
    void WriteCurrentNoteDumpSection(const CMCurrentNotesDump& dump) override;
    void WriteCableDumpSection(const CMCableDump& dump) override;
    void WriteParameterDumpSection(const CMModuleParamDump& dump) override;
    // "MorphMapDump" when an assignment exists or a group value is not 0,
    // so the morph knobs' positions are kept; "KeyboardAssignment" when a
    // group has a keyboard assignment.
    void WriteMorphMapDumpSection(const CMMorphMapDump& dump) override;
    void WriteKnobMapDumpSection(const CMKnobMapDump& dump) override;
    void WriteCtrlMapDumpSection(const CMCtrlMapDump& dump) override;
    void WriteCustomDumpSection(const CMModuleCustomDataDump& dump) override;
    void WriteNameDumpSection(const CMModuleNameDump& dump) override;
    // One line per notes line (the notes separate lines with CR).
    void WriteNotesSection(std::string_view notes);

private:
    // Opens a per-area section with its area flag line.
    void BeginAreaSection(std::string_view name, uint8_t area);
    // A knob or controller line: location, module, parameter, then the knob
    // or controller number.
    void WriteAssignmentLine(const ParamAddress& address, uint8_t target);

    CSectionedTextFile& file_;
};
