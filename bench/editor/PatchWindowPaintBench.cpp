// What a user waits for when a patch window paints, through the real paint
// path: the window (and every window inside it) invalidated, the paint
// messages taken by the run loop's pump, the changed pixels handed to the
// desktop. The patch window fills a 1280 x 1024 desktop, both voice areas
// hold N mixed modules (8, 32, 127) and as many cables as they take.
//   PaintPatchWindow: a full repaint on the in-memory desktop; counter
//   paint_ms (goal 8 ms at 127).
//   PaintOnDesktop/rest_ms:R: the same full repaint at 127 on the real
//   desktop (SDL on X: the pixels shown by the server before the time ends),
//   after R ms without painting, slept for real (0: painted back to back,
//   250: after a rest); counter paint_ms, the time on the wall (goal 8 ms),
//   cpu_ms, the main thread's, and page_faults, those the repaint met (none
//   after a rest: nothing is given back while idle). On $DISPLAY, else on an
//   Xvfb of its own.
//   PaintAfterRest: the in-memory full repaint at 127 after 250 ms slept
//   without painting; counter paint_ms (goal 8 ms).
//   PaintAfterKnobStep: one parameter step as a knob sends it, its repaint
//   and present; counters step_ms (goal 1 ms) and presented_kpx (thousands
//   of pixels handed to the desktop: the knob's rectangle is enough).
//   ApplyPatchToWindow: the largest patch's dumps (every value, name and map)
//   applied to a document shown in a window with its real panels, again and
//   again in one process; counter apply_ms (goal 5 ms).
//   FirstApplyInFreshProcess: the modules of both full areas (127 each)
//   applied as the first patch of a newly started editor process, after
//   its first idle step (one process per iteration); counters apply_ms
//   (goal 5 ms) and page_faults.
// "x_goal" is each figure over its goal (below 1 meets it). Run with
// --benchmark_repetitions=5 for the min and median of several runs.
// PAINTBENCH_KEEP=FILE.pch saves the patch of 127 modules an area there.

#include "bench/support/EditorBench.h"
#include "bench/support/ThreadTime.h"
#include "bench/support/FreshProcess.h"
#include "bench/support/VirtualScreen.h"
#include "editor/patches/PatchManager.h"
#include "editor/windows/PatchView.h"
#include "framework/files/FileSpec.h"
#include "framework/windows/ABCWindow.h"
#include "modules/ModuleCatalogueContent.h"
#include "patch/PatchError.h"
#include "patch/area/PatchBackground.h"
#include "patch/files/PatchFile.h"
#include "patch/document/Patch.h"
#include "patch/edit/EditPair.h"
#include "platform/host/DesktopHost.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowPaint.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/ParamMolecules.h"
#include "synth/protocol/ProtocolErrors.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sys/resource.h>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using benchtime::Average;
using benchtime::Min;
using benchtime::ThreadMilliseconds;

constexpr double kPaintGoalMs = 8.0;
constexpr double kStepGoalMs = 1.0;
constexpr double kApplyGoalMs = 5.0;
// A rest a person takes between two looks, long enough for anything kept
// only while painting to go.
constexpr int64_t kRestMs = 250;

// The page faults the process met so far.
long PageFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

// The in-memory desktop, counting the pixels handed to it.
class CCountingHost : public platform::HeadlessHost {
public:
    CCountingHost() : HeadlessHost(1280, 1024) { }
    void PresentSurface(platform::SurfaceId id, const platform::PixelBuffer& pixels) override
    {
        presented += static_cast<size_t>(pixels.Width()) * static_cast<size_t>(pixels.Height());
        HeadlessHost::PresentSurface(id, pixels);
    }
    void PresentSurfaceRects(platform::SurfaceId id, const platform::PixelBuffer& pixels,
                             const std::vector<platform::Rect>& rects) override
    {
        for (const platform::Rect& r : rects) {
            presented += static_cast<size_t>(r.Width()) * static_cast<size_t>(r.Height());
        }
        HeadlessHost::PresentSurfaceRects(id, pixels, rects);
    }
    size_t presented = 0;
};

