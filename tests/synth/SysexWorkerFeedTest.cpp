// The assembler on the real MIDI input worker: a receiver that feeds its
// SysEx input from the worker, as the synthesizer port does, gets every
// message of a stream whole and in order on the main thread, whatever cut
// the device gives the buffers.
#include "framework/midi/MIDIInput.h"
#include "framework/midi/MIDIInputParser.h"
#include "framework/midi/PortRegistry.h"
#include "platform/midi/virtual/VirtualMidi.h"
#include "synth/protocol/RawSysex.h"
#include "synth/protocol/SysexMIDIInput.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

class CWorkerFedInput : public NSHarrowen::CMIDIInputParser, public CSysexMIDIInput {
public:
    void OnLongData(NSHarrowen::CMIDIInput*, uint32_t, const uint8_t* bytes, uint32_t count) override
    {
        AddData(bytes, count);
    }
};

// `count` messages of growing length, each carrying its index.
Bytes Stream(int count, std::vector<Bytes>& messages)
{
    Bytes stream;
    for (int i = 0; i < count; ++i) {
        Bytes message{0xF0, static_cast<uint8_t>(i & 0x7F), static_cast<uint8_t>(i >> 7)};
        for (int k = 0; k < 3 + i % 40; ++k)
            message.push_back(static_cast<uint8_t>((i + k) & 0x7F));
        message.push_back(0xF7);
        stream.insert(stream.end(), message.begin(), message.end());
        messages.push_back(std::move(message));
    }
    return stream;
}

TEST(SysexWorkerFeed, MessagesFromTheWorkerArriveWholeAndInOrder)
{
    platform::VirtualMidiDevice device{{.name = "Protocol Test Synth"}};
    NSHarrowen::CInputPortRegistry inputs;
    NSHarrowen::COutputPortRegistry outputs;
    NSHarrowen::RegisterMMEPorts(inputs, outputs);
    uint16_t index = 0;
    ASSERT_TRUE(inputs.FindByName("Protocol Test Synth", index));

    CWorkerFedInput receiver;
    receiver.SetAcceptsLongData(true);
    auto input = inputs.GetAt(index)->CreatePort(receiver);

    std::vector<Bytes> expected;
    const Bytes stream = Stream(400, expected);
    std::vector<Bytes> received;
    auto drain = [&] {
        while (auto message = receiver.TakeMessage())
            received.emplace_back(message->GetBytes(), message->GetBytes() + message->GetLength());
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    size_t sent = 0;
    for (size_t cut : {1, 7, 64, 300, 2048}) {
        // A part of the stream per cut, so that messages straddle buffers
        // and several share one; the main thread drains while it arrives.
        const size_t partEnd = std::min(stream.size(), sent + stream.size() / 5 + 1);
        while (sent < partEnd && std::chrono::steady_clock::now() < deadline) {
            // Only as much as the buffers the device holds can take.
            const size_t room = device.InputBuffersQueued() * cut;
            sent += device.Send(stream.data() + sent, std::min(partEnd - sent, room), cut);
            drain();
            std::this_thread::yield();
        }
    }
    ASSERT_EQ(sent, stream.size());
    while (received.size() < expected.size() && std::chrono::steady_clock::now() < deadline) {
        drain();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    input.reset();
    EXPECT_EQ(received, expected);
}

} // namespace
