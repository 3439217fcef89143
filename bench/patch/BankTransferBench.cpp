// A full flash bank of 99 patches uploaded into patch files and downloaded
// back, against the simulated synthesizer sending at the MIDI wire rate
// (31,250 baud, 320 µs a byte). The time is the simulated time the job takes
// from its start to its end, with the editor's own processing time added as
// it happens; "xWire" is that time over the wire time of every byte
// exchanged in both directions (goal: at most 1.05).
#include "framework/files/FileSpec.h"
#include "framework/midi/MMEMIDIInput.h"
#include "framework/midi/PortRegistry.h"
#include "bench/support/QuietLinkServices.h"
#include "modules/ModuleCatalogueContent.h"
#include "panels/BuildModule.h"
#include "patch/files/TransferDocuments.h"
#include "platform/system/ScopedClock.h"
#include "platform/system/VirtualClock.h"
#include "simulator/SimCatalogueTypes.h"
#include "simulator/SimPatchFile.h"
#include "simulator/SimVirtualPort.h"
#include "simulator/Simulator.h"
#include "synth/link/PortManager.h"
#include "synth/link/Synth.h"
#include "synth/link/SynthPort.h"
#include "synth/molecules/MoleculeRegistry.h"
#include "tests/support/patch/ModuleDouble.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <thread>

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

// The editor's link on a simulated synthesizer in virtual time: the clock
// moves to the synthesizer's next output while an answer is awaited, else to
// the next millisecond, and also by the real time the editor's idle steps
// take.
class CBankBench {
public:
    CBankBench() : device_(Unique(kDeviceName)), sim_(Config(), sim::CatalogueTypes()), port_(sim_, device_)
    {
        InstallSharedModuleTypeInfo();
        RegisterReceivedMolecules(registry_);
        SetMoleculeRegistry(&registry_);
        port_.RecordReceived(true);
        manager_ =
            std::make_unique<CPortManager>(CPortManagerServices{application_, preferences_, slots_, &documents_});
        uint16_t input = 0;
        uint16_t output = 0;
        if (!manager_->GetInputRegistry().FindByName(device_, input) ||
            !manager_->GetOutputRegistry().FindByName(device_, output))
            throw std::runtime_error("no bench device");
        manager_->OpenPort(0, input, output);
        if (!RunUntil([&] {
                const CSynth* synth = manager_->GetSynth(0);
                return synth != nullptr && synth->HasSettings() &&
                    !manager_->GetSynth(0)->GetFlashMemory().IsScanning() && !Port().IsAwaitingAnswer();
            }))
            throw std::runtime_error("not connected");
    }
    ~CBankBench()
    {
        manager_.reset();
        SetMoleculeRegistry(nullptr);
    }

    sim::CSimulator& Sim() { return sim_; }
    CSynthPort& Port() { return *manager_->GetPort(0); }
    CBankTransfer& Transfer() { return manager_->GetSynth(0)->GetBankTransfer(); }

    // Runs `start`'s job to its end; the simulated seconds it took and the
    // bytes exchanged.
    void Measure(const std::function<bool()>& start, double& seconds, size_t& bytes)
    {
        port_.TakeReceived();
        bytesIn_ = 0;
        const uint64_t begin = sim_.NowUs();
        if (!start() || !RunUntil([&] { return !Transfer().IsRunning(); }))
            throw std::runtime_error("the job did not run to its end");
        if (Transfer().GetResult() != CBankTransfer::kResultFinished)
            throw std::runtime_error("the job failed");
        size_t out = 0;
        for (const auto& message : port_.TakeReceived())
            out += message.size();
        bytes = out + bytesIn_;
        // The synthesizer takes what the editor sends at once; on a cable
        // each request's bytes come before its answer.
        seconds = (static_cast<double>(sim_.NowUs() - begin) / 1e6) + static_cast<double>(out) * kWireSecondsPerByte;
    }

private:
    static sim::SimConfig Config()
    {
        sim::SimConfig config;
        config.paceAtWireRate = true;
        return config;
    }

    bool RunUntil(const std::function<bool()>& done)
    {
        for (int steps = 0; steps < 1000000; ++steps) {
            if (done())
                return true;
            const auto before = std::chrono::steady_clock::now();
            manager_->Idle();
            // The editor's own time passes too.
            uint64_t us = static_cast<uint64_t>(
                std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - before)
                    .count());
            busyUs += us;
            if (Port().IsAwaitingAnswer()) {
                if (const auto due = sim_.NextDueUs(); due && *due > sim_.NowUs() + us)
                    us = *due - sim_.NowUs();
            } else {
                // The port sends its next request once a millisecond of its
                // clock has passed since the last answer.
                us = std::max<uint64_t>(us, 1000 - sim_.NowUs() % 1000);
            }
            Advance(us);
        }
        return false;
    }

    // The editor's clock counts whole milliseconds of the synthesizer's.
    void Advance(uint64_t us)
    {
        const size_t delivered = port_.AdvanceUs(us);
        clock_.Advance(sim_.NowUs() / 1000 + kClockStart - clock_.Now());
        bytesIn_ += delivered;
        if (delivered == 0)
            return;
        platform::VirtualMidiDevice& device = port_.Device();
        while (device.IsInputOpen() && device.InputBuffersQueued() < NSHarrowen::CMMEMIDIInput::kBufferCount)
            std::this_thread::yield();
    }

    static constexpr uint64_t kClockStart = 10000;

public:
    // Real time the editor's idle steps took.
    uint64_t busyUs = 0;

private:
    platform::CVirtualClock clock_{kClockStart};
    platform::CScopedClock scope_{clock_};
    testsupport::CModuleServicesDouble services_;
    CTransferDocuments documents_;
    CQuietApplication application_;
    CNoPreferences preferences_;
    CNoDocuments slots_;
    CMoleculeRegistry registry_;
    std::string device_;
    sim::CSimulator sim_;
    sim::CSimVirtualPort port_;
    std::unique_ptr<CPortManager> manager_;
    size_t bytesIn_ = 0;
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
        const NSHarrowen::CFileSpec list((folder / "Bank.pchList").string());
        double seconds = 0;
        size_t bytes = 0;
        bench.busyUs = 0;
        bench.Measure([&] { return bench.Transfer().StartUpload(list, 0, nullptr); }, seconds, bytes);
        Report(state, seconds, bytes);
        state.counters["editor_s"] = static_cast<double>(bench.busyUs) / 1e6;
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
        const NSHarrowen::CFileSpec file((folder / "Bank.pchList").string());
        double seconds = 0;
        size_t bytes = 0;
        bench.busyUs = 0;
        bench.Measure([&] { return bench.Transfer().DownloadFromListFile(file, 0, nullptr); }, seconds, bytes);
        Report(state, seconds, bytes);
        state.counters["editor_s"] = static_cast<double>(bench.busyUs) / 1e6;
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BankDownload99)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