// What the process itself changed (Private_Dirty), in MB.
double PrivateMegabytes()
{
    std::ifstream rollup("/proc/self/smaps_rollup");
    for (std::string line; std::getline(rollup, line);) {
        if (line.rfind("Private_Dirty:", 0) == 0) {
            return std::atof(line.c_str() + 14) / 1024.0;
        }
    }
    return 0;
}

// Joins each module's inputs to the nearest module before it with an
// output that fits, as patches mostly run, while the area takes more cables.
void FillCables(CPatchBackground& area, uint8_t perArea)
{
    for (uint8_t jack = 0; jack < 4; ++jack) {
        for (uint8_t to = 2; to <= perArea; ++to) {
            for (uint8_t from = static_cast<uint8_t>(to - 1); from >= 1; --from) {
                if (area.GetStore().GetCableCount() == CCableTree::kMaxCables) {
                    return;
                }
                try {
                    area.ConnectCable(CableEntry{JackAddress{from, 0, 1}, JackAddress{to, jack, 0}, 0});
                    break;
                } catch (const XPatchError&) {
                    // A loop, a joined jack or one the module lacks: the next.
                }
            }
        }
    }
}

void InvalidateTree(platform::WindowHandle window)
{
    platform::InvalidateRect(window, nullptr, true);
    for (int i = 0; i < platform::CountChildren(window); ++i) {
        InvalidateTree(platform::GetChild(window, i));
    }
}

double WallMilliseconds()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The editor with one maximised patch window, on the in-memory desktop or
// the one given.
class CPatchWindowScene {
public:
    explicit CPatchWindowScene(uint8_t perArea, std::unique_ptr<platform::IHost> desktop = nullptr)
        : host_(desktop ? nullptr : new CCountingHost),
          editor_(desktop ? std::move(desktop) : std::unique_ptr<platform::IHost>(host_),
                  platform::ShowCommand::Maximize)
    {
        GetPatchManager()->NewLocalPatch();
        editor_.Pump();
        patch_ = GetPatchManager()->GetActivePatch();
        CMoleculePacket packet;
        AppendMixedAreas(packet, perArea);
        patch_->ApplyMoleculeList(packet);
        for (const int area : {0, 1}) {
            FillCables(*patch_->GetArea(area), perArea);
        }
        auto* view = dynamic_cast<CPatchView*>(patch_->GetWindow());
        if (view == nullptr) {
            throw std::runtime_error("no patch window");
        }
        window_ = view->GetHandle();
        platform::ShowWindow(window_, platform::ShowCommand::Maximize);
        NSHarrowen::UpdateAllWindows();
        editor_.Pump();
    }
    ~CPatchWindowScene() { patch_->CloseWindow(); }
    CPatchWindowScene(const CPatchWindowScene&) = delete;
    CPatchWindowScene& operator=(const CPatchWindowScene&) = delete;

    // Invalidates, paints and presents as the run loop does; milliseconds.
    double Repaint()
    {
        const double start = ThreadMilliseconds();
        InvalidateTree(window_);
        editor_.Pump();
        return ThreadMilliseconds() - start;
    }

    // A step of a knob of full range (the first module's with one) that
    // moves its pointer, as the knob sends it.
    double KnobStep()
    {
        CModuleInterface* module = KnobModule();
        const uint8_t value = module->GetParamValue(0);
        const uint8_t next = value < 64 ? static_cast<uint8_t>(value + 8) : static_cast<uint8_t>(value - 8);
        const double start = ThreadMilliseconds();
        auto pair = std::make_unique<CEditPair>();
        pair->Add(std::make_unique<CMParamChange>(1, module->GetModuleIndex(), 0, next),
                  std::make_unique<CMParamChange>(1, module->GetModuleIndex(), 0, value));
        patch_->ExecuteEdit(std::move(pair));
        NSHarrowen::UpdateAllWindows();
        editor_.Pump();
        const double ms = ThreadMilliseconds() - start;
        if (module->GetParamValue(0) != next) {
            throw std::runtime_error("the knob did not step");
        }
        return ms;
    }

    CModuleInterface* KnobModule() const
    {
        for (CModuleInterface* module : patch_->GetArea(1)->GetModules()) {
            const CBuildModule& builder = GetSharedModuleCatalogue().GetBuilder(module->GetTypeId());
            if (module->GetParamCount() != 0 && module->IsMorphable(0) && builder.GetParamMax(0) == 127) {
                return module;
            }
        }
        throw std::runtime_error("no knob of full range");
    }

