#pragma once

// Rows that time what a newly started process does: the benchmark program
// runs itself again with a variable in its environment, and its main hands
// such a run to the row's own part instead of the benchmarks.

#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

// Runs this program again with name=value added to its environment; the
// numbers the run prints on its standard output, none when it failed.
inline std::vector<double> RunFreshProcess(const char* name, const std::string& value)
{
    const std::string setting = std::string(name) + "=" + value;
    std::vector<char*> environment;
    for (char** e = environ; *e != nullptr; ++e)
        environment.push_back(*e);
    environment.push_back(const_cast<char*>(setting.c_str()));
    environment.push_back(nullptr);
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    char program[] = "/proc/self/exe";
    char* argv[] = {program, nullptr};
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, program, &actions, nullptr, argv, environment.data());
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    std::string output;
    char buffer[256];
    for (ssize_t n = 0; failed == 0 && (n = read(fds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<size_t>(n));
    close(fds[0]);
    int status = 0;
    if (failed != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    std::vector<double> numbers;
    const char* at = output.c_str();
    for (char* end = nullptr;; at = end) {
        const double number = std::strtod(at, &end);
        if (end == at)
            break;
        numbers.push_back(number);
    }
    return numbers;
}

// The editor benchmark's fresh run: applies a module dump of both areas
// with the given number of modules each as the first patch of the process
// and prints the milliseconds it took and the page faults it met.
inline constexpr const char* kFirstApplyVariable = "BENCH_EDITOR_FIRST_APPLY";
int RunFirstApply(const char* modulesPerArea);
