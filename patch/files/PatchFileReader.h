#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class CPatchFileDumps;
class CSectionedTextFile;

// Reads the sections of a version 3.0 patch file, positioned after its
// version line, into fresh dumps.
//
// A value outside its limits (a parameter value above 127, a module index 0
// or above 127, a module type the catalogue lacks, a knob above 22, ...) and
// any other failure inside a section throw XFileBase "File Corrupt": nothing
// is to be applied. A file that merely breaks off (an unreadable number, a
// section without its closing line, a truncated file) keeps what was read;
// IsBroken then tells the caller to report the damage after applying it.
class CPatchFileReader {
public:
    CPatchFileReader(CSectionedTextFile& file, CPatchFileDumps& dumps) : file_(file), dumps_(dumps) { }

    // Every section in file order, the notes into notes.
    void ReadAll(std::string& notes);
    bool IsBroken() const { return broken_; }

    void ReadPatchHeaderSection();
    void ReadModuleDumpSection(uint8_t area);
    void ReadCurrentNoteDumpSection();
    void ReadCableDumpSection(uint8_t area);
    void ReadParameterDumpSection(uint8_t area);
    // "MorphMapDump", then "KeyboardAssignment".
    void ReadMorphMapDumpSection();
    void ReadKnobMapDumpSection();
    void ReadCtrlMapDumpSection();
    void ReadCustomDumpSection(uint8_t area);
    void ReadNameDumpSection(uint8_t area);
    void ReadNotesSection(std::string& notes);

private:
    // Runs a section reader: failures other than running out of memory
    // become "File Corrupt".
    template <class FRead> void Guarded(FRead read);
    // Seeks the section; for a per-area one also reads its area flag, and
    // gives false when the section is absent or of the other area.
    bool EnterSection(std::string_view name, int area = -1);
    // Reads entries until the closing line. A failed number or a "[" line
    // other than the closing one ends the section as broken; the "[" line
    // then stays for the next section's search.
    template <class FReadEntry> void ReadEntries(std::string_view name, FReadEntry readEntry);
    // After a fixed set of values: the closing line must follow.
    void ExpectSectionEnd(std::string_view name);
    // An entry whose numbers could not all be read is not added.
    bool EntryComplete();

    // Limits on single values; each throws "File Corrupt" when broken.
    uint8_t ReadModuleIndex();
    uint8_t ReadModuleType();
    uint8_t ReadLimited(int32_t maximum);

    CSectionedTextFile& file_;
    CPatchFileDumps& dumps_;
    bool broken_ = false;
};