    size_t CableCount() const
    {
        return patch_->GetArea(0)->GetStore().GetCableCount() + patch_->GetArea(1)->GetStore().GetCableCount();
    }
    CPatch& Patch() const { return *patch_; }
    platform::Rect Client() const { return platform::GetClientArea(window_); }
    CBenchEditor& Editor() { return editor_; }
    // The in-memory desktop; none on the real one.
    CCountingHost& Screen() const { return *host_; }

    // Full repaints, wall and processor milliseconds.
    struct Timing {
        double wallMs;
        double cpuMs;
    };
    Timing TimedRepaint()
    {
        const double wall = WallMilliseconds();
        const double cpu = Repaint();
        return {WallMilliseconds() - wall, cpu};
    }

private:
    CCountingHost* host_;
    CBenchEditor editor_;
    platform::WindowHandle window_ = 0;
    CPatch* patch_ = nullptr;
};

void PaintPatchWindow(benchmark::State& state)
{
    CPatchWindowScene scene(static_cast<uint8_t>(state.range(0)));
    double total = 0;
    const size_t before = scene.Screen().presented;
    for (auto _ : state) {
        const double ms = scene.Repaint();
        total += ms;
        state.SetIterationTime(ms / 1000.0);
    }
    state.counters["paint_ms"] = Average(total);
    state.counters["presented_kpx"] = Average(static_cast<double>(scene.Screen().presented - before) / 1000.0);
    state.counters["x_goal"] = Average(total / kPaintGoalMs);
    state.counters["cables"] = static_cast<double>(scene.CableCount());
    // With the in-memory desktop's own copy of the screen (5 MB at 127).
    state.counters["private_mb"] = PrivateMegabytes();
    if (const char* keep = std::getenv("PAINTBENCH_KEEP"); keep != nullptr && state.range(0) == 127) {
        CMoleculePacket dumps;
        scene.Patch().BuildPatchDump(dumps);
        WritePatchFile(NSHarrowen::CFileSpec(keep), dumps, "");
    }
}
BENCHMARK(PaintPatchWindow)
    ->Arg(8)
    ->Arg(32)
    ->Arg(127)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Min);

// The time between paints passes for real, in the run loop's idle steps (one
// each 50 ms) as in the program; the in-memory desktop's clock follows.
void Rest(CPatchWindowScene& scene, int64_t ms, bool inMemory)
{
    constexpr int64_t kIdleStepMs = 50;
    for (int64_t rested = 0; rested < ms; rested += kIdleStepMs) {
        const int64_t step = std::min(kIdleStepMs, ms - rested);
        std::this_thread::sleep_for(std::chrono::milliseconds(step));
        if (inMemory) {
            scene.Screen().Advance(static_cast<uint64_t>(step));
        }
        scene.Editor().App().IdleCheck();
        scene.Editor().Pump();
    }
}

void PaintAfterRest(benchmark::State& state)
{
    CPatchWindowScene scene(127);
    double total = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Rest(scene, kRestMs, true);
        state.ResumeTiming();
        const double ms = scene.Repaint();
        total += ms;
        state.SetIterationTime(ms / 1000.0);
    }
    state.counters["paint_ms"] = Average(total);
    state.counters["x_goal"] = Average(total / kPaintGoalMs);
}
BENCHMARK(PaintAfterRest)
    ->Iterations(20)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Min);

void PaintOnDesktop(benchmark::State& state)
{
    const CVirtualScreen screen;
    std::unique_ptr<platform::IHost> desktop = CVirtualScreen::HasDisplay() ? platform::CreateDesktopHost() : nullptr;
    if (desktop == nullptr) {
        state.SkipWithError("no X display (and no Xvfb to start one)");
        return;
    }
    CPatchWindowScene scene(127, std::move(desktop));
    double wall = 0;
    double cpu = 0;
    double faults = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Rest(scene, state.range(0), false);
        state.ResumeTiming();
        const long faultsBefore = PageFaults();
        const CPatchWindowScene::Timing t = scene.TimedRepaint();
        faults += static_cast<double>(PageFaults() - faultsBefore);
        wall += t.wallMs;
        cpu += t.cpuMs;
        state.SetIterationTime(t.wallMs / 1000.0);
    }
    state.counters["paint_ms"] = Average(wall);
    state.counters["cpu_ms"] = Average(cpu);
    state.counters["page_faults"] = Average(faults);
    state.counters["x_goal"] = Average(wall / kPaintGoalMs);
    // The patch window's size: the screen's, less the frame's bars.
    state.counters["width"] = scene.Client().Width();
    state.counters["height"] = scene.Client().Height();
}
BENCHMARK(PaintOnDesktop)
    ->ArgName("rest_ms")
    ->Arg(0)
    ->Arg(kRestMs)
    ->Iterations(20)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Min);

