#include "tests/support/RequiredTools.h"

#include "tests/support/SourceTree.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

namespace testsupport {

namespace {

constexpr int kSkipped = 77;

struct Verdict {
    int status = -1;
    std::string text;
};

// A command's output, read through a pipe; closed at the end in any case.
class CommandPipe {
public:
    explicit CommandPipe(const std::string& command) : file_(popen(command.c_str(), "r")) { }
    ~CommandPipe()
    {
        if (file_ != nullptr)
            pclose(file_);
    }
    CommandPipe(const CommandPipe&) = delete;
    CommandPipe& operator=(const CommandPipe&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    std::string ReadAll()
    {
        std::string text;
        char buffer[512];
        while (const size_t n = fread(buffer, 1, sizeof buffer, file_))
            text.append(buffer, n);
        return text;
    }
    // The exit status of the command, -1 when it did not exit.
    int Close()
    {
        const int status = pclose(file_);
        file_ = nullptr;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    FILE* file_;
};

// Runs the script through bash itself, so that a PATH without the tools
// still finds the shell.
Verdict Ask(const Requirements& needs)
{
    std::string command = "/bin/bash '" + SourcePath("tests/support/require-tools.sh").string() + "'";
    if (needs.jackServer)
        command += " --jack-server";
    for (const std::string& program : needs.programs)
        command += " '" + program + "'";
    command += " 2>&1";
    CommandPipe pipe(command);
    if (!pipe.IsOpen())
        return {-1, "cannot run " + command};
    Verdict verdict{0, pipe.ReadAll()};
    verdict.status = pipe.Close();
    while (!verdict.text.empty() && verdict.text.back() == '\n')
        verdict.text.pop_back();
    return verdict;
}

void Record(const Verdict& verdict)
{
    if (verdict.status == kSkipped)
        GTEST_SKIP() << verdict.text;
    GTEST_FAIL() << verdict.text;
}

} // namespace

bool Unavailable(const Requirements& needs)
{
    const Verdict verdict = Ask(needs);
    if (verdict.status == 0)
        return false;
    Record(verdict);
    return true;
}

} // namespace testsupport
