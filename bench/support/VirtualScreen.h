#pragma once

// An X server of the benchmark's own (Xvfb) for the rows that time the real
// desktop, when the benchmark was not started on one: DISPLAY is set to it
// while it lives. Without Xvfb the row says so instead of timing anything.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

class CVirtualScreen {
public:
    // Nothing to start when a display is given already.
    explicit CVirtualScreen(const char* size = "1280x1024x24")
    {
        if (const char* display = std::getenv("DISPLAY"); display != nullptr && *display != '\0')
            return;
        int fds[2];
        if (pipe(fds) != 0)
            return;
        const std::string fd = std::to_string(fds[1]);
        // -noreset: a client connecting as another leaves is not refused while
        // the server starts afresh.
        const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen",  "0",
                              size,   "-nolisten",  "tcp",      "-noreset", nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        const int failed = posix_spawnp(&pid, "Xvfb", &actions, nullptr, const_cast<char* const*>(argv), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        if (failed == 0)
            server_ = pid;
        // The server writes its display number once it takes connections.
        std::string number;
        char c = 0;
        while (failed == 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (!number.empty()) {
            display_ = ":" + number;
            setenv("DISPLAY", display_->c_str(), 1);
        }
    }
    ~CVirtualScreen()
    {
        if (display_)
            unsetenv("DISPLAY");
        if (server_) {
            kill(*server_, SIGTERM);
            waitpid(*server_, nullptr, 0);
        }
    }
    CVirtualScreen(const CVirtualScreen&) = delete;
    CVirtualScreen& operator=(const CVirtualScreen&) = delete;

    // Whether drawing has a display to go to, this one or the one given.
    static bool HasDisplay()
    {
        const char* display = std::getenv("DISPLAY");
        return display != nullptr && *display != '\0';
    }

private:
    std::optional<pid_t> server_;
    std::optional<std::string> display_;
};
