// simsynthd: the simulated synthesizer on a pair of virtual MIDI ports
// (ALSA sequencer or JACK), through RtMidi.

#include <rtmidi/RtMidi.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/midi/rtmidi/JackOutDevice.h"
#include "platform/midi/rtmidi/MidiApiChoice.h"
#include "simulator/SimCatalogueTypes.h"
#include "simulator/SimPatchFile.h"
#include "simulator/SimProgramOptions.h"
#include "simulator/Simulator.h"
#include "simulator/update/SimUpdateSynth.h"

namespace {

std::atomic<bool> gQuit{false};

void OnSignal(int)
{
    gQuit = true;
}

std::string Hex(const sim::Bytes& bytes)
{
    std::string text;
    char b[4];
    for (uint8_t byte : bytes) {
        std::snprintf(b, sizeof b, "%02X ", byte);
        text += b;
    }
    if (!text.empty())
        text.pop_back();
    return text;
}

// What the bad cable (--lossy) did so far, both ways.
std::string CableFigures(const sim::CSimCable& cable)
{
    if (!cable.In() || !cable.Out())
        return {};
    std::ostringstream text;
    text << "the cable lost " << cable.In()->Dropped() << " and spoilt " << cable.In()->Spoilt() << " of "
         << cable.In()->Dropped() + cable.In()->Spoilt() + cable.In()->Carried() << " messages to it, lost "
         << cable.Out()->Dropped() << " and spoilt " << cable.Out()->Spoilt() << " of "
         << cable.Out()->Dropped() + cable.Out()->Spoilt() + cable.Out()->Carried() << " from it";
    return text.str();
}

// Messages from the MIDI input thread, handed to the main loop.
struct Inbox {
    std::mutex lock;
    std::condition_variable ready;
    std::vector<sim::Bytes> messages;
};

void OnMidiIn(double, std::vector<unsigned char>* message, void* user)
{
    auto* inbox = static_cast<Inbox*>(user);
    {
        const std::lock_guard<std::mutex> guard(inbox->lock);
        inbox->messages.emplace_back(message->begin(), message->end());
    }
    inbox->ready.notify_one();
}

// RtMidi reports through this instead of throwing; a failure ends the program.
std::atomic<bool> gMidiFailed{false};

void OnMidiError(RtMidiError::Type type, const std::string& text, void*)
{
    std::cerr << "simsynthd: " << text << '\n';
    if (type != RtMidiError::WARNING && type != RtMidiError::DEBUG_WARNING)
        gMidiFailed = true;
}

// Microseconds since the program started.
class Clock {
public:
    uint64_t NowUs() const
    {
        return static_cast<uint64_t>(
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start_).count());
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// The program's two virtual ports, "NAME in" and "NAME out".
struct MidiPorts {
    explicit MidiPorts(const sim::SimProgramOptions& o) : in(Api(o), o.portName, 1024)
    {
        in.setErrorCallback(OnMidiError);
        in.ignoreTypes(false, true, true);
        in.setCallback(OnMidiIn, &inbox);
        in.openVirtualPort(o.portName + " in");
        // RtMidi's JACK output drops what finds its ring full or a cycle's
        // buffer taken; the platform's keeps it for the next cycle.
        if (in.getCurrentApi() == RtMidi::UNIX_JACK) {
            jackOut = platform::JackOutDevice::OpenVirtual(o.portName, o.portName + " out");
            if (jackOut == nullptr)
                gMidiFailed = true;
        } else {
            out = std::make_unique<RtMidiOut>(in.getCurrentApi(), o.portName);
            out->setErrorCallback(OnMidiError);
            out->openVirtualPort(o.portName + " out");
        }
    }

    void Send(const sim::Bytes& bytes)
    {
        if (jackOut == nullptr)
            out->sendMessage(&bytes);
        else if (jackOut->Write(bytes.data(), bytes.size()) != platform::midierr::kOk)
            gMidiFailed = true;
    }

    // The system every program of ours takes, unless --api names one; none
    // on the machine ends the program.
    static RtMidi::Api Api(const sim::SimProgramOptions& o)
    {
        const RtMidi::Api api = platform::ChooseMachineMidiApi(o.api);
        if (api == RtMidi::RTMIDI_DUMMY) {
            std::cerr
                << "simsynthd: the MIDI ports could not be opened: no ALSA sequencer and no running JACK server\n";
            std::exit(1);
        }
        return api;
    }

    void Announce(const sim::SimProgramOptions& o, const std::string& what)
    {
        std::cout << "simsynthd: " << what << " on \"" << o.portName << " in\" and \"" << o.portName << " out\" ("
                  << RtMidi::getApiDisplayName(in.getCurrentApi()) << ")" << std::endl;
    }

    // What arrived, after waiting until something does, the due time (in
    // microseconds of the clock) or at most `limitUs`.
    std::vector<sim::Bytes> Wait(std::optional<uint64_t> dueUs, const Clock& clock, uint64_t limitUs = 100000)
    {
        std::unique_lock<std::mutex> guard(inbox.lock);
        auto wait = std::chrono::microseconds(limitUs);
        if (dueUs) {
            const uint64_t now = clock.NowUs();
            wait = std::min(wait, std::chrono::microseconds(*dueUs > now ? *dueUs - now : 0));
        }
        inbox.ready.wait_for(guard, wait, [&] { return !inbox.messages.empty(); });
        std::vector<sim::Bytes> received;
        received.swap(inbox.messages);
        return received;
    }

