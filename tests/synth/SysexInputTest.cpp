#include "synth/protocol/RawSysex.h"
#include "synth/protocol/SysexMIDIInput.h"
#include "synth/protocol/SysexRing.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// F0, `dataLength` data bytes starting at `seed`, F7.
Bytes Message(uint32_t dataLength, uint8_t seed = 1)
{
    Bytes message{0xF0};
    for (uint32_t i = 0; i < dataLength; ++i)
        message.push_back(static_cast<uint8_t>((seed + i) & 0x7F));
    message.push_back(0xF7);
    return message;
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Records what it is offered; refuses messages whose second byte is 0x66.
class CTestInput : public CSysexMIDIInput {
public:
    void Feed(const Bytes& buffer) { AddData(buffer.data(), static_cast<uint32_t>(buffer.size())); }
    void FeedInChunks(const Bytes& bytes, size_t chunk)
    {
        for (size_t at = 0; at < bytes.size(); at += chunk)
            Feed(Bytes(bytes.begin() + long(at), bytes.begin() + long(std::min(bytes.size(), at + chunk))));
    }
    std::vector<Bytes> TakeAll()
    {
        std::vector<Bytes> messages;
        while (auto message = TakeMessage())
            messages.emplace_back(message->GetBytes(), message->GetBytes() + message->GetLength());
        return messages;
    }
    int offered = 0;

protected:
    bool Accept(const uint8_t* bytes, uint32_t length) override
    {
        ++offered;
        return !(length > 1 && bytes[1] == 0x66);
    }
};

struct AssemblyCase {
    const char* name;
    std::vector<Bytes> buffers;
    std::vector<Bytes> messages;
};

class SysexAssembly : public testing::TestWithParam<AssemblyCase> { };

TEST_P(SysexAssembly, GivesTheWholeMessagesInOrder)
{
    CTestInput input;
    for (const Bytes& buffer : GetParam().buffers)
        input.Feed(buffer);
    EXPECT_EQ(input.TakeAll(), GetParam().messages);
}

const Bytes kA{0xF0, 0x7D, 0x4C, 0x06, 0x40, 0x11, 0x22, 0xF7};
const Bytes kB{0xF0, 0x01, 0xF7};
const Bytes kC{0xF0, 0x7D, 0x00, 0x06, 0x01, 0x03, 0x03, 0x00, 0x00, 0x00, 0xF7};

INSTANTIATE_TEST_SUITE_P(
    Cases, SysexAssembly,
    testing::Values(AssemblyCase{"StrayBytesBeforeStart", {{0x33, 0xF0, 0x01, 0xF7}}, {kB}},
                    AssemblyCase{"OnlyStrayBytes", {{0x33, 0x44}, {0xF7}}, {}},
                    AssemblyCase{"OverThreeBuffers",
                                 {{0xF0, 0x7D, 0x4C}, {0x06, 0x40, 0x11}, {0x22, 0xF7, 0x55, 0xF0, 0x01}, {0xF7}},
                                 {kA, kB}},
                    AssemblyCase{"EndAloneInTheNextBuffer", {{0xF0, 0x01}, {0xF7}}, {kB}},
                    AssemblyCase{"TwoInOneBuffer", {Join({kA, kB})}, {kA, kB}},
                    AssemblyCase{"ThreeInOneBufferWithGaps", {Join({kA, {0x12}, kB, kC})}, {kA, kB, kC}},
                    AssemblyCase{"ThreeAndAPartInOneBuffer",
                                 {Join({kB, kB, kB, {0xF0, 0x7D}}), {0x4C, 0x06, 0x40, 0x11, 0x22, 0xF7}},
                                 {kB, kB, kB, kA}},
                    AssemblyCase{"CutOffMessageGivesWayToTheNext", {{0xF0, 0x7D, 0x4C}, kB}, {kB}},
                    AssemblyCase{"RefusedMessagesAreNotQueued", {Join({{0xF0, 0x66, 0xF7}, kB})}, {kB}},
                    AssemblyCase{"EmptyBuffers", {{}, kB, {}}, {kB}}),
    [](const testing::TestParamInfo<AssemblyCase>& info) { return info.param.name; });

TEST(SysexInput, MessagesOf8192BytesOrMoreAreDropped)
{
    CTestInput input;
    const Bytes tooLong = Message(8190); // 8,192 bytes
    const Bytes longest = Message(8189); // 8,191 bytes
    input.FeedInChunks(Join({tooLong, kB, longest, Message(9000)}), 2048);
    input.Feed(kA);
    const auto messages = input.TakeAll();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0], kB);
    EXPECT_EQ(messages[1], longest);
    EXPECT_EQ(messages[2], kA);
    EXPECT_EQ(input.offered, 3);
}

