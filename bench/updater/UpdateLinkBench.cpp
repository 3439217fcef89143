// The update link's pace in real time, against an output that reports each
// block done as soon as it has it (as the ALSA sequencer does). A data packet
// of 134 bytes takes 42.88 ms on a MIDI cable (31,250 baud, 320 µs a byte),
// and the next is due 30 ms after it has left, so no packet can come sooner
// than 72.88 ms after the one before. The link is ticked when its next
// message is due, as Bootwren's link timer does. The time is the mean time
// from one packet's start to the next; "xFloor" is that time over 72.88 ms
// (goal: at most 1.05).
#include "framework/menus/Menu.h"
#include "platform/midi/virtual/VirtualMidi.h"
#include "tests/updater/support/SyntheticImages.h"
#include "updater/image/UpdateFile.h"
#include "updater/link/UpdateLink.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kDeviceName = "Update Bench Synth";
constexpr int kPackets = 30;
constexpr double kFloorMs = 134 * 0.32 + NSBootwren::CUpdateLink::kPacketPause;

// Stamps the start of every data packet as the output hands it over.
class PacketStamps final : public platform::VirtualMidiHandler {
public:
    void OnLongMessage(const uint8_t* bytes, size_t count) override
    {
        if (count > 4 && bytes[4] == 0x71) {
            const std::lock_guard<std::mutex> guard(lock_);
            starts_.push_back(Clock::now());
        }
    }

    // Mean milliseconds from one packet's start to the next; clears the stamps.
    double TakeMeanGapMs()
    {
        const std::lock_guard<std::mutex> guard(lock_);
        if (starts_.size() < 2)
            throw std::runtime_error("fewer than two packets went out");
        const std::chrono::duration<double, std::milli> span = starts_.back() - starts_.front();
        const double gap = span.count() / static_cast<double>(starts_.size() - 1);
        starts_.clear();
        return gap;
    }

private:
    std::mutex lock_;
    std::vector<Clock::time_point> starts_;
};

uint16_t FindPort(NSHarrowen::CMenu& menu)
{
    for (int i = 0; i < menu.GetItemCount(); ++i)
        if (menu.GetItem(i).label == kDeviceName)
            return static_cast<uint16_t>(i);
    throw std::runtime_error("the bench's MIDI device is not listed");
}

void UpdateLinkPacketPace(benchmark::State& state)
{
    PacketStamps stamps;
    platform::VirtualMidiDevice device({kDeviceName}, &stamps);
    const std::vector<uint8_t> bytes = updatertest::SmallSyntheticImage(112 * kPackets).Bytes();
    const auto image = NSBootwren::CUpdateFile::Read(bytes.data(), bytes.size());
    NSBootwren::CUpdateLink link(*image);
    if (!link.OpenPorts(FindPort(link.GetInputMenu()), FindPort(link.GetOutputMenu())))
        throw std::runtime_error("the bench's MIDI ports do not open");
    double gap = 0;
    for (auto _ : state) {
        link.StartDump();
        while (link.GetDumpState() == NSBootwren::kDumpHeader || link.GetDumpState() == NSBootwren::kDumpSending) {
            if (const auto wait = link.GetTimeToNextSend(); wait && *wait > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(*wait));
            link.Tick();
        }
        link.StopDump();
        gap = stamps.TakeMeanGapMs();
        state.SetIterationTime(gap / 1000.0);
    }
    state.counters["floor_ms"] = kFloorMs;
    state.counters["xFloor"] = gap / kFloorMs;
}

BENCHMARK(UpdateLinkPacketPace)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
    ->Unit(benchmark::kMillisecond);

} // namespace
