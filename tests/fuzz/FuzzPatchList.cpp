// The patch list file of a flash bank.

#include "framework/files/FileSpec.h"
#include "synth/files/PatchListFile.h"
#include "tests/fuzz/FuzzFile.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = fuzzinput::WriteInputFile("Fuzzed.pchList", {data, size});
    CPatchListFile list;
    std::vector<std::string> entries;
    if (list.Read(NSHarrowen::CFileSpec(path), entries) && entries.size() != CPatchListFile::kPositions)
        __builtin_trap();
    // No name may lead out of the list's folder.
    for (const std::string& name : entries) {
        if (name.find_first_of("/\\:") != std::string::npos || name == "." || name == "..")
            __builtin_trap();
    }
    return 0;
}
