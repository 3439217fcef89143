#pragma once

// The section writers of the patch file, one per dump that a patch file
// holds. The patch file implements it; each dump's WriteToPatchFile calls
// its own section writer.
class CMPatchHeaderDump;
class CMModuleDump;
class CMCurrentNotesDump;
class CMCableDump;
class CMModuleParamDump;
class CMMorphMapDump;
class CMKnobMapDump;
class CMCtrlMapDump;
class CMModuleCustomDataDump;
class CMModuleNameDump;

class CPatchFileWriterInterface {
public:
    virtual ~CPatchFileWriterInterface() = default;

    virtual void WritePatchHeaderSection(const CMPatchHeaderDump& dump) = 0;
    virtual void WriteModuleDumpSection(const CMModuleDump& dump) = 0;
    virtual void WriteCurrentNoteDumpSection(const CMCurrentNotesDump& dump) = 0;
    virtual void WriteCableDumpSection(const CMCableDump& dump) = 0;
    virtual void WriteParameterDumpSection(const CMModuleParamDump& dump) = 0;
    // Writes "MorphMapDump" and "KeyboardAssignment".
    virtual void WriteMorphMapDumpSection(const CMMorphMapDump& dump) = 0;
    virtual void WriteKnobMapDumpSection(const CMKnobMapDump& dump) = 0;
    virtual void WriteCtrlMapDumpSection(const CMCtrlMapDump& dump) = 0;
    virtual void WriteCustomDumpSection(const CMModuleCustomDataDump& dump) = 0;
    virtual void WriteNameDumpSection(const CMModuleNameDump& dump) = 0;
};
