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
#include "simulator/Simulator.h"

namespace {

std::atomic<bool> gQuit{false};

void OnSignal(int) { gQuit = true; }

struct Options {
    sim::SimConfig config;
    std::vector<std::pair<int, std::string>> slotFiles;
    std::string flashFolder;
    std::string faultScript;
    std::string logFile;
    std::string portName = "simsynth";
    RtMidi::Api api = RtMidi::UNSPECIFIED;
    int valueSlot = -1;
    unsigned valueRate = 0;
};

const char* const kUsage =
    "usage: simsynthd [options]\n"
    "  --model kandrel|kandrel-r|pebix|unknown   the model it says it is (kandrel)\n"
    "  --version A.B.C.D.E     the five version bytes of its identify reply (3.3.0.0.0)\n"
    "  --update-mode           its identify reply says update mode\n"
    "  --memory-protect        flash writes are refused\n"
    "  --slot S=FILE           a patch file loaded into slot S (A to D)\n"
    "  --flash FOLDER          flash banks as patch files (\"105 Name.pch\"); written back\n"
    "  --latency MS            time before each answer\n"
    "  --pace                  output paced at the MIDI wire rate\n"
    "  --faults FILE           a fault script (drop N, delay N MS, identify short, ...)\n"
    "  --values S:RATE         frames of measured values for slot S, RATE per second\n"
    "  --log FILE              what it receives, one line each (- for standard output)\n"
    "  --name NAME             port name (simsynth): ports NAME in and NAME out\n"
    "  --api alsa|jack         the MIDI system (RtMidi's choice when left out)\n";

bool ParseVersion(const std::string& text, std::array<uint8_t, 5>& version)
{
    std::istringstream in(text);
    for (size_t i = 0; i < version.size(); ++i) {
        unsigned v = 0;
        char dot = '.';
        if (!(in >> v) || v > 127 || (i + 1 < version.size() && (!(in >> dot) || dot != '.')))
            return false;
        version[i] = static_cast<uint8_t>(v);
    }
    return in.peek() == EOF;
}

bool ParseOptions(int argc, char** argv, Options& o, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return {};
            }
            return argv[++i];
        };
        if (arg == "--model") {
            const std::string m = value();
            if (m == "kandrel")
                o.config.model = sim::SimModel::Kandrel;
            else if (m == "kandrel-r")
                o.config.model = sim::SimModel::KandrelR;
            else if (m == "pebix")
                o.config.model = sim::SimModel::Pebix;
            else if (m == "unknown")
                o.config.model = sim::SimModel::Unknown;
            else
                error = "unknown model: " + m;
        } else if (arg == "--version") {
            if (!ParseVersion(value(), o.config.version))
                error = "a version is five numbers 0 to 127 joined by dots";
        } else if (arg == "--update-mode")
            o.config.updateMode = true;
        else if (arg == "--memory-protect")
            o.config.memoryProtect = true;
        else if (arg == "--pace")
            o.config.paceAtWireRate = true;
        else if (arg == "--slot") {
            const std::string s = value();
            if (s.size() < 3 || s[1] != '=' || s[0] < 'A' || s[0] > 'D')
                error = "--slot wants S=FILE with S from A to D";
            else
                o.slotFiles.emplace_back(s[0] - 'A', s.substr(2));
        } else if (arg == "--flash")
            o.flashFolder = value();
        else if (arg == "--latency")
            o.config.latencyMs = static_cast<uint32_t>(std::strtoul(value().c_str(), nullptr, 10));
        else if (arg == "--faults")
            o.faultScript = value();
        else if (arg == "--values") {
            const std::string s = value();
            if (s.size() < 3 || s[1] != ':' || s[0] < 'A' || s[0] > 'D')
                error = "--values wants S:RATE with S from A to D";
            else {
                o.valueSlot = s[0] - 'A';
                o.valueRate = static_cast<unsigned>(std::strtoul(s.c_str() + 2, nullptr, 10));
            }
        } else if (arg == "--log")
            o.logFile = value();
        else if (arg == "--name")
            o.portName = value();
        else if (arg == "--api") {
            const std::string a = value();
            if (a == "alsa")
                o.api = RtMidi::LINUX_ALSA;
            else if (a == "jack")
                o.api = RtMidi::UNIX_JACK;
            else
                error = "unknown MIDI system: " + a;
        } else if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            std::exit(0);
        } else
            error = "unknown option: " + arg;
        if (!error.empty())
            return false;
    }
    return true;
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

void OnMidiError(RtMidiError::Type, const std::string& text, void*) { std::cerr << "simsynthd: " << text << '\n'; }

int Run(const Options& o)
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
    RtMidiIn in(o.api, o.portName, 1024);
    RtMidiOut out(o.api, o.portName);
    in.setErrorCallback(OnMidiError);
    out.setErrorCallback(OnMidiError);
    in.ignoreTypes(false, true, true);
    in.setCallback(OnMidiIn, &inbox);
    in.openVirtualPort(o.portName + " in");
    out.openVirtualPort(o.portName + " out");
    if (o.valueRate)
        synth.StartValueFrames(o.valueSlot, o.valueRate);
    std::cout << "simsynthd: " << sim::ModelName(o.config.model) << " on \"" << o.portName << " in\" and \""
              << o.portName << " out\" (" << RtMidi::getApiDisplayName(in.getCurrentApi()) << ")" << std::endl;

    const auto start = std::chrono::steady_clock::now();
    const auto nowUs = [&] {
        return static_cast<uint64_t>(
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count());
    };
    while (!gQuit) {
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
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    std::string error;
    if (!ParseOptions(argc, argv, options, error)) {
        std::cerr << "simsynthd: " << error << '\n' << kUsage;
        return 2;
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
