// The machine's MIDI devices through RtMidi, on the system ChooseMidiApi
// picks (MidiApiChoice.h).
#include "platform/midi/MidiSystem.h"
#include "platform/midi/MidiInDevice.h"
#include "platform/midi/MidiOutDevice.h"
#include "platform/midi/rtmidi/JackOutDevice.h"
#include "platform/midi/rtmidi/MachineMidi.h"
#include "platform/midi/rtmidi/MidiApiChoice.h"
#include "platform/midi/rtmidi/ShortMessageLength.h"

#include <RtMidi.h>

#include <atomic>
#include <csignal>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace platform {

namespace {

// Collects what RtMidi reports instead of letting it print or throw.
struct ErrorSink {
    std::atomic<bool> failed{false};

    static void Report(RtMidiError::Type type, const std::string&, void* self)
    {
        if (type != RtMidiError::WARNING && type != RtMidiError::DEBUG_WARNING)
            static_cast<ErrorSink*>(self)->failed = true;
    }
    bool Take() { return failed.exchange(false); }
};

// The current number of the port the key names on this client: ports come
// and go while the program runs.
bool FindPort(RtMidi& client, const std::string& key, unsigned& port)
{
    const unsigned count = client.getPortCount();
    for (unsigned i = 0; i < count; ++i) {
        if (client.getPortName(i) == key) {
            port = i;
            return true;
        }
    }
    return false;
}

class RtOutDevice final : public MidiOutDevice {
public:
    RtOutDevice(std::unique_ptr<RtMidiOut> out, std::unique_ptr<ErrorSink> errors)
        : out_(std::move(out)), errors_(std::move(errors))
    { }

    MidiResult ShortMessage(uint32_t message) override
    {
        const uint8_t bytes[3] = {static_cast<uint8_t>(message), static_cast<uint8_t>(message >> 8),
                                  static_cast<uint8_t>(message >> 16)};
        const size_t count = ShortMessageLength(bytes[0]);
        if (count == 0)
            return midierr::kInvalidParameter;
        return Send(bytes, count);
    }

protected:
    MidiResult SendLong(const uint8_t* bytes, size_t count) override { return Send(bytes, count); }

    uint32_t CompletionDelay(size_t count) override
    {
        // Neither system tells when the bytes have left: JACK takes them into
        // a ring of limited size, the ALSA sequencer into its queue. A block
        // is done after the time a MIDI cable needs for it (31,250 baud, ten
        // bits a byte), so a sender that waits for it keeps to the cable's pace.
        return static_cast<uint32_t>((count * 10 * 1000 + 31249) / 31250);
    }

private:
    MidiResult Send(const uint8_t* bytes, size_t count)
    {
        try {
            out_->sendMessage(bytes, count);
        } catch (const RtMidiError&) {
            return midierr::kNotReady;
        }
        return errors_->Take() ? midierr::kNotReady : midierr::kOk;
    }

    std::unique_ptr<RtMidiOut> out_;
    std::unique_ptr<ErrorSink> errors_;
};

class RtInDevice final : public MidiInDevice {
public:
    RtInDevice(MidiInCallback callback, uintptr_t instance) : MidiInDevice(callback, instance) { }

    ~RtInDevice() override
    {
        // Closing stops RtMidi's thread, so no message arrives during the
        // rest of the destruction.
        in_.reset();
    }

    MidiResult Open(RtMidi::Api api, const std::string& client, const std::string& key, const std::string& portName)
    {
        start_ = std::chrono::steady_clock::now();
        try {
            in_ = std::make_unique<RtMidiIn>(api, client, 1000);
            in_->setErrorCallback(ErrorSink::Report, &errors_);
            unsigned port = 0;
            if (!FindPort(*in_, key, port))
                return midierr::kNoDevice;
            in_->ignoreTypes(false, true, true);
            in_->setCallback(&RtInDevice::OnMessage, this);
            in_->openPort(port, portName);
        } catch (const RtMidiError&) {
            return midierr::kNoDevice;
        }
        if (errors_.Take() || !in_->isPortOpen())
            return midierr::kNoDevice;
        return midierr::kOk;
    }

private:
    static void OnMessage(double, std::vector<unsigned char>* message, void* self)
    {
        static_cast<RtInDevice*>(self)->Receive(*message);
    }

    void Receive(const std::vector<unsigned char>& message)
    {
        if (message.empty())
            return;
        if (message[0] == 0xF0) {
            DeliverLong(message.data(), message.size(), SIZE_MAX);
            return;
        }
        uint32_t word = 0;
        for (size_t i = 0; i < message.size() && i < 3; ++i)
            word |= uint32_t(message[i]) << (8 * i);
        const auto elapsed = std::chrono::steady_clock::now() - start_;
        DeliverShort(word,
                     static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()));
    }

