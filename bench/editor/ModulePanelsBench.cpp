// Both voice areas of a patch window filled with module panels of mixed
// types (127 in each), as a module dump from the synthesizer brings them:
// the time to create them, and the time of the window update passes after
// the areas were invalidated (painting itself: PatchWindowPaintBench). Each
// figure is the average of every iteration, with the first apart (it pays
// for what the process does the first time).

#include "bench/support/EditorBench.h"
#include "editor/patches/PatchManager.h"
#include "framework/windows/ABCWindow.h"
#include "patch/area/PatchBackground.h"
#include "patch/document/Patch.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/windows/Window.h"
#include "synth/molecules/MoleculePacket.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr uint8_t kModulesPerArea = 127;

double MillisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void CreateAndRepaintFullAreas(benchmark::State& state)
{
    CBenchEditor editor(std::make_unique<platform::HeadlessHost>(1280, 1024), platform::ShowCommand::Show);
    double createMs = 0;
    double updateMs = 0;
    double firstCreateMs = -1;
    double firstUpdateMs = -1;
    size_t modules = 0;
    for (auto _ : state) {
        state.PauseTiming();
        GetPatchManager()->NewLocalPatch();
        editor.Pump();
        CPatch* patch = GetPatchManager()->GetActivePatch();
        CMoleculePacket packet;
        AppendMixedAreas(packet, kModulesPerArea);
        NSHarrowen::UpdateAllWindows();
        state.ResumeTiming();

        const auto created = std::chrono::steady_clock::now();
        patch->ApplyMoleculeList(packet);
        const double create = MillisecondsSince(created);
        modules = patch->GetArea(0)->GetStore().GetModules().GetCount() +
            patch->GetArea(1)->GetStore().GetModules().GetCount();

        NSHarrowen::UpdateAllWindows(); // the layout's own first paint
        for (int32_t area = 0; area < 2; ++area) {
            patch->GetArea(area)->InvalidateFrame();
        }
        const auto repainted = std::chrono::steady_clock::now();
        NSHarrowen::UpdateAllWindows();
        const double update = MillisecondsSince(repainted);
        createMs += create;
        updateMs += update;
        if (firstCreateMs < 0) {
            firstCreateMs = create;
            firstUpdateMs = update;
        }

        state.PauseTiming();
        patch->CloseWindow();
        NSHarrowen::DeleteMarkedWindows(); // else each run walks the closed ones
        editor.Pump();
        state.ResumeTiming();
    }
    state.counters["create_ms"] = benchmark::Counter(createMs, benchmark::Counter::kAvgIterations);
    state.counters["update_ms"] = benchmark::Counter(updateMs, benchmark::Counter::kAvgIterations);
    state.counters["first_create_ms"] = firstCreateMs;
    state.counters["first_update_ms"] = firstUpdateMs;
    state.counters["modules"] = static_cast<double>(modules);
}
BENCHMARK(CreateAndRepaintFullAreas)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
