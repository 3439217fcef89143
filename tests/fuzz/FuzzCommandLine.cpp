// The command line and its hand-over from a second start: the text goes
// through the shared block and the wake socket to the running copy, which
// takes it and parses it as its own command line (names that exist are
// opened, the rest is reported).
//
// Input: the command line's bytes. The folder it runs in holds a few files
// and folders, some with blanks and quotes in their names, so that names
// on the line exist.

#include "framework/application/CommandLine.h"
#include "framework/application/SingleInstance.h"
#include "framework/base/Exceptions.h"
#include "platform/system/SharedInstanceBlock.h"
#include "tests/fuzz/FuzzFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

bool SetUp()
{
    const fs::path base = fs::path(fuzzinput::WriteInputFile("scratch", {})).parent_path();
    const fs::path runtime = base / "runtime";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    const fs::path folder = base / "cwd";
    fs::create_directories(folder / "a folder");
    for (const char* name : {"a", "a b.pch", "x\"y.pch", "my patch.pch", "b.pch"})
        std::ofstream(folder / name) << "x";
    fs::current_path(folder);
    NSHarrowen::UseSharedInstanceKey("fuzz" + std::to_string(getpid()));
    // This process is the running copy and, for each input, the second start.
    if (!NSHarrowen::ClaimFirstInstance())
        return false;
    NSHarrowen::GetSharedInstanceBlock().SetFrame(1);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Each name found is looked up at up to 255 lengths: a line of thousands
    // of one-letter names is slow by design, not a hang.
    if (size > 4096)
        return 0;
    static const bool running = SetUp();
    const std::string line(reinterpret_cast<const char*>(data), size);
    std::string taken = line;
    if (running) {
        try {
            NSHarrowen::ForwardToRunningInstance(line);
            if (!NSHarrowen::TakeInstanceWake())
                __builtin_trap();
            taken = NSHarrowen::TakeForwardedCommandLine();
            if (taken != line.substr(0, platform::kInstanceTextMax))
                __builtin_trap();
        } catch (const NSHarrowen::XBase&) {
            // Not handed over: the second start runs by itself.
        }
    }
    size_t opened = 0;
    NSHarrowen::ParseCommandLineText(
        taken,
        [&](const std::string& path) {
            if (path.empty() || path.front() != '/')
                __builtin_trap();
            ++opened;
            return true;
        },
        [&](const std::string& rest) {
            if (rest.size() > 64)
                __builtin_trap();
        });
    return 0;
}
