#include "DemoSupport.h"
#include "X11Screenshot.h"

#include "framework/application/Application.h"
#include "platform/graphics/PngWriter.h"
#include "platform/system/Clock.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowPaint.h"

#include <cstdio>

namespace demo {

void PumpFor(NSHarrowen::CApplication& app, uint64_t ms)
{
    const uint64_t end = platform::NowMilliseconds() + ms;
    while (platform::NowMilliseconds() < end) {
        if (app.PumpWaiting(100) == 0) {
            app.IdleCheck();
            platform::SleepMilliseconds(10);
        }
    }
}

long CompareWithScreen(platform::WindowHandle window, const std::string& path)
{
    const platform::PixelBuffer drawn = platform::CaptureWindow(window);
    platform::PixelBuffer shown;
    if (!GrabScreen(platform::GetWindowRect(window), shown)) {
        std::fprintf(stderr, "The screen could not be read.\n");
        return -1;
    }
    platform::WritePng(path, shown);
    const long differing = CountDifferences(drawn, shown);
    std::printf("Wrote %s; %ld pixels differ from the drawing.\n", path.c_str(), differing);
    return differing;
}

} // namespace demo
