#include "platform/midi/rtmidi/JackOutDevice.h"
#include "platform/midi/rtmidi/ShortMessageLength.h"

#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/statistics.h>
#include <jack/ringbuffer.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

namespace platform {

namespace {

// Room for many seconds of the MIDI wire's bytes: the writer keeps to the
// wire's pace, so only a server that stops taking them fills it.
constexpr size_t kRingBytes = 1 << 18;
// The largest message: an update's block of data with room to spare.
constexpr size_t kMaxMessage = 1 << 16;
// How long a close waits for the cycles that carry what was written last.
constexpr auto kDrainLimit = std::chrono::seconds(1);
// How long after a late cycle of the driver a notice that finds its delay
// unchanged may still be that cycle's, in µs: a loaded machine delivers the
// notices of a burst of late cycles tens of milliseconds apart.
constexpr jack_time_t kDriverXrunEcho = 250000;

} // namespace

struct JackOutDevice::State {
    jack_client_t* client = nullptr;
    jack_port_t* port = nullptr;
    jack_ringbuffer_t* ring = nullptr;
    std::atomic<bool> shutDown{false};
    // Cycles some client did not finish: its events of that cycle are lost.
    std::atomic<uint32_t> missedCycles{0};
    // The server's record of how late its driver began the last late cycle,
    // and when this client last saw it change (notification thread only).
    float driverDelay = 0;
    jack_time_t driverXrunSeen = 0;
    // The port had a peer once: none now means the peer went away.
    mutable std::atomic<bool> everConnected{false};
    // An output opened toward a port keeps what is written until the
    // server's cycle carries the connection: jack_connect returns before
    // that, and a cycle without it would drop the messages.
    bool awaitsConnection = false;
    // The process cycles run, and the last one that began with nothing left
    // to send: the cycles before it have delivered everything.
    std::atomic<uint64_t> cycles{0};
    std::atomic<uint64_t> settledCycle{0};
    // The process thread's message in hand and how much of it went out.
    std::vector<uint8_t> current = std::vector<uint8_t>(kMaxMessage);
    size_t currentSize = 0;
    size_t currentSent = 0;

    ~State()
    {
        if (client != nullptr) {
            jack_deactivate(client);
            jack_client_close(client);
        }
        if (ring != nullptr)
            jack_ringbuffer_free(ring);
    }

    // The next whole message from the ring into `current`; false when none
    // is whole yet.
    bool TakeNext()
    {
        uint32_t size = 0;
        if (jack_ringbuffer_read_space(ring) < sizeof size)
            return false;
        jack_ringbuffer_peek(ring, reinterpret_cast<char*>(&size), sizeof size);
        if (jack_ringbuffer_read_space(ring) < sizeof size + size)
            return false;
        jack_ringbuffer_read_advance(ring, sizeof size);
        jack_ringbuffer_read(ring, reinterpret_cast<char*>(current.data()), size);
        currentSize = size;
        currentSent = 0;
        return true;
    }

    // Process thread: as many messages as the cycle's buffer holds, in order.
    void Process(jack_nframes_t frames)
    {
        void* buffer = jack_port_get_buffer(port, frames);
        jack_midi_clear_buffer(buffer);
        const uint64_t cycle = cycles.fetch_add(1, std::memory_order_acq_rel) + 1;
        if (currentSent == currentSize && jack_ringbuffer_read_space(ring) == 0)
            settledCycle.store(cycle, std::memory_order_release);
        if (awaitsConnection) {
            if (jack_port_connected(port) == 0)
                return;
            awaitsConnection = false;
        }
        bool empty = true;
        for (;;) {
            if (currentSent == currentSize && !TakeNext())
                return;
            const size_t left = currentSize - currentSent;
            const size_t room = jack_midi_max_event_size(buffer);
            // A message waits for a cycle with room for it; only one larger
            // than a whole cycle's buffer is cut.
            size_t piece = left;
            if (left > room) {
                if (!empty || room == 0)
                    return;
                piece = room;
            }
            jack_midi_data_t* data = jack_midi_event_reserve(buffer, 0, piece);
            if (data == nullptr)
                return;
            std::copy_n(current.data() + currentSent, piece, data);
            currentSent += piece;
            empty = false;
        }
    }

    static int OnProcess(jack_nframes_t frames, void* self)
    {
        static_cast<State*>(self)->Process(frames);
        return 0;
    }

    static void OnShutdown(void* self) { static_cast<State*>(self)->shutDown = true; }

    // The server tells every client of an xrun both when its driver began a
    // cycle late (a late cycle loses nothing) and when a client had not
    // finished its cycle as the next began (in the default asynchronous
    // mode that client never sees the events of the cycle it missed). Only
    // the driver's records a new delay. The notices come after the fact: of
    // two late cycles close together, both notices may read the second's
    // delay, so a notice that finds the delay unchanged soon after one that
    // found it changed is taken as the driver's too, not as a lost cycle.
    static int OnXrun(void* self)
    {
        auto* state = static_cast<State*>(self);
        const float delay = jack_get_xrun_delayed_usecs(state->client);
        const jack_time_t now = jack_get_time();
        if (delay != state->driverDelay) {
            state->driverDelay = delay;
            state->driverXrunSeen = now;
        } else if (now - state->driverXrunSeen > kDriverXrunEcho) {
            ++state->missedCycles;
        }
        return 0;
    }

