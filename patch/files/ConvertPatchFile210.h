#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CPatchFileDumps;
class CSectionedTextFile;

// A 2.10 parameter index as 3.0 numbers it (knob and controller assignments
// only): from 32 up it moves down for the types whose 2.10 bit sets were
// unfolded into separate parameters.
uint8_t ConvertParamIndex210(uint8_t typeId, uint8_t index);

// Reads a version 2.10 patch file (a header of key=value lines, then
// bracketed sections of key=value lines), positioned after its version
// line, into the dumps of voice area 1, and adapts it to the 3.0 model: the
// old morph module becomes the morph groups, rows double, some parameter
// lists change shape and output jacks get their own direction.
class ConvertPatchFile210 {
public:
    explicit ConvertPatchFile210(CSectionedTextFile& file) : file_(file) { }

    // Reads the file: the header, names, maps and notes go to the dumps at
    // once, modules, parameters and cables wait for ConvertMaps. Any failure
    // throws XFileBase "File Corrupt" (2). A number that cannot be read ends
    // the reading with what was read so far; IsBroken then tells.
    void Convert(CPatchFileDumps& dumps, std::string& notes);
    // The 3.0 shape of what was read; any failure (a parameter list shorter
    // than a rule needs) throws "Problem with converting from 2.1 to 3" (3).
    void ConvertMaps(CPatchFileDumps& dumps);
    bool IsBroken() const { return broken_; }

private:
    // The 2.10 morph module's type.
    static constexpr uint8_t kMorphModuleType = 6;
    // The type table covers module numbers 0 to 44.
    static constexpr size_t kTypeTableSize = 45;

    struct CModule210 {
        uint8_t index = 0;
        uint8_t type = 0;
        uint8_t column = 0;
        uint8_t row = 0;
        std::vector<uint8_t> params;
    };
    struct CCable210 {
        uint8_t colour = 0;
        uint8_t module = 0;
        uint8_t jack = 0;
        uint8_t sourceModule = 0;
        uint8_t sourceJack = 0;
    };
    // A knob or controller entry, resolved once every module's type is known.
    struct CAssignment210 {
        uint32_t number = 0;
        uint8_t module = 0;
        uint8_t param = 0;
    };

    // The key rule: everything up to the next "=" (consumed), of which only
    // the last blank-delimited word counts. False when no "=" follows.
    bool ReadKey210(std::string& key);
    // Reads keys until the next "[" line or the end of the text; a read that
    // fails ends it as broken.
    template <class FHandleKey> void ForEachKey(FHandleKey handle);
    // The number after the first `skip` characters of a key, if any.
    static bool KeyNumber(const std::string& key, size_t skip, uint32_t& number);
    bool Complete();

    void ReadHeader(CPatchFileDumps& dumps);
    void ReadModuleSection(uint32_t number, CPatchFileDumps& dumps);
    void ReadAssignments(std::vector<CAssignment210>& assignments);
    void ReadMorphs(CPatchFileDumps& dumps);
    void ReadVoices(CPatchFileDumps& dumps);
    void ReadNotes(std::string& notes);
    void ResolveAssignments(CPatchFileDumps& dumps);
    uint8_t TypeOf(uint8_t module) const { return module < kTypeTableSize ? types_[module] : 0; }

    CSectionedTextFile& file_;
    bool broken_ = false;
    std::array<uint8_t, kTypeTableSize> types_{};
    std::vector<CModule210> modules_;
    std::vector<CCable210> cables_;
    std::vector<CAssignment210> controllers_;
    std::vector<CAssignment210> knobs_;
};
