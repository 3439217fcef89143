#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "simulator/SimPatch.h"

namespace sim {

class XSimPatchFile : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The patch text file of version 3.0: reads what the simulator needs to hold
// a patch (the name comes from the file's name) and writes it back.
SimPatch ReadPatchText(const std::string& text, const std::string& name);
std::string WritePatchText(const SimPatch& patch);

SimPatch ReadPatchFile(const std::filesystem::path& path);
void WritePatchFile(const std::filesystem::path& path, const SimPatch& patch);

// The patch name a file name gives: its first 16 printable characters.
std::string PatchNameFromFileName(const std::filesystem::path& path);

} // namespace sim
