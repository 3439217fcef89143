// simsynthd: the simulated synthesizer on a pair of virtual MIDI ports
// (ALSA sequencer or JACK), through RtMidi.

#include <rtmidi/RtMidi.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "simulator/SimCatalogueTypes.h"
#include "simulator/SimPatchFile.h"
#include "simulator/SimProgramOptions.h"
#include "simulator/Simulator.h"

namespace {

std::atomic<bool> gQuit{false};

void OnSignal(int) { gQuit = true; }

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

    Inbox inbox;
    const RtMidi::Api api = o.api == "jack" ? RtMidi::UNIX_JACK : o.api == "alsa" ? RtMidi::LINUX_ALSA : RtMidi::UNSPECIFIED;
    RtMidiIn in(api, o.portName, 1024);
    RtMidiOut out(api, o.portName);
    in.setErrorCallback(OnMidiError);
    out.setErrorCallback(OnMidiError);
    in.ignoreTypes(false, true, true);
    in.setCallback(OnMidiIn, &inbox);
    in.openVirtualPort(o.portName + " in");
    out.openVirtualPort(o.portName + " out");
    if (gMidiFailed) {
        std::cerr << "simsynthd: the MIDI ports could not be opened\n";
        return 1;
    }
    if (o.valueRate)
        synth.StartValueFrames(o.valueSlot, o.valueRate);
    std::cout << "simsynthd: " << sim::ModelName(o.config.model) << " on \"" << o.portName << " in\" and \""
              << o.portName << " out\" (" << RtMidi::getApiDisplayName(in.getCurrentApi()) << ")" << std::endl;

    const auto start = std::chrono::steady_clock::now();
    const auto nowUs = [&] {
        return static_cast<uint64_t>(
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count());
    };
    while (!gQuit && !gMidiFailed) {
        std::vector<sim::Bytes> received;
        {
            std::unique_lock<std::mutex> guard(inbox.lock);
            auto wait = std::chrono::microseconds(100000);
            if (const auto due = synth.NextDueUs()) {
                const uint64_t now = nowUs();
                wait = std::min(wait, std::chrono::microseconds(*due > now ? *due - now : 0));
            }
            inbox.ready.wait_for(guard, wait, [&] { return !inbox.messages.empty(); });
            received.swap(inbox.messages);
        }
        synth.AdvanceToUs(nowUs());
        for (const sim::Bytes& message : received)
            synth.Receive(message);
        for (const sim::Bytes& buffer : synth.TakeOutput())
            out.sendMessage(&buffer);
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
        return Run(options);
    } catch (const std::exception& e) {
        std::cerr << "simsynthd: " << e.what() << '\n';
        return 1;
    }
}