void PaintAfterKnobStep(benchmark::State& state)
{
    CPatchWindowScene scene(127);
    double total = 0;
    const size_t before = scene.Screen().presented;
    for (auto _ : state) {
        const double ms = scene.KnobStep();
        total += ms;
        state.SetIterationTime(ms / 1000.0);
    }
    state.counters["step_ms"] = Average(total);
    state.counters["x_goal"] = Average(total / kStepGoalMs);
    state.counters["presented_kpx"] = Average(static_cast<double>(scene.Screen().presented - before) / 1000.0);
}
BENCHMARK(PaintAfterKnobStep)->UseManualTime()->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Min);

void ApplyPatchToWindow(benchmark::State& state)
{
    CPatchWindowScene scene(127);
    CMoleculePacket dumps;
    scene.Patch().BuildPatchDump(dumps);
    double total = 0;
    for (auto _ : state) {
        state.PauseTiming();
        GetPatchManager()->NewLocalPatch();
        scene.Editor().Pump();
        CPatch* target = GetPatchManager()->GetActivePatch();
        state.ResumeTiming();
        const double start = ThreadMilliseconds();
        try {
            target->ApplyMoleculeList(dumps);
        } catch (const XTorvanBase&) {
            // What the document refuses is the same every run.
        }
        const double ms = ThreadMilliseconds() - start;
        total += ms;
        state.SetIterationTime(ms / 1000.0);
        state.PauseTiming();
        target->CloseWindow();
        NSHarrowen::DeleteMarkedWindows();
        scene.Editor().Pump();
        state.ResumeTiming();
    }
    state.counters["apply_ms"] = Average(total);
    state.counters["x_goal"] = Average(total / kApplyGoalMs);
}
BENCHMARK(ApplyPatchToWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->ComputeStatistics("min", Min);

void FirstApplyInFreshProcess(benchmark::State& state)
{
    double total = 0;
    double faults = 0;
    for (auto _ : state) {
        const std::vector<double> run = RunFreshProcess(kFirstApplyVariable, "127");
        if (run.size() != 2) {
            state.SkipWithError("the fresh process failed");
            return;
        }
        total += run[0];
        faults += run[1];
        state.SetIterationTime(run[0] / 1000.0);
    }
    state.counters["apply_ms"] = Average(total);
    state.counters["page_faults"] = Average(faults);
    state.counters["x_goal"] = Average(total / kApplyGoalMs);
}
BENCHMARK(FirstApplyInFreshProcess)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->ComputeStatistics("min", Min);

} // namespace

int RunFirstApply(const char* modulesPerArea)
{
    CMoleculePacket dumps;
    AppendMixedAreas(dumps, static_cast<uint8_t>(std::atoi(modulesPerArea)));
    CBenchEditor editor(std::make_unique<platform::HeadlessHost>(1280, 1024), platform::ShowCommand::Maximize);
    // The run loop's idle step comes between the first frame and any
    // command a person gives.
    editor.App().Idle();
    GetPatchManager()->NewLocalPatch();
    editor.Pump();
    CPatch* target = GetPatchManager()->GetActivePatch();
    const long faultsBefore = PageFaults();
    const double start = ThreadMilliseconds();
    try {
        target->ApplyMoleculeList(dumps);
    } catch (const XTorvanBase&) {
        // What the document refuses is the same in every process.
    }
    const double ms = ThreadMilliseconds() - start;
    const long faults = PageFaults() - faultsBefore;
    target->CloseWindow();
    std::printf("%.3f %ld\n", ms, faults);
    return 0;
}
