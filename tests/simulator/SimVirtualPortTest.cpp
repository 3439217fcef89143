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

namespace {

// A program on the simulator's MIDI device: it sends each message through
// the output and takes what comes back through the input, as the editor does.
class LossyCableTest : public ::testing::Test {
protected:
    static constexpr const char* kDevice = "Lossy Kandrel";
    const Bytes ping{0xF0, 0x7D, 0x00, 0x06, 0x00, 0x03, 0x03, 0xF7};
    const Bytes reply{0xF0, 0x7D, 0x00, 0x06, 0x01, 3, 3, 0, 0, 0, 0, 0xF7};

    struct Run {
        std::vector<Bytes> arrived; // per ping what came back (empty: nothing)
        unsigned lostIn = 0, spoiltIn = 0, lostOut = 0, spoiltOut = 0, pingsHeard = 0;
    };

    // Pings the simulator `count` times over a cable of these rates.
    Run PingOver(const SimLossRates& rates, int count)
    {
        SimConfig config;
        config.lossy = rates;
        CSimulator synth(config, TestTypes());
        CSimVirtualPort port(synth, kDevice);
        const int inId = FindDevice(platform::MidiInDeviceCount, platform::MidiInDeviceCaps, kDevice);
        const int outId = FindDevice(platform::MidiOutDeviceCount, platform::MidiOutDeviceCaps, kDevice);
        Returned returned;
        std::array<uint8_t, 64> memory{};
        platform::MidiBuffer buffer;
        buffer.data = memory.data();
        buffer.length = static_cast<uint32_t>(memory.size());
        Bytes message = ping;
        platform::MidiBuffer sent;
        sent.data = message.data();
        sent.length = static_cast<uint32_t>(message.size());
        std::unique_ptr<platform::MidiInDevice> in;
        std::unique_ptr<platform::MidiOutDevice> out;
        Run run;
        if (inId < 0 || outId < 0 ||
            platform::OpenMidiIn(static_cast<unsigned>(inId), Returned::Callback,
                                 reinterpret_cast<uintptr_t>(&returned), in) != platform::midierr::kOk ||
            platform::OpenMidiOut(static_cast<unsigned>(outId), out) != platform::midierr::kOk) {
            ADD_FAILURE() << "the simulator's device does not open";
            return run;
        }
        in->Prepare(buffer);
        in->Start();
        out->Prepare(sent);
        for (int i = 0; i < count; ++i) {
            if (!buffer.Has(platform::kMidiBufferQueued))
                in->AddBuffer(buffer);
            size_t before = 0;
            {
                const std::lock_guard<std::mutex> guard(returned.lock);
                before = returned.buffers.size();
            }
            EXPECT_EQ(out->LongMessage(sent), platform::midierr::kOk);
            port.Advance(1);
            out->Reset();
            const std::lock_guard<std::mutex> guard(returned.lock);
            run.arrived.push_back(returned.buffers.size() > before ? returned.buffers.back() : Bytes());
        }
        in->Reset();
        port.With([&](CSimulator& s) {
            for (const SimLogEntry& e : s.Log()) {
                run.lostIn += e.text == "lost on the cable";
                run.spoiltIn += e.text == "spoilt on the cable";
                run.lostOut += e.text == "sent, lost on the cable";
                run.spoiltOut += e.text == "sent, spoilt on the cable";
                run.pingsHeard += e.text == "identify ping";
            }
            return 0;
        });
        return run;
    }
};

TEST_F(LossyCableTest, LosesAndSpoilsBothWaysAtItsRates)
{
    constexpr int kPings = 5000;
    const Run run = PingOver({0.02, 0.01, 53}, kPings);
    ASSERT_EQ(run.arrived.size(), static_cast<size_t>(kPings));
    // Within three standard deviations of 2 % and 1 % of 5,000.
    for (const unsigned lost : {run.lostIn, run.lostOut})
        EXPECT_TRUE(lost >= 70 && lost <= 130) << lost;
    for (const unsigned spoilt : {run.spoiltIn, run.spoiltOut})
        EXPECT_TRUE(spoilt >= 29 && spoilt <= 71) << spoilt;
    // Every ping arrives whole, is lost, or arrives spoilt (and is heard
    // when only its version bytes were spoilt).
    EXPECT_LE(run.pingsHeard, kPings - run.lostIn);
    EXPECT_GE(run.pingsHeard, kPings - run.lostIn - run.spoiltIn);
    unsigned missing = 0, spoilt = 0;
    for (const Bytes& arrived : run.arrived) {
        if (arrived.empty()) {
            ++missing;
            continue;
        }
        // A spoilt reply keeps its length and its ends; one byte between
        // them is another data byte.
        ASSERT_EQ(arrived.size(), reply.size());
        EXPECT_EQ(arrived.front(), 0xF0);
        EXPECT_EQ(arrived.back(), 0xF7);
        size_t differ = 0;
        for (size_t i = 1; i + 1 < arrived.size(); ++i) {
            EXPECT_LT(arrived[i], 0x80);
            differ += arrived[i] != reply[i];
        }
        EXPECT_LE(differ, 1u);
        spoilt += differ;
    }
    EXPECT_EQ(spoilt, run.spoiltOut);
    EXPECT_EQ(missing, kPings - run.pingsHeard + run.lostOut);
}

TEST_F(LossyCableTest, TheSameSeedLosesAndSpoilsTheSameMessages)
{
    const Run first = PingOver({0.05, 0.05, 7}, 600);
    const Run again = PingOver({0.05, 0.05, 7}, 600);
    const Run other = PingOver({0.05, 0.05, 8}, 600);
    EXPECT_EQ(first.arrived, again.arrived);
    EXPECT_NE(first.arrived, other.arrived);
    EXPECT_GT(first.lostIn + first.lostOut + first.spoiltIn + first.spoiltOut, 0u);
}

TEST_F(LossyCableTest, WithoutLossEveryPingIsAnswered)
{
    const Run run = PingOver({0, 0, 7}, 200);
    for (const Bytes& arrived : run.arrived)
        EXPECT_EQ(arrived, reply);
}

} // namespace
