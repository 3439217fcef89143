#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "SimTestSupport.h"
#include "platform/midi/MidiDevices.h"
#include "platform/midi/MidiOutDevice.h"
#include "platform/midi/MidiInDevice.h"
#include "simulator/SimVirtualPort.h"

using namespace sim;
using namespace simtest;

namespace {

// The input buffers handed back to the program, as they came.
struct Returned {
    std::mutex lock;
    std::condition_variable ready;
    std::vector<Bytes> buffers;
    size_t bytes = 0;

    static void Callback(platform::MidiInDevice&, uint32_t message, uintptr_t instance, uintptr_t param1, uintptr_t)
    {
        if (message != platform::kMidiInLongData)
            return;
        auto* self = reinterpret_cast<Returned*>(instance);
        const auto* buffer = reinterpret_cast<platform::MidiBuffer*>(param1);
        const std::lock_guard<std::mutex> guard(self->lock);
        self->buffers.emplace_back(buffer->data, buffer->data + buffer->recorded);
        self->bytes += buffer->recorded;
        self->ready.notify_all();
    }

    bool WaitForBytes(size_t n)
    {
        std::unique_lock<std::mutex> guard(lock);
        return ready.wait_for(guard, std::chrono::seconds(2), [&] { return bytes >= n; });
    }
};

template <class CountF, class CapsF> int FindDevice(CountF count, CapsF caps, const std::string& name)
{
    for (unsigned id = 0, n = count(); id < n; ++id) {
        platform::MidiDeviceCaps c;
        if (caps(id, c) == platform::midierr::kOk && c.name == name)
            return static_cast<int>(id);
    }
    return -1;
}

} // namespace

TEST(SimVirtualPort, TheProgramReachesTheSimulatorThroughAMidiDevice)
{
    CSimulator synth(SimConfig{}, TestTypes());
    synth.Faults().bufferSizes = {5};
    CSimVirtualPort port(synth, "Simulated Kandrel");

    const int inId = FindDevice(platform::MidiInDeviceCount, platform::MidiInDeviceCaps, "Simulated Kandrel");
    const int outId = FindDevice(platform::MidiOutDeviceCount, platform::MidiOutDeviceCaps, "Simulated Kandrel");
    ASSERT_GE(inId, 0);
    ASSERT_GE(outId, 0);

    Returned returned;
    std::array<std::array<uint8_t, 64>, 8> memory{};
    std::array<platform::MidiBuffer, 8> buffers;
    Bytes ping{0xF0, 0x7D, 0x00, 0x06, 0x00, 0x03, 0x03, 0xF7};
    platform::MidiBuffer sent;
    sent.data = ping.data();
    sent.length = static_cast<uint32_t>(ping.size());
    {
        std::unique_ptr<platform::MidiInDevice> in;
        std::unique_ptr<platform::MidiOutDevice> out;
        ASSERT_EQ(platform::OpenMidiIn(static_cast<unsigned>(inId), Returned::Callback,
                                       reinterpret_cast<uintptr_t>(&returned), in),
                  platform::midierr::kOk);
        for (size_t i = 0; i < buffers.size(); ++i) {
            buffers[i].data = memory[i].data();
            buffers[i].length = static_cast<uint32_t>(memory[i].size());
            in->Prepare(buffers[i]);
            in->AddBuffer(buffers[i]);
        }
        in->Start();
        ASSERT_EQ(platform::OpenMidiOut(static_cast<unsigned>(outId), out), platform::midierr::kOk);
        out->Prepare(sent);
        ASSERT_EQ(out->LongMessage(sent), platform::midierr::kOk);

        EXPECT_EQ(port.With([](CSimulator& s) { return s.Log().back().text; }), "identify ping");
        EXPECT_EQ(port.Advance(1), 12u);
        ASSERT_TRUE(returned.WaitForBytes(12));
        in->Reset();
        out->Reset();
    }
    const std::lock_guard<std::mutex> guard(returned.lock);
    Bytes joined;
    for (size_t i = 0; i < returned.buffers.size() && joined.size() < 12; ++i) {
        EXPECT_EQ(returned.buffers[i].size(), i < 2 ? 5u : 2u) << "one input buffer per piece of the cut output";
        joined.insert(joined.end(), returned.buffers[i].begin(), returned.buffers[i].end());
    }
    EXPECT_EQ(joined, (Bytes{0xF0, 0x7D, 0x00, 0x06, 0x01, 3, 3, 0, 0, 0, 0, 0xF7}));
}
