#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace testsupport {

// A child process, ended (by its id) when the object goes.
class ScopedProcess {
public:
    explicit ScopedProcess(std::vector<std::string> args);
    ~ScopedProcess();
    ScopedProcess(const ScopedProcess&) = delete;
    ScopedProcess& operator=(const ScopedProcess&) = delete;
    bool Started() const { return pid_ > 0; }

private:
    pid_t pid_ = -1;
};

} // namespace testsupport