    Inbox inbox;
    RtMidiIn in;
    std::unique_ptr<RtMidiOut> out;
    std::unique_ptr<platform::JackOutDevice> jackOut;
};

int Run(const sim::SimProgramOptions& o)
{
    sim::CSimulator synth(o.config, sim::CatalogueTypes());
    for (const auto& [slot, file] : o.slotFiles) {
        if (slot >= synth.SlotCount()) {
            std::cerr << "simsynthd: the model has no slot " << char('A' + slot) << '\n';
            return 2;
        }
        synth.LoadSlot(slot, sim::ReadPatchFile(file));
    }
    if (!o.flashFolder.empty())
        for (const std::string& bad : synth.Flash().AttachFolder(o.flashFolder))
            std::cerr << "simsynthd: cannot read " << bad << '\n';
    if (!o.faultScript.empty()) {
        std::ifstream in(o.faultScript);
        std::stringstream text;
        text << in.rdbuf();
        std::string error;
        if (!in || !synth.Faults().ParseScript(text.str(), error)) {
            std::cerr << "simsynthd: fault script " << o.faultScript << ": " << (in ? error : "cannot be read") << '\n';
            return 2;
        }
    }
    std::ofstream logFile;
    std::ostream* log = nullptr;
    if (o.logFile == "-")
        log = &std::cout;
    else if (!o.logFile.empty()) {
        logFile.open(o.logFile, std::ios::app);
        if (!logFile) {
            std::cerr << "simsynthd: cannot write the log " << o.logFile << '\n';
            return 2;
        }
        log = &logFile;
    }
    if (log)
        synth.SetLogSink([log](const sim::SimLogEntry& e) {
            *log << e.timeUs / 1000 << " ms: " << e.text << " [" << Hex(e.bytes) << "]" << std::endl;
        });

    MidiPorts ports(o);
    if (gMidiFailed) {
        std::cerr << "simsynthd: the MIDI ports could not be opened\n";
        return 1;
    }
    if (o.valueRate)
        synth.StartValueFrames(o.valueSlot, o.valueRate);
    ports.Announce(o, sim::ModelName(o.config.model));

    const Clock clock;
    while (!gQuit && !gMidiFailed) {
        const std::optional<uint64_t> due = synth.NextDueUs();
        const std::vector<sim::Bytes> received = ports.Wait(due ? std::optional(*due) : std::nullopt, clock);
        synth.AdvanceToUs(clock.NowUs());
        for (const sim::Bytes& message : received)
            synth.Receive(message);
        for (const sim::Bytes& buffer : synth.TakeOutput())
            ports.Send(buffer);
    }
    if (const std::string figures = CableFigures(synth.Cable()); !figures.empty())
        std::cout << "simsynthd: " << figures << std::endl;
    return gMidiFailed ? 1 : 0;
}

// The synthesizer in its update state: it answers the updater and takes a new
// operating system, written to the payload file when its end arrives.
int RunUpdate(const sim::SimProgramOptions& o)
{
    sim::CSimUpdateSynth synth;
    synth.Config().modelByte = sim::ModelByte(o.config.model);
    synth.Config().version = {o.config.version[0], o.config.version[1], 0};
    synth.Config().replyLength = o.replyLength;
    synth.Config().lossy = o.config.lossy;
    MidiPorts ports(o);
    if (gMidiFailed) {
        std::cerr << "simsynthd: the MIDI ports could not be opened\n";
        return 1;
    }
    ports.Announce(o, std::string(sim::ModelName(o.config.model)) + " in its update state");
    const Clock clock;
    bool ended = false;
    while (!gQuit && !gMidiFailed) {
        for (const sim::Bytes& message : ports.Wait(std::nullopt, clock, 10000))
            synth.Receive(message.data(), message.size(), clock.NowUs() / 1000);
        for (const sim::SimUpdateOutput& block : synth.TakeDue(clock.NowUs() / 1000))
            ports.Send(block.bytes);
        if (synth.EndReceived() && !ended) {
            std::cout << "simsynthd: received " << synth.Payload().size() << " bytes of operating system, "
                      << synth.Errors().size() << " errors" << std::endl;
            for (const std::string& e : synth.Errors())
                std::cout << "simsynthd: " << e << std::endl;
            if (const std::string figures = CableFigures(synth.Cable()); !figures.empty())
                std::cout << "simsynthd: " << figures << std::endl;
            if (!o.payloadFile.empty()) {
                std::ofstream file(o.payloadFile, std::ios::binary | std::ios::trunc);
                file.write(reinterpret_cast<const char*>(synth.Payload().data()),
                           static_cast<std::streamsize>(synth.Payload().size()));
            }
        }
        ended = synth.EndReceived();
    }
    return gMidiFailed ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    sim::SimProgramOptions options;
    std::string error;
    if (!sim::ParseProgramOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::cerr << "simsynthd: " << error << '\n' << sim::kSimProgramUsage;
        return 2;
    }
    if (options.help) {
        std::cout << sim::kSimProgramUsage;
        return 0;
    }
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    try {
        return options.osUpdate ? RunUpdate(options) : Run(options);
    } catch (const std::exception& e) {
        std::cerr << "simsynthd: " << e.what() << '\n';
        return 1;
    }
}
