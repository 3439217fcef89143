// The link's own share of the time on the cable, beside the MIDI wire time
// (31,250 baud, ten bits a byte: 320 µs a byte). "xWire" says how many times
// the wire time of what a step sends exceeds the time the editor spends on
// the step (printed with a "/s" suffix, as the library counts it like a
// rate); the goal, under 1 % of the wire time, is an xWire above 100.
//   KnobStep: a live parameter change, from the edit call until its frame is
//   with the MIDI output, with the output idle (the frame before it has had
//   its wire time, as between the steps of a knob turned by hand); counter
//   step_us, and xWire as a plain ratio.
//   WholePatchDump: a whole patch on the dump queue, each frame sent when the
//   answer to the one before has been taken from the input queue and read.
#include "bench/support/QuietLinkServices.h"
#include "bench/support/WholePatch.h"
#include "modules/ModuleCatalogueContent.h"
#include "platform/midi/virtual/VirtualMidi.h"
#include "synth/link/PortManager.h"
#include "synth/link/SlotPatchInterface.h"
#include "synth/link/Synth.h"
#include "synth/link/SynthPort.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/MoleculeRegistry.h"
#include "synth/protocol/ModuleTypeInfo.h"
#include "synth/protocol/SysexFrame.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

// Longer than the wire time of a knob step's frame (under 20 bytes, 6.4 ms).
constexpr std::chrono::milliseconds kIdleOutput{8};

// What reaches the synthesizer's side of the cable.
class CByteCounter : public platform::VirtualMidiHandler {
public:
    void OnLongMessage(const uint8_t*, size_t count) override { bytes += count; }
    std::atomic<size_t> bytes{0};
};

std::vector<uint8_t> Frame(uint8_t flags, uint8_t number, const std::vector<uint8_t>& payload)
{
    std::vector<uint8_t> frame(SysexFrameCapacity(static_cast<uint32_t>(payload.size()), true, true));
    frame.resize(BuildSysexFrame(payload.data(), static_cast<uint32_t>(payload.size()), frame, false, true,
                                 (flags & SysexFrame::kFlagFirst) != 0, (flags & SysexFrame::kFlagLast) != 0, 0, number,
                                 true));
    return frame;
}

// A port connected to a Kandrel on an in-process MIDI device, whose answers
// the benchmark hands to the port's input itself.
class CBenchLink {
public:
    CBenchLink() : device_({.name = "Link Bench Synth", .input = true, .output = true}, &counter)
    {
        InstallSharedModuleTypeInfo();
        RegisterReceivedMolecules(registry_);
        SetMoleculeRegistry(&registry_);
        manager_ = std::make_unique<CPortManager>(CPortManagerServices{application_, preferences_, documents_});
        uint16_t input = 0;
        uint16_t output = 0;
        if (!manager_->GetInputRegistry().FindByName("Link Bench Synth", input) ||
            !manager_->GetOutputRegistry().FindByName("Link Bench Synth", output))
            throw std::runtime_error("no bench device");
        manager_->OpenPort(0, input, output);
        CSynthPort& port = Port();
        port.Idle(); // pings
        Hand({0xF0, 0x7D, 0x00, 0x06, 0x01, 3, 3, 0, 0, 0, 0, 0xF7});
        port.ProcessInput();
        if (!port.HasSynth())
            throw std::runtime_error("not connected");
    }
    ~CBenchLink()
    {
        manager_.reset();
        SetMoleculeRegistry(nullptr);
    }

    CSynthPort& Port() { return *manager_->GetPort(0); }
    CSynth& Synth() { return *Port().GetSynth(); }
    // Bytes as the MIDI input worker hands them to the port.
    void Hand(const std::vector<uint8_t>& bytes) { Port().AddData(bytes.data(), static_cast<uint32_t>(bytes.size())); }

    CByteCounter counter;

private:
    platform::VirtualMidiDevice device_;
    CQuietApplication application_;
    CNoPreferences preferences_;
    CNoDocuments documents_;
    CMoleculeRegistry registry_;
    std::unique_ptr<CPortManager> manager_;
};

void ReportWireRatio(benchmark::State& state, double wireBytesPerIteration)
{
    state.counters["xWire"] =
        benchmark::Counter(wireBytesPerIteration * kWireSecondsPerByte, benchmark::Counter::kIsIterationInvariantRate);
}

void KnobStep(benchmark::State& state)
{
    CBenchLink link;
    CMoleculePacket packet;
    auto* change = new CMParamChange(1, 3, 2, 0);
    packet.Append(std::unique_ptr<CMolecule>(change));
    packet.SetSlot(0);
    uint8_t value = 0;
    const size_t before = link.counter.bytes;
    double seconds = 0;
    for (auto _ : state) {
        // The output takes a frame only once the one before left the wire:
        // the wait is the cable's, not the step's.
        std::this_thread::sleep_for(kIdleOutput);
        change->value = value++ & 0x7F;
        const auto start = std::chrono::steady_clock::now();
        link.Synth().SendLiveEdit(packet);
        const double step = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        seconds += step;
        state.SetIterationTime(step);
    }
    const double iterations = static_cast<double>(state.iterations());
    const double perStep = static_cast<double>(link.counter.bytes - before) / iterations;
    state.counters["bytes"] = perStep;
    state.counters["step_us"] = seconds / iterations * 1e6;
    state.counters["xWire"] = perStep * kWireSecondsPerByte / (seconds / iterations);
}
BENCHMARK(KnobStep)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);

void WholePatchDump(benchmark::State& state)
{
    CBenchLink link;
    CMoleculePacket packet;
    AppendWholePatch(packet);
    packet.SetSlot(0);
    const std::vector<uint8_t> part =
        Frame(SysexFrame::kFlagFirst | SysexFrame::kFlagLast, 0, {SysexFrame::kEndOfMolecules});
    const size_t before = link.counter.bytes;
    for (auto _ : state) {
        link.Synth().SendEditDump(packet);
        while (link.Port().IsAwaitingAnswer()) {
            link.Hand(part);
            link.Port().ProcessInput();
        }
    }
    const double perDump = static_cast<double>(link.counter.bytes - before) / static_cast<double>(state.iterations());
    state.counters["bytes"] = perDump;
    ReportWireRatio(state, perDump);
}
BENCHMARK(WholePatchDump);

} // namespace
