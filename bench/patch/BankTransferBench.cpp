// The link's exchanges with the simulated synthesizer sending at the MIDI
// wire rate (31,250 baud, 320 µs a byte), run by the program's own loop (its
// 50 ms idle timer and the wake-ups of arriving messages). The time is the
// simulated time from the start to the end, with the editor's own processing
// time added as it happens; "xWire" is that time over the wire time of every
// byte exchanged in both directions.
//   BankUpload99, BankDownload99: a full flash bank of 99 patches into patch
//   files and back (goal: at most 1.05).
//   WholePatchDump: a patch of 60 modules sent to a slot (goal: at most 1.05).
//   SlotLoadOnConnect: the synthesizer's state, its flash map and the
//   patches of its four slots read on connect (goal: at most 1.2).
#include "bench/support/SimLinkBench.h"
#include "bench/support/WholePatch.h"
#include "framework/files/FileSpec.h"
#include "modules/ModuleCatalogueContent.h"
#include "panels/BuildModule.h"
#include "patch/document/Patch.h"
#include "patch/files/TransferDocuments.h"
#include "simulator/SimPatchFile.h"
#include "tests/support/patch/ModuleDouble.h"
#include "tests/support/patch/SlotDocumentList.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>

namespace {

constexpr const char* kDeviceName = "Bank Bench Synth";

sim::SimModule Module(uint8_t type, int column, int row)
{
    const CBuildModule& builder = GetSharedModuleCatalogue().GetBuilder(type);
    sim::SimModule module{type, column, row, "M" + std::to_string(row), {}, {}};
    for (const uint8_t value : builder.GetDefaults())
        module.params.push_back(value);
    module.custom.assign(builder.GetLoadRecord().CustomValueCount(), 1);
    return module;
}

// A patch of a usual size: a dozen modules with cables between them.
sim::SimPatch BankPatch(int seed)
{
    constexpr uint8_t kTypes[] = {7, 19, 20, 7, 19, 20, 7, 19, 20, 19, 20, 7};
    sim::SimPatch patch;
    patch.name = "Bank " + std::to_string(seed);
    sim::SimArea& poly = patch.areas[1];
    for (int i = 0; i < 12; ++i)
        poly.modules[i + 1] = Module(kTypes[i], i % 3, i * 4);
    for (int i = 1; i < 12; ++i)
        poly.cables.push_back({i % 6, {i, 0, true}, {i + 1, 0, false}});
    poly.modules[1].params[0] = seed % 128;
    return patch;
}

std::string Unique(const std::string& text)
{
    static int count = 0;
    return text + " " + std::to_string(++count);
}

// The link with real documents in its slots and for its bank jobs.
class CBankBench {
public:
    CBankBench() : link_(Unique(kDeviceName), slots_, &documents_)
    {
        InstallSharedModuleTypeInfo();
        slots_.manager = &link_.Manager();
    }

    CSimLinkBench& Link() { return link_; }
    sim::CSimulator& Sim() { return link_.Sim(); }
    CBankTransfer& Transfer() { return link_.Synth().GetBankTransfer(); }

    void Connect()
    {
        link_.Open();
        if (!link_.RunUntil([&] { return link_.IsQuietFor(kQuietMs); }) || link_.Manager().GetSynth(0) == nullptr)
            throw std::runtime_error("not connected");
    }

    // Runs `start`'s job to its end.
    void MeasureJob(const std::function<bool()>& start, double& seconds, size_t& bytes)
    {
        bool started = false;
        link_.Measure([&] { started = start(); }, [&] { return !started || !Transfer().IsRunning(); }, false, seconds,
                      bytes);
        if (!started || Transfer().GetResult() != CBankTransfer::kResultFinished)
            throw std::runtime_error("the job failed");
    }

    // A spell this long without traffic ends an exchange that has no end
    // of its own (the link's pings come after 2,000 ms of silence).
    static constexpr uint64_t kQuietMs = 500;

private:
    testsupport::CModuleServicesDouble services_;
    CTransferDocuments documents_;
    testsupport::CSlotDocumentList slots_;
    CSimLinkBench link_;
};

void Report(benchmark::State& state, double seconds, size_t bytes)
{
    state.SetIterationTime(seconds);
    state.counters["xWire"] = seconds / (static_cast<double>(bytes) * kWireSecondsPerByte);
    state.counters["bytes"] = static_cast<double>(bytes);
}

void BankUpload99(benchmark::State& state)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / Unique("bank-bench-up");
    for (auto _ : state) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        CBankBench bench;
        for (int location = 0; location < 99; ++location)
            bench.Sim().Flash().Store(0, location, BankPatch(location));
        bench.Connect();
        const NSHarrowen::CFileSpec list((folder / "Bank.pchList").string());
        double seconds = 0;
        size_t bytes = 0;
        bench.Link().busyUs = 0;
        bench.MeasureJob([&] { return bench.Transfer().StartUpload(list, 0, nullptr); }, seconds, bytes);
        Report(state, seconds, bytes);
        state.counters["editor_s"] = static_cast<double>(bench.Link().busyUs) / 1e6;
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BankUpload99)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

void BankDownload99(benchmark::State& state)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / Unique("bank-bench-down");
    std::filesystem::create_directories(folder);
    std::string list = "1 \r\n";
    for (int location = 0; location < 99; ++location) {
        const sim::SimPatch patch = BankPatch(location);
        sim::WritePatchFile(folder / (patch.name + ".pch"), patch);
        list += patch.name + ".pch\r\n";
    }
    {
        std::ofstream out(folder / "Bank.pchList", std::ios::binary);
        out << list;
    }
    for (auto _ : state) {
        CBankBench bench;
        bench.Connect();
        const NSHarrowen::CFileSpec file((folder / "Bank.pchList").string());
        double seconds = 0;
        size_t bytes = 0;
        bench.Link().busyUs = 0;
        bench.MeasureJob([&] { return bench.Transfer().DownloadFromListFile(file, 0, nullptr); }, seconds, bytes);
        Report(state, seconds, bytes);
        state.counters["editor_s"] = static_cast<double>(bench.Link().busyUs) / 1e6;
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BankDownload99)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

void WholePatchDump(benchmark::State& state)
{
    for (auto _ : state) {
        CBankBench bench;
        bench.Connect();
        CMoleculePacket packet;
        AppendWholePatch(packet);
        packet.SetSlot(0);
        CSynth& synth = bench.Link().Synth();
        double seconds = 0;
        size_t bytes = 0;
        bench.Link().Measure([&] { synth.SendEditDump(packet); },
                             [&] { return bench.Link().IsQuietFor(CBankBench::kQuietMs); }, true, seconds, bytes);
        Report(state, seconds, bytes);
    }
}
BENCHMARK(WholePatchDump)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// Four slots of patches like the bank's and a bank of 99 in the flash.
void SlotLoadOnConnect(benchmark::State& state)
{
    for (auto _ : state) {
        CBankBench bench;
        for (int slot = 0; slot < 4; ++slot)
            bench.Sim().LoadSlot(slot, BankPatch(slot));
        for (int location = 0; location < 99; ++location)
            bench.Sim().Flash().Store(0, location, BankPatch(location));
        double seconds = 0;
        size_t bytes = 0;
        bench.Link().Measure([&] { bench.Link().Open(); },
                             [&] { return bench.Link().IsQuietFor(CBankBench::kQuietMs); }, true, seconds, bytes);
        Report(state, seconds, bytes);
    }
}
BENCHMARK(SlotLoadOnConnect)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
