// System Exclusive both ways between the program's ports and a peer on a
// real JACK server (started by the "jack" test fixture).
#include "../MidiTestSupport.h"
#include "tests/support/RequiredTools.h"

#include "framework/midi/MIDIOutput.h"
#include "framework/midi/MMEMIDIInput.h"

#include <RtMidi.h>

#include <errno.h>

#include <cstdlib>
#include <filesystem>
#include <string>

using namespace NSHarrowen;
using namespace miditest;

namespace {

// The instrument's side: a JACK client for each way (JACK would rename a
// second client of the same name).
class JackPeer {
public:
    JackPeer() : out_(RtMidi::UNIX_JACK, "peer-out"), in_(RtMidi::UNIX_JACK, "peer-in")
    {
        in_.ignoreTypes(false, true, true);
        in_.setCallback(&JackPeer::Received, this);
        in_.openVirtualPort("from-program");
        out_.openVirtualPort("to-program");
    }

    void Send(const std::vector<uint8_t>& message) { out_.sendMessage(&message); }

    // Waits up to five seconds for the next whole message.
    std::vector<uint8_t> Take()
    {
        std::unique_lock<std::mutex> guard(mutex_);
        if (!arrived_.wait_for(guard, std::chrono::seconds(5), [&] { return !messages_.empty(); }))
            return {};
        std::vector<uint8_t> message = std::move(messages_.front());
        messages_.erase(messages_.begin());
        return message;
    }

private:
    static void Received(double, std::vector<unsigned char>* message, void* self)
    {
        auto& peer = *static_cast<JackPeer*>(self);
        std::lock_guard<std::mutex> guard(peer.mutex_);
        peer.messages_.push_back(*message);
        peer.arrived_.notify_all();
    }

    RtMidiOut out_;
    RtMidiIn in_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<std::vector<uint8_t>> messages_;
};

// The process's open sockets: each client of the JACK server holds its own.
int OpenSockets()
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (std::filesystem::read_symlink(entry.path(), error).string().rfind("socket:", 0) == 0)
            ++count;
    }
    return count;
}

struct JackFixture : ::testing::Test {
    void SetUp() override
    {
        if (testsupport::Unavailable({.jackServer = true}))
            return;
    }
};

} // namespace

TEST_F(JackFixture, SysexMessagesCrossJackBothWays)
{
    JackPeer peer;
    Registries registries;
    RecordingReceiver receiver;
    auto input = registries.Input("peer-out:to-program").CreatePort(receiver);
    auto output = registries.Output("peer-in:from-program").CreatePort();

    const std::vector<uint8_t> small = Sysex(9);
    const std::vector<uint8_t> large = Sysex(5000);

    // Peer to program: the large message arrives cut into the input's buffers.
    peer.Send(small);
    ASSERT_TRUE(receiver.WaitForBytes(9));
    peer.Send(large);
    ASSERT_TRUE(receiver.WaitForBytes(9 + 5000));
    std::vector<uint8_t> expected = small;
    expected.insert(expected.end(), large.begin(), large.end());
    EXPECT_EQ(receiver.Bytes(), expected);
    EXPECT_EQ(receiver.Counts(), (std::vector<uint32_t>{9, 2048, 2048, 904}));

    // Program to peer: the chunks of the large write arrive as one message.
    EXPECT_TRUE(output->WriteSysexAndWait(small.data(), 9));
    EXPECT_EQ(peer.Take(), small);
    EXPECT_TRUE(output->WriteSysexAndWait(large.data(), 5000));
    EXPECT_EQ(peer.Take(), large);

    // Short messages go out too.
    EXPECT_EQ(output->SendShortMessage(0xB0, 7, 100), 0u);
    EXPECT_EQ(peer.Take(), (std::vector<uint8_t>{0xB0, 7, 100}));
}

TEST_F(JackFixture, ListingTheDevicesBothWaysKeepsOneClientOfTheServer)
{
    JackPeer peer;
    const int before = OpenSockets();
    int oneClient = 0;
    {
        RtMidiIn probe(RtMidi::UNIX_JACK, "probe");
        probe.getPortCount();
        oneClient = OpenSockets() - before;
    }
    ASSERT_GT(oneClient, 0);
    ASSERT_EQ(OpenSockets(), before);
    // What a MIDI setup does each time it is shown: inputs, then outputs.
    for (int listing = 0; listing < 3; ++listing) {
        const Registries registries;
        EXPECT_NO_THROW(registries.Input("peer-out:to-program"));
        EXPECT_NO_THROW(registries.Output("peer-in:from-program"));
        EXPECT_EQ(OpenSockets() - before, oneClient) << "listing " << listing;
    }
}

// An output is often opened for one request and closed after it: the
// message goes out though the server's cycle may not carry the connection
// yet when it is written, and the close comes before the next cycle.
TEST_F(JackFixture, WhatIsWrittenBetweenOpeningAndClosingAnOutputArrives)
{
    JackPeer peer;
    const Registries registries;
    constexpr int kOpenings = 40;
    for (int i = 0; i < kOpenings; ++i) {
        auto output = registries.Output("peer-in:from-program").CreatePort();
        ASSERT_EQ(output->SendShortMessage(0xB0, 7, static_cast<uint8_t>(i)), 0u);
    }
    for (int i = 0; i < kOpenings; ++i)
        ASSERT_EQ(peer.Take(), (std::vector<uint8_t>{0xB0, 7, static_cast<uint8_t>(i)})) << "opening " << i;
}

// The program's own ports, open toward a peer, are on the server under the
// program's client names, yet its device lists offer only the peer's.
TEST_F(JackFixture, TheDeviceListsLeaveOutTheProgramsOwnPorts)
{
    JackPeer peer;
    RecordingReceiver receiver;
    const Registries before;
    auto input = before.Input("peer-out:to-program").CreatePort(receiver);
    auto output = before.Output("peer-in:from-program").CreatePort();

    const std::string own = program_invocation_short_name;
    RtMidiIn sources(RtMidi::UNIX_JACK, "probe-sources");
    RtMidiOut destinations(RtMidi::UNIX_JACK, "probe-destinations");
    const auto ownPorts = [&](RtMidi& lister) {
        std::vector<std::string> ports;
        for (unsigned i = 0; i < lister.getPortCount(); ++i) {
            if (lister.getPortName(i).rfind(own, 0) == 0)
                ports.push_back(lister.getPortName(i));
        }
        return ports;
    };
    ASSERT_FALSE(ownPorts(sources).empty()) << "the program's output is not on the server";
    ASSERT_FALSE(ownPorts(destinations).empty()) << "the program's input is not on the server";

    const Registries after;
    const auto names = [](const auto& registry) {
        std::vector<std::string> all;
        for (uint16_t i = 0; i < registry.GetCount(); ++i)
            all.push_back(registry.GetAt(i)->GetName());
        return all;
    };
    for (const auto& list : {names(after.inputs), names(after.outputs)}) {
        for (const std::string& name : list)
            EXPECT_NE(name.rfind(own, 0), 0u) << name;
    }
    EXPECT_NO_THROW(after.Input("peer-out:to-program"));
    EXPECT_NO_THROW(after.Output("peer-in:from-program"));
}