// An overflow refuses new messages until the reader has taken what was
// held; then the input hears again, without a reset of the open input.
TEST(SysexInput, RingOverflowEndsOnceTheReaderHasDrainedIt)
{
    CTestInput input;
    const Bytes chunk = Message(648); // 650 bytes
    for (int i = 0; i < 100; ++i)     // 65,000 bytes
        input.Feed(chunk);
    input.Feed(Message(598)); // 600 bytes: no room
    input.Feed(kB);           // refused while in overflow
    EXPECT_EQ(input.TakeAll(), std::vector<Bytes>(100, chunk)) << "what came before the overflow is kept";

    input.Feed(kB);
    EXPECT_EQ(input.TakeAll(), std::vector<Bytes>{kB});
}

TEST(SysexInput, DrainingDropsTheQueueAndEndsAnOverflow)
{
    CTestInput input;
    for (int i = 0; i < 101; ++i)
        input.Feed(Message(648));
    input.DrainRing();
    EXPECT_FALSE(input.HasMessage());
    input.Feed(kB);
    EXPECT_EQ(input.TakeAll(), std::vector<Bytes>{kB});

    input.ResetRing();
    input.Feed(kB);
    EXPECT_EQ(input.TakeAll(), std::vector<Bytes>{kB});
}

TEST(SysexRing, MessageAcrossTheEndIsTakenBackInOrder)
{
    CSysexRing ring;
    const Bytes filler = Message(7998); // 8,000 bytes
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(ring.Push(filler));
    for (int i = 0; i < 8; ++i)
        ASSERT_NE(ring.Take(), nullptr);
    EXPECT_EQ(ring.GetHeldBytes(), 0u);

    const Bytes across = Message(2998, 9); // from 64,000 over 65,536
    const Bytes after = Message(10, 3);
    ASSERT_TRUE(ring.Push(across));
    ASSERT_TRUE(ring.Push(after));
    const auto first = ring.Take();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Bytes(first->GetBytes(), first->GetBytes() + first->GetLength()), across);
    const auto second = ring.Take();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(Bytes(second->GetBytes(), second->GetBytes() + second->GetLength()), after);
    EXPECT_FALSE(ring.HasMessage());
}

TEST(SysexRing, ExactlyFullIsNotOverflow)
{
    CSysexRing ring;
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(ring.Push(Message(8190))); // 8 x 8,192 = 65,536
    EXPECT_FALSE(ring.IsOverflowed());
    EXPECT_FALSE(ring.Push(kB));
    EXPECT_TRUE(ring.IsOverflowed());
}

// The MIDI input worker feeds buffers of arbitrary cut while the main thread
// drains the queue: every message arrives once, whole and in order.
TEST(SysexInput, WorkerFeedsWhileTheMainThreadTakes)
{
    CTestInput input;
    constexpr int kMessages = 3000;
    Bytes stream;
    for (int i = 0; i < kMessages; ++i) {
        Bytes message = Message(static_cast<uint32_t>(5 + i % 300), static_cast<uint8_t>(i));
        message[1] = static_cast<uint8_t>(i & 0x3F);
        message[2] = static_cast<uint8_t>(i >> 6);
        stream.insert(stream.end(), message.begin(), message.end());
    }
    std::atomic<bool> done{false};
    std::atomic<size_t> takenBytes{0};
    std::thread worker([&] {
        size_t at = 0;
        size_t cut = 1;
        while (at < stream.size()) {
            const size_t size = std::min(stream.size() - at, cut);
            input.Feed(Bytes(stream.begin() + long(at), stream.begin() + long(at + size)));
            at += size;
            cut = cut * 7 % 2048 + 1; // buffers of every size up to 2,048
            // Like the wire, never more ahead of the reader than the ring holds.
            while (at - takenBytes.load() > 32768)
                std::this_thread::yield();
        }
        done = true;
    });
    int expected = 0;
    bool ok = true;
    while (expected < kMessages && ok) {
        auto message = input.TakeMessage();
        if (!message) {
            if (done && !input.HasMessage())
                break;
            std::this_thread::yield();
            continue;
        }
        const int index = message->GetBytes()[1] | message->GetBytes()[2] << 6;
        ok = index == expected && message->GetLength() == 5u + expected % 300 + 2;
        takenBytes += message->GetLength();
        ++expected;
    }
    worker.join();
    EXPECT_TRUE(ok) << "message " << expected - 1 << " out of order or cut";
    EXPECT_EQ(expected, kMessages);
}

} // namespace
