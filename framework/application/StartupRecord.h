#pragma once

#include "framework/files/FileSpec.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace NSHarrowen {

// What the program entry hands to the program and the program to its
// application object.
struct CStartupRecord {
    static constexpr size_t kNameMax = 263;
    // Room for many long paths (16 of 4,096 bytes and more).
    static constexpr size_t kCommandLineMax = 256 * 1024;

    std::string applicationName = "Harrowen Win32 Application"; // the program sets its own
    std::unique_ptr<CFileSpec> executable;
    uintptr_t instance = 0;
    std::string commandLine; // without the program's path
    int showCommand = 1;     // shown normally

    void SetApplicationName(std::string_view name);
    void SetCommandLine(std::string_view text);
};

// The program's own entry: builds its application object from the record,
// runs it and returns Run's result.
using ProgramEntry = int (*)(CStartupRecord& record);

// The arguments as one command line: separated by blanks, an argument that
// holds a blank in double quotes.
std::string JoinCommandLine(int argc, const char* const* argv);

// The process entry (called from main): lets only one copy run. A second
// start hands its command line to the running copy and returns 0 at once;
// the first registers the window classes, calls entry, tidies up and returns
// entry's result (not 0 when the program could not start, e.g. without a
// desktop). Every exception ends here quietly with 0.
int RunProgramMain(int argc, const char* const* argv, ProgramEntry entry);

} // namespace NSHarrowen
