#pragma once

#include "simulator/SimPatchFile.h"

#include <string>

namespace sim {

// Whether the text is a patch file of the older version 2.10.
bool IsPatchText210(const std::string& text);
// Reads a 2.10 patch file into the poly voice area, as the newer layout
// holds it: the morph module's values become the morph groups, rows double,
// some parameters split or turn round, output jacks get their direction.
// Throws XSimPatchFile "File Corrupt" when it cannot be read.
SimPatch ReadPatchText210(const std::string& text, const std::string& name);

} // namespace sim
