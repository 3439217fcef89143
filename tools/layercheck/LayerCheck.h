#pragma once

#include "tools/layercheck/LayerRules.h"

#include <filesystem>
#include <string>
#include <vector>

namespace layering {

// An include a rule refuses: where it is and what it names.
struct Violation {
    std::string file; // relative to the top
    int line = 0;
    std::string include;
};

// Every source file below the top, relative to it and sorted (build folders
// and hidden ones left out).
std::vector<std::string> ListSources(const std::filesystem::path& top);

// Reads the #include lines of every source file below the top (build
// folders and hidden ones left out) and returns those the rules refuse.
// Quoted includes are taken from the top, or from the file's own folder when
// the file is there; system includes are not checked.
std::vector<Violation> CheckTree(const std::filesystem::path& top, const CLayerRules& rules);

// The source files below the top that share a file name, a list for each
// name, in the order of their names.
std::vector<std::vector<std::string>> FilesSharingAName(const std::filesystem::path& top);

// "file:line: includes "path"".
std::string Describe(const Violation& violation);

} // namespace layering
