// Both voice areas of a patch window filled with module panels of mixed
// types (127 in each), as a module dump from the synthesizer brings them:
// the time to create them, and the time of the window update passes after
// the areas were invalidated (painting itself: PatchWindowPaintBench).

#include "editor/app/EditorApp.h"
#include "editor/patches/PatchManager.h"
#include "framework/windows/ABCWindow.h"
#include "modules/ModuleCatalogueContent.h"
#include "patch/area/PatchBackground.h"
#include "patch/document/Patch.h"
#include "platform/host/HostScope.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/windows/Window.h"
#include "resources/PatchoraResources.h"
#include "resources/PictureResources.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/MoleculePacket.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr uint8_t kModulesPerArea = 127;
constexpr uint8_t kRowsPerColumn = 40;

double MillisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// A dump of one area: the catalogue's types in turn, stacked in columns.
void AddFullAreas(CMoleculePacket& packet)
{
    const CModuleCatalogue& catalogue = GetSharedModuleCatalogue();
    std::vector<uint8_t> types;
    for (unsigned id = 0; id < CModuleCatalogue::kTypeSlots; ++id) {
        if (catalogue.FindBuilder(static_cast<uint8_t>(id)) != nullptr) {
            types.push_back(static_cast<uint8_t>(id));
        }
    }
    for (uint8_t area = 0; area < 2; ++area) {
        auto dump = std::make_unique<CMModuleDump>(area);
        uint8_t column = 0;
        uint8_t row = 0;
        for (uint8_t index = 1; index <= kModulesPerArea; ++index) {
            const uint8_t type = types[(index + area * kModulesPerArea) % types.size()];
            const uint8_t height = catalogue.GetBuilder(type).GetHeight();
            if (row + height > kRowsPerColumn) {
                ++column;
                row = 0;
            }
            dump->AddModule(index, type, column, row);
            row = static_cast<uint8_t>(row + height);
        }
        packet.Append(std::move(dump));
    }
}

void CreateAndRepaintFullAreas(benchmark::State& state)
{
    char folder[] = "/tmp/patchora-bench-XXXXXX";
    if (const char* made = mkdtemp(folder)) {
        setenv("XDG_CONFIG_HOME", made, 1);
    }
    PatchoraResources();
    PictureResources();
    const platform::CHostScope scope(std::make_unique<platform::HeadlessHost>(1280, 1024));
    CEditorApp app;
    const platform::WindowHandle frame = app.CreateFrameWindow();
    platform::ShowWindow(frame, platform::ShowCommand::Show);
    app.Init();
    app.PumpWaiting(100000);
    double createMs = 0;
    double updateMs = 0;
    size_t modules = 0;
    for (auto _ : state) {
        state.PauseTiming();
        GetPatchManager()->NewLocalPatch();
        app.PumpWaiting(100000);
        CPatch* patch = GetPatchManager()->GetActivePatch();
        CMoleculePacket packet;
        AddFullAreas(packet);
        NSHarrowen::UpdateAllWindows();
        state.ResumeTiming();

        const auto created = std::chrono::steady_clock::now();
        patch->ApplyMoleculeList(packet);
        createMs = MillisecondsSince(created);
        modules = patch->GetArea(0)->GetStore().GetModules().GetCount() +
            patch->GetArea(1)->GetStore().GetModules().GetCount();

        NSHarrowen::UpdateAllWindows(); // the layout's own first paint
        for (int32_t area = 0; area < 2; ++area) {
            patch->GetArea(area)->InvalidateFrame();
        }
        const auto repainted = std::chrono::steady_clock::now();
        NSHarrowen::UpdateAllWindows();
        updateMs = MillisecondsSince(repainted);

        state.PauseTiming();
        patch->CloseWindow();
        NSHarrowen::DeleteMarkedWindows(); // else each run walks the closed ones
        app.PumpWaiting(100000);
        state.ResumeTiming();
    }
    state.counters["create_ms"] = createMs;
    state.counters["update_ms"] = updateMs;
    state.counters["modules"] = static_cast<double>(modules);
    app.Exit();
    app.DestroyFrameWindow();
}
BENCHMARK(CreateAndRepaintFullAreas)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
