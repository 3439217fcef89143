#include "simulator/SimProgramOptions.h"

#include <algorithm>
#include <iterator>
#include <sstream>

namespace sim {

const char* const kSimProgramUsage =
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
    "  --lossy DROP,SPOIL,SEED a bad cable both ways: the share of messages lost and of\n"
    "                          messages with a spoilt byte, and a seed (0.02,0.01,7);\n"
    "                          the same seed loses and spoils the same messages\n"
    "  --values S:RATE         frames of measured values for slot S, RATE per second\n"
    "  --log FILE              what it receives, one line each (- for standard output)\n"
    "  --name NAME             port name (simsynth): ports NAME in and NAME out\n"
    "  --api alsa|jack         the MIDI system (the programs' own choice when left out)\n"
    "  --os-update             in its update state: takes a new operating system from\n"
    "                          the updater (model and the first two version numbers as above)\n"
    "  --reply-length N        its version reply in the update state: 11, 12 or 13 bytes\n"
    "  --payload FILE          the operating system received, written when its end arrives\n";

namespace {

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

bool ParseNumber(const std::string& text, unsigned& value)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 9)
        return false;
    value = static_cast<unsigned>(std::stoul(text));
    return true;
}

// "A=rest" or "A:rest": the slot and the rest.
bool ParseSlotPrefix(const std::string& text, char separator, int& slot, std::string& rest)
{
    if (text.size() < 3 || text[1] != separator || text[0] < 'A' || text[0] > 'D')
        return false;
    slot = text[0] - 'A';
    rest = text.substr(2);
    return true;
}

const std::string kValueOptions[] = {"--model",        "--version", "--slot", "--values", "--latency",
                                     "--flash",        "--faults",  "--log",  "--name",   "--api",
                                     "--reply-length", "--payload", "--lossy"};

constexpr std::pair<const char*, SimModel> kModels[] = {
    {"kandrel", SimModel::Kandrel},
    {"kandrel-r", SimModel::KandrelR},
    {"pebix", SimModel::Pebix},
    {"unknown", SimModel::Unknown},
};

} // namespace

bool ParseProgramOptions(const std::vector<std::string>& args, SimProgramOptions& o, std::string& error)
{
    for (size_t i = 0; i < args.size() && error.empty(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue =
            std::find(std::begin(kValueOptions), std::end(kValueOptions), arg) != std::end(kValueOptions);
        if (takesValue && i + 1 >= args.size()) {
            error = arg + " needs a value";
            break;
        }
        const std::string value = takesValue && i + 1 < args.size() ? args[++i] : std::string();
        unsigned number = 0;
        int slot = 0;
        std::string rest;
        if (arg == "--model") {
            error = "unknown model: " + value;
            for (const auto& [name, model] : kModels)
                if (value == name) {
                    o.config.model = model;
                    error.clear();
                }
        } else if (arg == "--version") {
            if (!ParseVersion(value, o.config.version))
                error = "a version is five numbers 0 to 127 joined by dots";
        } else if (arg == "--update-mode")
            o.config.updateMode = true;
        else if (arg == "--memory-protect")
            o.config.memoryProtect = true;
        else if (arg == "--pace")
            o.config.paceAtWireRate = true;
        else if (arg == "--os-update")
            o.osUpdate = true;
        else if (arg == "--reply-length") {
            if (ParseNumber(value, number) && number >= 11 && number <= 13)
                o.replyLength = number;
            else
                error = "--reply-length wants 11, 12 or 13";
        } else if (arg == "--lossy") {
            o.config.lossy = ParseLossRates(value);
            if (!o.config.lossy)
                error = "--lossy wants DROP,SPOIL,SEED: two shares from 0 to 1 that add up to 1 at most, and a "
                        "whole number";
        } else if (arg == "--payload")
            o.payloadFile = value;
        else if (arg == "--help" || arg == "-h")
            o.help = true;
        else if (arg == "--slot") {
            if (ParseSlotPrefix(value, '=', slot, rest))
                o.slotFiles.emplace_back(slot, rest);
            else
                error = "--slot wants S=FILE with S from A to D";
        } else if (arg == "--values") {
            if (ParseSlotPrefix(value, ':', slot, rest) && ParseNumber(rest, number)) {
                o.valueSlot = slot;
                o.valueRate = number;
            } else
                error = "--values wants S:RATE with S from A to D";
        } else if (arg == "--latency") {
            if (ParseNumber(value, number))
                o.config.latencyMs = number;
            else
                error = "--latency wants milliseconds";
        } else if (arg == "--flash")
            o.flashFolder = value;
        else if (arg == "--faults")
            o.faultScript = value;
        else if (arg == "--log")
            o.logFile = value;
        else if (arg == "--name")
            o.portName = value;
        else if (arg == "--api") {
            if (value == "alsa" || value == "jack")
                o.api = value;
            else
                error = "unknown MIDI system: " + value;
        } else
            error = "unknown option: " + arg;
    }
    return error.empty();
}

} // namespace sim
