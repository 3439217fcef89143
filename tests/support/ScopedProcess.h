#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace testsupport {

// Starts a program as a child that the kernel kills when the test's process
// ends first, however it ends (an orphan would keep the test runner's output
// pipe open and hold it). `env` entries win over the inherited environment;
// a non-empty `errorFile` takes the child's standard error. Call it on the
// test's main thread (the kernel ties the child to the thread that made it).
// The child's id, or -1.
pid_t StartTiedProcess(std::vector<std::string> args, const std::vector<std::string>& env = {},
                       const std::string& errorFile = {});

// A child process, ended (by its id) when the object goes, and killed by the
// kernel when the test's process ends first, however it ends. Made on the
// test's main thread (the kernel ties the child to the thread that made it).
class ScopedProcess {
public:
    explicit ScopedProcess(std::vector<std::string> args);
    ~ScopedProcess();
    ScopedProcess(const ScopedProcess&) = delete;
    ScopedProcess& operator=(const ScopedProcess&) = delete;
    bool Started() const { return pid_ > 0; }
    pid_t Pid() const { return pid_; }

private:
    pid_t pid_ = -1;
};

} // namespace testsupport
