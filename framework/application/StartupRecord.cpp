#include "framework/application/StartupRecord.h"

#include "platform/base/DroppedExceptions.h"
#include "framework/windows/ABCWindow.h"
#include "framework/base/Exceptions.h"
#include "framework/application/SingleInstance.h"
#include "framework/base/Utf8.h"
#include "platform/system/FileSystem.h"
#include "platform/system/SharedInstanceBlock.h"

#include <cstdio>
#include <new>

namespace NSHarrowen {

namespace {

[[noreturn]] void ThrowOutOfMemory()
{
    throw XOutOfMemory();
}

// True when a running copy took the command line. A block that cannot be
// had (another user's, no private folder) never stops the start: this copy
// then runs alone and says why.
bool JoinOrClaim(const char* program, const std::string& commandLine)
{
    const char* name = program ? program : "";
    try {
        if (ClaimFirstInstance())
            return false;
    } catch (const XBase&) {
        std::fprintf(stderr, "%s: running as a lone copy: the single-instance block cannot be used (%s)\n", name,
                     platform::CSharedInstanceBlock::LastOpenFailure().c_str());
        return false;
    }
    try {
        ForwardToRunningInstance(commandLine);
        return true;
    } catch (const XBase&) {
        // The running copy ended before it could take the text: run after all.
        if (ClaimFirstInstance())
            return false;
    }
    std::fprintf(stderr, "%s: another copy of this program runs but did not take the command line\n", name);
    return true;
}

int RunFirstCopy(const std::string& commandLine, ProgramEntry entry)
{
    const std::string executable = platform::ExecutablePath();
    if (executable.empty())
        throw XBase();
    CStartupRecord record;
    record.executable = std::make_unique<CFileSpec>(executable);
    record.showCommand = 1;
    RegisterWindowClasses();
    record.SetCommandLine(commandLine);
    return entry(record);
}

} // namespace

void CStartupRecord::SetApplicationName(std::string_view name)
{
    applicationName = std::string(name.substr(0, Utf8CutLength(name, kNameMax)));
}

void CStartupRecord::SetCommandLine(std::string_view text)
{
    commandLine = std::string(text.substr(0, Utf8CutLength(text, kCommandLineMax)));
}

std::string JoinCommandLine(int argc, const char* const* argv)
{
    std::string line;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!line.empty())
            line += ' ';
        if (arg.find(' ') != std::string_view::npos)
            line += '"' + std::string(arg) + '"';
        else
            line += arg;
    }
    return line;
}

int RunProgramMain(int argc, const char* const* argv, ProgramEntry entry)
{
    int result = 0;
    try {
        std::set_new_handler(ThrowOutOfMemory);
        const std::string commandLine = JoinCommandLine(argc, argv);
        if (JoinOrClaim(argv[0], commandLine))
            return 0;
        result = RunFirstCopy(commandLine, entry);
    } catch (...) {
        // The program's own failures were shown where they happened.
        platform::RecordDroppedException("the program");
    }
    // Also after a failure: a later start must not wait on this copy.
    try {
        ReleaseFirstInstance();
        UnregisterWindowClasses();
    } catch (...) {
        platform::RecordDroppedException("the end of the first copy");
    }
    return result;
}

} // namespace NSHarrowen
