// Throughput of framing, decoding and input assembly, beside the MIDI wire
// rate (31,250 baud, ten bits a byte: 3,125 bytes per second). The counter
// "xWire" says how many times faster than the wire each step runs (the
// library prints it with a "/s" suffix, as it counts it like a rate); the
// editor must never be the bottleneck of the link.
#include "synth/protocol/MIDIStream.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/MoleculeRegistry.h"
#include "synth/molecules/PacketDecoder.h"
#include "synth/protocol/RawSysex.h"
#include "synth/protocol/SysexFrame.h"
#include "synth/protocol/SysexMIDIInput.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr double kWireBytesPerSecond = 3125.0;

void ReportRate(benchmark::State& state, int64_t bytesPerIteration)
{
    state.SetBytesProcessed(state.iterations() * bytesPerIteration);
    state.counters["xWire"] = benchmark::Counter(static_cast<double>(bytesPerIteration) / kWireBytesPerSecond,
                                                 benchmark::Counter::kIsIterationInvariantRate);
}

// A message of 40-byte molecules with a byte of every value in it.
std::vector<uint8_t> Payload(uint32_t length, std::vector<uint32_t>& ends)
{
    std::vector<uint8_t> payload(length);
    for (uint32_t i = 0; i < length; ++i)
        payload[i] = static_cast<uint8_t>(i * 31);
    for (uint32_t end = 40; end < length; end += 40)
        ends.push_back(end);
    ends.push_back(length);
    return payload;
}

void FrameMessage(benchmark::State& state)
{
    std::vector<uint32_t> ends;
    const auto payload = Payload(static_cast<uint32_t>(state.range(0)), ends);
    CSysexFrameSpec spec;
    spec.payload = payload.data();
    spec.length = static_cast<uint32_t>(payload.size());
    for (auto _ : state)
        benchmark::DoNotOptimize(MakeSysexFrames(spec, ends));
    ReportRate(state, state.range(0));
}
BENCHMARK(FrameMessage)->Arg(166)->Arg(8192);

void PackAndUnpack(benchmark::State& state)
{
    std::vector<uint32_t> ends;
    const auto payload = Payload(static_cast<uint32_t>(state.range(0)), ends);
    std::vector<uint8_t> packed(PackedSysexLength(static_cast<uint32_t>(payload.size())));
    std::vector<uint8_t> unpacked(payload.size());
    for (auto _ : state) {
        const uint32_t length = PackSysexBits(payload.data(), static_cast<uint32_t>(payload.size()), packed.data());
        benchmark::DoNotOptimize(UnpackSysexBits(packed.data(), length, unpacked.data()));
    }
    ReportRate(state, state.range(0));
}
BENCHMARK(PackAndUnpack)->Arg(8192);

// A received 40-byte molecule: id and 39 aligned bytes.
class CMBenchDump : public CMolecule {
public:
    void Read(CMIDIInStream& in) override
    {
        in.ReadMoleculeId();
        for (int i = 0; i < 39; ++i)
            sum += in.ReadAlignedByte();
    }
    uint32_t sum = 0;
};

void DecodeFrame(benchmark::State& state)
{
    CMoleculeRegistry registry;
    registry.Register(std::make_unique<TMoleculeBuilder<CMBenchDump, 0x52>>(CMoleculeBuilder::kTargetPatch));
    std::vector<uint8_t> payload;
    for (int m = 0; m < 4; ++m) {
        payload.push_back(0x52);
        for (int i = 0; i < 39; ++i)
            payload.push_back(static_cast<uint8_t>(i * 5 + m));
    }
    payload.push_back(0x7F);
    CSysexFrameSpec spec;
    spec.payload = payload.data();
    spec.length = static_cast<uint32_t>(payload.size());
    spec.packed = true;
    const auto frame = MakeRawSysexFrame(spec);
    for (auto _ : state) {
        CMoleculePacket packet;
        DecodePacket(frame->View(), packet, registry);
        benchmark::DoNotOptimize(packet.GetCount());
    }
    ReportRate(state, frame->GetLength());
}
BENCHMARK(DecodeFrame);

void AssembleInput(benchmark::State& state)
{
    std::vector<uint8_t> stream;
    for (int m = 0; m < 64; ++m) {
        stream.push_back(0xF0);
        for (int i = 0; i < 190; ++i)
            stream.push_back(static_cast<uint8_t>((i + m) & 0x7F));
        stream.push_back(0xF7);
    }
    CSysexMIDIInput input;
    for (auto _ : state) {
        for (size_t at = 0; at < stream.size(); at += 2048)
            input.AddData(stream.data() + at, static_cast<uint32_t>(std::min<size_t>(2048, stream.size() - at)));
        while (auto message = input.TakeMessage())
            benchmark::DoNotOptimize(message->GetLength());
    }
    ReportRate(state, static_cast<int64_t>(stream.size()));
}
BENCHMARK(AssembleInput);

} // namespace
