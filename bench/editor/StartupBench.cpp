// The editor's start: from an empty process state to the splash on the
// screen, and the resident memory once it has started with one empty patch.
// On the desktop (SDL) when a display can be opened, else on the in-memory
// desktop; the "desktop" counter says which (1 for SDL).

#include "bench/support/EditorBench.h"
#include "editor/app/EditorApp.h"
#include "editor/patches/PatchManager.h"
#include "platform/host/DesktopHost.h"
#include "platform/host/HostScope.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/system/Clock.h"
#include "platform/windows/Window.h"
#include "resources/PatchoraResources.h"
#include "resources/PictureResources.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

double ResidentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void EditorStartToSplash(benchmark::State& state)
{
    UsePrivateSettings();
    PatchoraResources();
    PictureResources();
    std::unique_ptr<platform::IHost> host = platform::CreateDesktopHost();
    const bool desktop = host != nullptr;
    if (!host)
        host = std::make_unique<platform::HeadlessHost>(1280, 1024);
    const platform::CHostScope scope(std::move(host));
    double splashMs = 0;
    double residentMb = 0;
    const double baselineMb = ResidentMegabytes();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const uint64_t startClock = platform::NowMilliseconds();
        CEditorApp app;

        const platform::WindowHandle frame = app.CreateFrameWindow();
        platform::ShowWindow(frame, platform::ShowCommand::Show);
        app.Init();
        const double shown = static_cast<double>(app.GetSplashShownAt() - startClock);
        app.GetPatches()->NewLocalPatch();
        app.PumpWaiting(100000);
        residentMb = ResidentMegabytes();
        // On the in-memory desktop the splash's wait passes on its own clock,
        // so the real time up to the splash is what counts.
        splashMs = desktop
            ? shown
            : std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(splashMs / 1000.0);
        app.Exit();
        app.DestroyFrameWindow();
    }
    state.counters["splash_ms"] = splashMs;
    state.counters["resident_MB"] = residentMb;
    state.counters["before_start_MB"] = baselineMb;
    state.counters["desktop"] = desktop ? 1 : 0;
}
BENCHMARK(EditorStartToSplash)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
