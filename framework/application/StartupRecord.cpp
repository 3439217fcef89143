#include "framework/application/StartupRecord.h"

#include "platform/base/DroppedExceptions.h"
#include "framework/windows/ABCWindow.h"
#include "framework/base/Exceptions.h"
#include "framework/application/SingleInstance.h"
#include "framework/base/Utf8.h"
#include "platform/system/FileSystem.h"

#include <new>

namespace NSHarrowen {

namespace {

[[noreturn]] void ThrowOutOfMemory()
{
    throw XOutOfMemory();
}

// A second start: hand over, or run after all when the running copy ended
// before it could take the text.
bool HandOverToRunningCopy(const std::string& commandLine)
{
    try {
        ForwardToRunningInstance(commandLine);
        return true;
    } catch (const XBase&) {
        return !ClaimFirstInstance();
    }
}

void RunFirstCopy(const std::string& commandLine, ProgramEntry entry)
{
    const std::string executable = platform::ExecutablePath();
    if (executable.empty())
        throw XBase();
    CStartupRecord record;
    record.executable = std::make_unique<CFileSpec>(executable);
    record.showCommand = 1;
    RegisterWindowClasses();
    record.SetCommandLine(commandLine);
    entry(record);
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
    try {
        std::set_new_handler(ThrowOutOfMemory);
        const std::string commandLine = JoinCommandLine(argc, argv);
        if (!ClaimFirstInstance() && HandOverToRunningCopy(commandLine))
            return 0;
        RunFirstCopy(commandLine, entry);
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
    return 0;
}

} // namespace NSHarrowen
