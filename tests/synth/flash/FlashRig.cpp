#include "tests/synth/flash/FlashRig.h"

#include "modules/ModuleCatalogueContent.h"
#include "panels/ModuleCatalogue.h"
#include "simulator/SimPatchFile.h"

void sim::PrintTo(const SimPatch& patch, std::ostream* out)
{
    *out << "\"" << patch.name << "\"\n" << WritePatchText(patch);
}

namespace flashrig {

namespace {

constexpr uint8_t kOscA = 7;
constexpr uint8_t kMixer = 19;
constexpr uint8_t kAdsr = 20;

} // namespace

sim::SimModule Module(uint8_t type, int column, int row, std::string name)
{
    const CBuildModule& builder = GetSharedModuleCatalogue().GetBuilder(type);
    sim::SimModule module{type, column, row, std::move(name), {}, {}};
    for (const uint8_t value : builder.GetDefaults())
        module.params.push_back(value);
    module.custom.assign(builder.GetLoadRecord().CustomValueCount(), 1);
    return module;
}

sim::SimPatch MakePatch(const std::string& name, int seed)
{
    sim::SimPatch patch;
    patch.name = name;
    patch.header.voices = 1 + seed % 4;
    sim::SimArea& poly = patch.areas[1];
    poly.modules[1] = Module(kOscA, 0, seed % 8, "Osc" + std::to_string(seed));
    poly.modules[2] = Module(kMixer, 1, 2, "Mix");
    poly.modules[4] = Module(kAdsr, 0, 12 + seed % 5, "Env");
    poly.modules[1].params[0] = (10 + seed) % 128;
    poly.cables.push_back({0, {1, 0, true}, {2, 0, false}});
    if (seed % 2 == 0)
        poly.cables.push_back({0, {2, 0, false}, {2, 1, false}});
    patch.areas[0].modules[1] = Module(kMixer, 0, 0, "Common");
    patch.knobs[seed % 18] = {true, {1, 1, 0}};
    return patch;
}

CFlashRig::CFlashRig(std::vector<sim::SimConfig> synths) : rig(std::move(synths), nullptr, &documents)
{
    rig.patches.loadFromSynth = false;
}

bool CFlashRig::Connect(uint8_t port, size_t synth)
{
    rig.OpenPort(port, synth);
    return rig.Settle(port);
}

bool CFlashRig::RunJob(uint8_t port, int limit)
{
    return rig.StepUntil(
        [&] {
            const CSynth* synth = rig.Manager().GetSynth(port);
            return synth == nullptr || !rig.SynthObject(port).GetBankTransfer().IsRunning();
        },
        limit);
}

std::vector<std::string> CFlashRig::Report() const
{
    std::vector<std::string> lines;
    for (int32_t k = report.GetUsedLines() - 1; k >= 0; --k)
        lines.emplace_back(report.GetLineFromEnd(k));
    return lines;
}

void CFlashRig::Store(size_t synth, int bank, int location, const sim::SimPatch& patch)
{
    rig.SimPort(synth).With([&](sim::CSimulator& s) {
        s.Flash().Store(bank, location, patch);
        return 0;
    });
}

std::vector<std::pair<int, sim::SimPatch>> CFlashRig::Stored(size_t synth, int bank)
{
    return rig.SimPort(synth).With([&](sim::CSimulator& s) {
        std::vector<std::pair<int, sim::SimPatch>> stored;
        for (int location = 0; location < sim::kLocations; ++location) {
            if (const sim::SimPatch* patch = s.Flash().At(bank, location))
                stored.emplace_back((bank + 1) * 100 + location + 1, *patch);
        }
        return stored;
    });
}

} // namespace flashrig
