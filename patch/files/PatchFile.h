#pragma once

#include "synth/molecules/MoleculePacket.h"
#include "synth/files/XFileBase.h"

#include <cstdint>
#include <optional>
#include <string>

class CSectionedTextFile;

namespace NSHarrowen {
class CFileSpec;
}

// A patch file in memory: the dump molecules that carry a whole patch (as
// over MIDI) and the notes, whose lines are separated by single CR
// characters. The patch name is not part of the file: it is the file's name.
struct CPatchFileContent {
    // The fifteen dumps in the order the document applies them (see
    // CPatchFileDumps::MoveTo).
    CMoleculePacket dumps;
    std::string notes;
    // Set when the file broke off (a number that could not be read, a
    // section without its closing line, a truncated file): the dumps hold
    // what was read, and the document reports this after applying them.
    std::optional<XFileBase> pendingError;
};

// The version line's verdict.
enum class EPatchFileVersion : uint32_t { kNone = 0, kVersion210 = 1, kVersion30 = 2 };

// Reads lines up to the first that holds "Version". Another version than
// 2.10 and 3.0 throws XFileBase "File format is not supported: <version>.
// Convert in editor V2.10" (cut to 64 characters).
EPatchFileVersion ReadPatchFileVersion(CSectionedTextFile& file);

// Reads a patch file of version 3.0 or 2.10 into content (whose packet
// must be empty). Throws XFileBase when nothing is to be applied: the file
// cannot be opened or read, is empty or too large, has no or another
// version, holds a value outside its limits ("File Corrupt"), or a 2.10 file
// cannot be converted. Running out of memory passes on as it is.
void ReadPatchFile(const NSHarrowen::CFileSpec& spec, CPatchFileContent& content);

// Writes a version 3.0 patch file: each molecule of the packet writes its
// own section, in list order, then the notes. The old file stays as it was
// when the save fails. Throws XFileBase.
void WritePatchFile(const NSHarrowen::CFileSpec& spec, const CMoleculePacket& dumps, const std::string& notes);
