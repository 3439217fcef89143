// The update-mode simulated synthesizer finds what is wrong in what the
// updater sends, so that the tests that run the updater against it mean
// something.

#include "simulator/update/SimUpdateSynth.h"
#include "updater/link/UpdateMessages.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace NSBootwren;
using Bytes = std::vector<uint8_t>;

namespace {

const Bytes kAck{0xF0, 0x7D, 0x00, 0x06, 0x7F, 0xF7};
const Bytes kFail{0xF0, 0x7D, 0x00, 0x06, 0x7E, 0xF7};

// Sends a payload of `size` bytes as the link does, packets `gapMs` apart;
// `change` may spoil one message first. Returns the synthesizer's verdict.
Bytes Dump(sim::CSimUpdateSynth& synth, uint32_t size, uint64_t gapMs,
           void (*change)(size_t index, Bytes& message) = nullptr)
{
    Bytes payload(size);
    std::iota(payload.begin(), payload.end(), uint8_t{0x70});
    std::vector<Bytes> messages{MakeDumpHeader(size, 3, 3)};
    for (uint32_t sent = 0; sent < size; sent += kPacketPayload)
        messages.push_back(MakeDataPacket(payload.data(), size, sent));
    messages.push_back(MakeDumpEnd(std::accumulate(payload.begin(), payload.end(), 0u)));
    uint64_t now = 1000;
    for (size_t i = 0; i < messages.size(); ++i) {
        if (change)
            change(i, messages[i]);
        synth.Receive(messages[i].data(), messages[i].size(), now);
        now += gapMs;
    }
    const auto out = synth.TakeDue(now);
    return out.empty() ? Bytes{} : out.back().bytes;
}

TEST(SimUpdateSynth, AWellPacedDumpIsAcknowledged)
{
    sim::CSimUpdateSynth synth;
    EXPECT_EQ(Dump(synth, 300, 30), kAck);
    EXPECT_EQ(synth.PacketCount(), 3);
    EXPECT_EQ(synth.Payload().size(), 300u);
    EXPECT_EQ(synth.ShortestGapMs(), 30u);
    EXPECT_TRUE(synth.Errors().empty());
}

TEST(SimUpdateSynth, FaultsInWhatItReceives)
{
    const struct {
        const char* name;
        uint64_t gapMs;
        void (*change)(size_t, Bytes&);
        Bytes verdict;
    } cases[] = {
        {"packets too close", 29, nullptr, kAck},
        {"header checksum", 30,
         [](size_t i, Bytes& m) {
             if (i == 0)
                 m[17] ^= 1;
         },
         kAck},
        {"a packet one byte short", 30,
         [](size_t i, Bytes& m) {
             if (i == 2)
                 m.erase(m.begin() + 5);
         },
         kFail},
        {"a payload byte changed", 30,
         [](size_t i, Bytes& m) {
             if (i == 1)
                 m[6] ^= 1;
         },
         kFail},
        {"a packet lost", 30,
         [](size_t i, Bytes& m) {
             if (i == 3)
                 m = {};
         },
         kFail},
        {"the announced length", 30,
         [](size_t i, Bytes& m) {
             if (i == 0)
                 m = MakeDumpHeader(299, 3, 3);
         },
         kFail},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sim::CSimUpdateSynth synth;
        EXPECT_EQ(Dump(synth, 300, c.gapMs, c.change), c.verdict);
        EXPECT_FALSE(synth.Errors().empty());
    }
}

} // namespace
