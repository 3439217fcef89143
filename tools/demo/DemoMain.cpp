// The framework's demo: a frame with two document windows, each showing a
// small drawn view tree.
//
//   torvan-demo [FILE...]            a desktop window (SDL2), until closed; one
//                                    copy runs: a second start hands its files
//                                    to it and ends
//     --state-file FILE              on SIGUSR1, writes its windows' places,
//                                    edit texts, tooltip and help requests to FILE
//     --help-file FILE               shows FILE as its help file
//   torvan-demo --headless FILE      draws in memory and writes the screen to FILE (PNG)
//   torvan-demo --screenshot FILE    shows the window, then takes the real
//                                    screen's picture of it (X11) into FILE and
//                                    checks it against what was drawn
#include "DemoApplication.h"
#include "DemoScene.h"
#include "DemoSupport.h"

#include "framework/application/Application.h"
#include "framework/application/StartupRecord.h"
#include "platform/host/DesktopHost.h"
#include "platform/host/HostScope.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/host/Host.h"
#include "platform/graphics/PngWriter.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowPaint.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace {

using NSHarrowen::CApplication;

int RunHeadless(const std::string& path)
{
    auto owned = std::make_unique<platform::HeadlessHost>(1024, 768);
    platform::HeadlessHost& host = *owned;
    {
        const platform::CHostScope desktop(std::move(owned));
        CApplication app("Torvan Demo");
        demo::DemoScene scene(app);
        host.SetApplicationFocus(true);
        app.PumpWaiting(100000);
        platform::FlushScreen();
        platform::WritePng(path, host.Screen());
    }
    std::printf("Wrote %s\n", path.c_str());
    return 0;
}

int RunOnDesktop(const char* screenshot)
{
    std::unique_ptr<platform::IHost> desktop = platform::CreateDesktopHost();
    if (!desktop) {
        std::fprintf(stderr, "No desktop to show the demo on.\n");
        return 1;
    }
    int result = 0;
    {
        const platform::CHostScope scope(std::move(desktop));
        CApplication app("Torvan Demo");
        demo::DemoScene scene(app);
        if (screenshot) {
            demo::PumpFor(app, 1500);
            const long differing = demo::CompareWithScreen(app.GetFrameHandle(), screenshot);
            result = differing < 0 ? 1 : differing == 0 ? 0 : 2;
        } else {
            app.RunLoop();
        }
    }
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        if (argc == 3 && std::strcmp(argv[1], "--headless") == 0)
            return RunHeadless(argv[2]);
        if (argc == 3 && std::strcmp(argv[1], "--screenshot") == 0)
            return RunOnDesktop(argv[2]);
        demo::DemoOptions options;
        std::vector<const char*> rest{argv[0]};
        for (int i = 1; i < argc; ++i) {
            const bool valued = i + 1 < argc;
            if (valued && std::strcmp(argv[i], "--state-file") == 0) {
                options.stateFile = argv[++i];
            } else if (valued && std::strcmp(argv[i], "--help-file") == 0) {
                options.helpFile = argv[++i];
            } else if (argv[i][0] == '-') {
                std::fprintf(stderr,
                             "usage: %s [--headless FILE | --screenshot FILE | [--state-file FILE] "
                             "[--help-file FILE] FILE...]\n",
                             argv[0]);
                return 64;
            } else {
                rest.push_back(argv[i]);
            }
        }
        demo::SetDemoOptions(std::move(options));
        return NSHarrowen::RunProgramMain(static_cast<int>(rest.size()), rest.data(), demo::RunDemoApplication);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "torvan-demo: %s\n", e.what());
        return 1;
    }
}
