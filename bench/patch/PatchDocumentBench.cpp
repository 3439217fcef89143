// Applying a whole patch to a document (two areas of 127 modules of the
// widest type with 255 cables each, full maps) as a file or a synthesizer
// slot hands it over, and one knob edit with its undo step recorded.
// PATCHBENCH_KEEP_FULL=FILE saves that patch there through the editor's own
// save (the patch the desktop memory measurement opens).
#include "modules/ModuleCatalogueContent.h"
#include "patch/PatchError.h"
#include "patch/area/PatchBackground.h"
#include "patch/document/Patch.h"
#include "patch/edit/EditPair.h"
#include "framework/files/FileSpec.h"
#include "synth/molecules/ParamMolecules.h"
#include "synth/protocol/ProtocolErrors.h"
#include "tests/patch/PatchFileFixtures.h"
#include "tests/support/patch/ModuleDouble.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <stdexcept>

namespace {

// The largest patch as a document of it gives it back: every entry one the
// document takes (names cut to what a module holds, maps as validated).
struct CFullPatch {
    CFullPatch()
    {
        InstallSharedModuleTypeInfo();
        CMoleculePacket shape;
        patchfixtures::BuildPatch(patchfixtures::LargestShape(), shape);
        CPatch source;
        try {
            source.ApplyMoleculeList(shape);
        } catch (const XTorvanBase& error) {
            firstError = error.GetText();
            // The shape's over-long names and extra morphs are left out.
        }
        // The shape's cables are made for files, not for these jacks: fill
        // each area up to 255 cables the area takes.
        for (const int area : {0, 1}) {
            FillCables(*source.GetArea(area));
        }
        source.ClearChangeFlags();
        source.BuildPatchDump(dumps);
        if (const char* keep = std::getenv("PATCHBENCH_KEEP_FULL"))
            source.SaveToFile(NSHarrowen::CFileSpec(keep));
        for (const int area : {0, 1}) {
            if (source.GetArea(area)->GetModules().GetCount() != 127 ||
                source.GetArea(area)->GetStore().GetCableCount() != 255) {
                throw std::logic_error("the largest patch did not apply whole: area " + std::to_string(area) + " " +
                                       std::to_string(source.GetArea(area)->GetModules().GetCount()) + " modules, " +
                                       std::to_string(source.GetArea(area)->GetStore().GetCableCount()) +
                                       " cables; first error: " + firstError);
            }
        }
    }
    testsupport::CModuleServicesDouble services;
    CMoleculePacket dumps;
    std::string firstError;

private:
    static void FillCables(CPatchBackground& area)
    {
        const CModuleInterface& first = *area.GetModules().At(0);
        const uint8_t inputs = first.GetJackCount(false);
        for (uint8_t jack = 0; jack < inputs; ++jack) {
            for (uint8_t to = 1; to <= 127; ++to) {
                for (uint8_t from = 1; from <= 127; ++from) {
                    if (area.GetStore().GetCableCount() == CCableTree::kMaxCables) {
                        return;
                    }
                    try {
                        area.ConnectCable(CableEntry{JackAddress{from, 0, 1}, JackAddress{to, jack, 0}, 0});
                        break;
                    } catch (const XPatchError&) {
                        // Joined already, or a jack the module lacks: the next one.
                    }
                }
            }
        }
    }
};

CFullPatch& Full()
{
    static CFullPatch patch;
    return patch;
}

void BM_ApplyFullPatch(benchmark::State& state)
{
    const CMoleculePacket& dumps = Full().dumps;
    for (auto _ : state) {
        CPatch document;
        document.ApplyMoleculeList(dumps);
        benchmark::DoNotOptimize(document.GetArea(1)->GetStore().GetCableCount());
    }
    state.counters["molecules"] = static_cast<double>(dumps.GetCount());
}
BENCHMARK(BM_ApplyFullPatch)->Unit(benchmark::kMillisecond);

void BM_KnobEditWithUndo(benchmark::State& state)
{
    CPatch document;
    document.ApplyMoleculeList(Full().dumps);
    document.ClearChangeFlags();
    uint8_t value = 0;
    for (auto _ : state) {
        const uint8_t next = value == 0 ? 1 : 0;
        auto pair = std::make_unique<CEditPair>();
        pair->Add(std::make_unique<CMParamChange>(1, 64, 0, next), std::make_unique<CMParamChange>(1, 64, 0, value));
        document.ExecuteEdit(std::move(pair));
        value = next;
    }
}
BENCHMARK(BM_KnobEditWithUndo)->Unit(benchmark::kMicrosecond);

} // namespace