    MidiPathState Path() const
    {
        MidiPathState path;
        path.losses = missedCycles.load();
        path.systemGone = shutDown.load();
        if (!path.systemGone) {
            const bool connected = jack_port_connected(port) > 0;
            if (connected)
                everConnected = true;
            path.peerGone = everConnected && !connected;
        }
        return path;
    }

    // Waits, at most kDrainLimit, until a cycle begins after everything
    // written so far went out in the cycles before it.
    void Drain() const
    {
        const uint64_t now = cycles.load(std::memory_order_acquire);
        const auto end = std::chrono::steady_clock::now() + kDrainLimit;
        while (settledCycle.load(std::memory_order_acquire) <= now && !shutDown &&
               std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    MidiResult Write(const uint8_t* bytes, size_t count)
    {
        if (count == 0 || count > kMaxMessage)
            return midierr::kInvalidParameter;
        if (shutDown)
            return midierr::kSystemStopped;
        const auto size = static_cast<uint32_t>(count);
        if (jack_ringbuffer_write_space(ring) < sizeof size + count)
            return midierr::kNotReady;
        jack_ringbuffer_write(ring, reinterpret_cast<const char*>(&size), sizeof size);
        jack_ringbuffer_write(ring, reinterpret_cast<const char*>(bytes), count);
        return midierr::kOk;
    }
};

JackOutDevice::JackOutDevice(std::unique_ptr<State> state) : state_(std::move(state)) { }

JackOutDevice::~JackOutDevice()
{
    // What was written goes out before the client closes.
    state_->Drain();
    // The client goes first: its process thread reads the ring.
    state_.reset();
}

std::unique_ptr<JackOutDevice::State> JackOutDevice::Start(const std::string& client, const std::string& port,
                                                           bool awaitsConnection)
{
    auto state = std::make_unique<State>();
    jack_status_t status{};
    state->client = jack_client_open(client.c_str(), JackNoStartServer, &status);
    if (state->client == nullptr)
        return nullptr;
    state->ring = jack_ringbuffer_create(kRingBytes);
    state->port = jack_port_register(state->client, port.c_str(), JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    if (state->ring == nullptr || state->port == nullptr)
        return nullptr;
    state->awaitsConnection = awaitsConnection;
    jack_on_shutdown(state->client, State::OnShutdown, state.get());
    state->driverDelay = jack_get_xrun_delayed_usecs(state->client);
    state->driverXrunSeen = jack_get_time();
    if (jack_set_xrun_callback(state->client, State::OnXrun, state.get()) != 0 ||
        jack_set_process_callback(state->client, State::OnProcess, state.get()) != 0 ||
        jack_activate(state->client) != 0)
        return nullptr;
    return state;
}

std::unique_ptr<JackOutDevice> JackOutDevice::Open(const std::string& client, const std::string& destination)
{
    std::unique_ptr<State> state = Start(client, "out", true);
    if (state == nullptr || jack_connect(state->client, jack_port_name(state->port), destination.c_str()) != 0)
        return nullptr;
    state->everConnected = true;
    return std::unique_ptr<JackOutDevice>(new JackOutDevice(std::move(state)));
}

std::unique_ptr<JackOutDevice> JackOutDevice::OpenVirtual(const std::string& client, const std::string& port)
{
    // Nobody listens yet: what is written before a peer connects is lost,
    // as on a cable that is not plugged in.
    std::unique_ptr<State> state = Start(client, port, false);
    if (state == nullptr)
        return nullptr;
    return std::unique_ptr<JackOutDevice>(new JackOutDevice(std::move(state)));
}

MidiResult JackOutDevice::Write(const uint8_t* bytes, size_t count)
{
    return state_->Write(bytes, count);
}

MidiResult JackOutDevice::ShortMessage(uint32_t message)
{
    const uint8_t bytes[3] = {static_cast<uint8_t>(message), static_cast<uint8_t>(message >> 8),
                              static_cast<uint8_t>(message >> 16)};
    const size_t count = ShortMessageLength(bytes[0]);
    if (count == 0)
        return midierr::kInvalidParameter;
    return state_->Write(bytes, count);
}

MidiPathState JackOutDevice::PathState() const
{
    return state_->Path();
}

MidiResult JackOutDevice::SendLong(const uint8_t* bytes, size_t count)
{
    return state_->Write(bytes, count);
}

uint32_t JackOutDevice::CompletionDelay(size_t count)
{
    // The server tells nothing of when the bytes have left: a block is done
    // after the time a MIDI cable needs for it, so a sender that waits for it
    // keeps to the cable's pace.
    return static_cast<uint32_t>((count * 10 * 1000 + 31249) / 31250);
}

} // namespace platform