    ErrorSink errors_;
    std::chrono::steady_clock::time_point start_;
    std::unique_ptr<RtMidiIn> in_;
};

class RtMidiSystem final : public MidiSystem {
public:
    explicit RtMidiSystem(RtMidi::Api api) : api_(api) { }

    std::vector<MidiPortInfo> Ports(MidiDirection direction) override
    {
        std::lock_guard<std::mutex> guard(mutex_);
        std::vector<MidiPortInfo> ports;
        RtMidi* lister = Lister(direction);
        if (!lister)
            return ports;
        // The program's own ports are left out: a connection to one would
        // loop the program into itself.
        const std::string own = MidiClientName();
        const unsigned count = lister->getPortCount();
        for (unsigned i = 0; i < count; ++i) {
            const std::string key = lister->getPortName(i);
            if (key.empty() || IsPortOfClient(key, own))
                continue;
            const std::string shown = api_ == RtMidi::LINUX_ALSA ? AlsaPortDisplayName(key) : key;
            ports.push_back({key, {shown, MidiTechnology::Port}});
        }
        listerErrors_.Take();
        return ports;
    }

    MidiResult OpenOutput(const std::string& key, std::unique_ptr<MidiOutDevice>& device) override
    {
        if (api_ == RtMidi::UNIX_JACK) {
            // RtMidi's JACK output drops a message that finds its ring full
            // or the cycle's buffer taken; ours keeps it for the next cycle.
            // The key is the destination port's JACK name.
            auto jack = JackOutDevice::Open(MidiClientName(), key);
            if (jack == nullptr)
                return midierr::kNoDevice;
            device = std::move(jack);
            return midierr::kOk;
        }
        auto errors = std::make_unique<ErrorSink>();
        std::unique_ptr<RtMidiOut> out;
        try {
            out = std::make_unique<RtMidiOut>(api_, MidiClientName());
            out->setErrorCallback(ErrorSink::Report, errors.get());
            unsigned port = 0;
            if (!FindPort(*out, key, port))
                return midierr::kNoDevice;
            out->openPort(port, "out");
        } catch (const RtMidiError&) {
            return midierr::kNoDevice;
        }
        if (errors->Take() || !out->isPortOpen())
            return midierr::kNoDevice;
        device = std::make_unique<RtOutDevice>(std::move(out), std::move(errors));
        return midierr::kOk;
    }

    MidiResult OpenInput(const std::string& key, MidiInCallback callback, uintptr_t instance,
                         std::unique_ptr<MidiInDevice>& device) override
    {
        auto input = std::make_unique<RtInDevice>(callback, instance);
        const MidiResult result = input->Open(api_, MidiClientName(), key, "in");
        if (result == midierr::kOk)
            device = std::move(input);
        return result;
    }

private:
    // One client of the MIDI system lists the devices: an RtMidi client
    // lists one direction, so a listing of the other replaces it (the old
    // one closed first). An open device finds its port on its own client.
    // Called with mutex_ held.
    RtMidi* Lister(MidiDirection direction)
    {
        const bool in = direction == MidiDirection::In;
        if (in ? inLister_ != nullptr : outLister_ != nullptr)
            return in ? static_cast<RtMidi*>(inLister_.get()) : outLister_.get();
        inLister_.reset();
        outLister_.reset();
        try {
            if (in)
                inLister_ = std::make_unique<RtMidiIn>(api_, MidiClientName());
            else
                outLister_ = std::make_unique<RtMidiOut>(api_, MidiClientName());
        } catch (const RtMidiError&) {
            return nullptr;
        }
        RtMidi* lister = in ? static_cast<RtMidi*>(inLister_.get()) : outLister_.get();
        lister->setErrorCallback(ErrorSink::Report, &listerErrors_);
        return lister;
    }

    RtMidi::Api api_;
    std::mutex mutex_;
    ErrorSink listerErrors_;
    // At most one of the two.
    std::unique_ptr<RtMidiIn> inLister_;
    std::unique_ptr<RtMidiOut> outLister_;
};

} // namespace

void UseMachineMidi(std::string_view request)
{
    // A JACK client writes to the server's socket; when the server goes (or
    // drops the client under load) that write would raise SIGPIPE and end
    // the whole process without a word. The write fails instead, and the
    // port reports it.
    std::signal(SIGPIPE, SIG_IGN);
    const RtMidi::Api api = ChooseMachineMidiApi(request);
    InstallHostMidiSystem(api == RtMidi::RTMIDI_DUMMY ? nullptr : std::make_unique<RtMidiSystem>(api));
}

} // namespace platform
