// Times a program's first painted frame as the X server sees it: from the
// moment it is started to the first damage (X DAMAGE extension) to the
// screen's root window that leaves a pixel other than black, that is the
// first pixels any of its windows shows. A window's mapping alone paints it
// black (the screen's root is black too), which is no frame yet. Each
// damage counts from when it arrived, not from when its pixels were looked
// at. Prints the milliseconds, then ends the program.
//
//   first-frame-probe TIMEOUT_MS PROGRAM [ARGUMENTS...]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <optional>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Arrival {
    XRectangle area;
    Clock::time_point at;
};

bool AnyColour(XImage& image)
{
    const unsigned long colour = image.red_mask | image.green_mask | image.blue_mask;
    for (int y = 0; y < image.height; ++y) {
        if (image.bits_per_pixel == 32) {
            // The usual screen, read a row at a time: XGetPixel would take
            // milliseconds over a whole window.
            const auto* row = reinterpret_cast<const uint32_t*>(image.data + y * image.bytes_per_line);
            if (std::any_of(row, row + image.width, [colour](uint32_t pixel) { return (pixel & colour) != 0; }))
                return true;
            continue;
        }
        for (int x = 0; x < image.width; ++x)
            if ((XGetPixel(&image, x, y) & colour) != 0)
                return true;
    }
    return false;
}

// True when the screen shows anything but black in the area now.
bool ShowsColour(Display* display, XRectangle area)
{
    const Window root = DefaultRootWindow(display);
    const int screenWidth = DisplayWidth(display, DefaultScreen(display));
    const int screenHeight = DisplayHeight(display, DefaultScreen(display));
    const int right = std::min<int>(area.x + area.width, screenWidth);
    const int bottom = std::min<int>(area.y + area.height, screenHeight);
    if (right <= area.x || bottom <= area.y)
        return false;
    XImage* image = XGetImage(display, root, area.x, area.y, right - area.x, bottom - area.y, AllPlanes, ZPixmap);
    if (image == nullptr)
        return false;
    const bool shown = AnyColour(*image);
    XDestroyImage(image);
    return shown;
}

// Moves the damage the server has sent into `arrivals`, each stamped with
// the moment it was read off the connection.
void TakeArrivals(Display* display, int damageEvent, std::deque<Arrival>& arrivals)
{
    XEventsQueued(display, QueuedAfterReading);
    const Clock::time_point now = Clock::now();
    while (XEventsQueued(display, QueuedAlready) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == damageEvent + XDamageNotify)
            arrivals.push_back({reinterpret_cast<XDamageNotifyEvent&>(event).area, now});
    }
}

// When the first damage showing colour arrived, or nothing by the deadline.
// The pixels are read after the damage came: when more damage arrived while
// they were read, the colour may be that later damage's, which then counts,
// from the end of the reading (never earlier than it could have been).
std::optional<Clock::time_point> AwaitFirstColour(Display* display, int damageEvent, Clock::time_point deadline)
{
    const int fd = ConnectionNumber(display);
    std::deque<Arrival> arrivals;
    for (;;) {
        TakeArrivals(display, damageEvent, arrivals);
        while (!arrivals.empty()) {
            const Arrival next = arrivals.front();
            arrivals.pop_front();
            if (!ShowsColour(display, next.area))
                continue;
            const bool laterDamage = XEventsQueued(display, QueuedAlready) > 0;
            return laterDamage ? Clock::now() : next.at;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return std::nullopt;
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
    // Every drawing is reported with its area, none merged into one event.
    const Damage damage = XDamageCreate(display, DefaultRootWindow(display), XDamageReportRawRectangles);
    XSync(display, False);
    // Whatever was drawn before the start is not the program's.
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
    }

    const Clock::time_point start = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[2], nullptr, nullptr, argv + 2, environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", argv[2]);
        return 2;
    }
    const std::optional<Clock::time_point> shown =
        AwaitFirstColour(display, damageEvent, start + std::chrono::milliseconds(std::atoi(argv[1])));
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
    if (!shown) {
        std::fprintf(stderr, "%s showed nothing\n", argv[2]);
        return 1;
    }
    std::printf("%.1f\n", std::chrono::duration<double, std::milli>(*shown - start).count());
    return 0;
}
