// Times a program's first painted frame as the X server sees it: from the
// moment it is started to the first damage (X DAMAGE extension) to the
// screen's root window, that is the first pixels any of its windows shows.
// Prints the milliseconds, then ends the program.
//
//   first-frame-probe TIMEOUT_MS PROGRAM [ARGUMENTS...]
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

extern char** environ;

namespace {

double MillisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Waits for the first damage event, until the deadline; false when none came.
bool AwaitDamage(Display* display, int damageEvent, std::chrono::steady_clock::time_point deadline)
{
    const int fd = ConnectionNumber(display);
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == damageEvent + XDamageNotify)
                return true;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd wait{fd, POLLIN, 0};
        poll(&wait, 1, static_cast<int>(left.count()));
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TIMEOUT_MS PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    int damageEvent = 0;
    int damageError = 0;
    if (display == nullptr || !XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "no X display with the DAMAGE extension\n");
        return 2;
    }
    const Damage damage = XDamageCreate(display, DefaultRootWindow(display), XDamageReportNonEmpty);
    XSync(display, False);
    // Whatever was drawn before the start is not the program's.
    XDamageSubtract(display, damage, None, None);
    XSync(display, False);
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
    }

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[2], nullptr, nullptr, argv + 2, environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", argv[2]);
        return 2;
    }
    const bool painted = AwaitDamage(display, damageEvent, start + std::chrono::milliseconds(std::atoi(argv[1])));
    const double ms = MillisecondsSince(start);
    // Asked to end, a program may still wait on something of its own: it
    // is stopped after two seconds.
    kill(pid, SIGTERM);
    int status = 0;
    for (int waited = 0; waitpid(pid, &status, WNOHANG) == 0; ++waited) {
        if (waited == 200)
            kill(pid, SIGKILL);
        usleep(10000);
    }
    XDamageDestroy(display, damage);
    XCloseDisplay(display);
    if (!painted) {
        std::fprintf(stderr, "%s showed nothing\n", argv[2]);
        return 1;
    }
    std::printf("%.1f\n", ms);
    return 0;
}
