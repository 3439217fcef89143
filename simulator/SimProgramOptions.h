#pragma once

#include <string>
#include <utility>
#include <vector>

#include "simulator/SimState.h"

namespace sim {

// The command line of simsynthd.
struct SimProgramOptions {
    SimConfig config;
    std::vector<std::pair<int, std::string>> slotFiles; // slot 0-3, patch file
    std::string flashFolder;
    std::string faultScript;
    std::string logFile; // "-" for standard output
    std::string portName = "simsynth";
    std::string api; // "alsa", "jack" or empty for the programs' own choice
    int valueSlot = -1;
    unsigned valueRate = 0;
    bool help = false;
    // The synthesizer in its update state, waiting for a new operating system.
    bool osUpdate = false;
    size_t replyLength = 13; // its version reply: 11, 12 or 13 bytes
    std::string payloadFile; // where a received operating system is written
};

extern const char* const kSimProgramUsage;

// False with `error` set when an argument is not understood.
bool ParseProgramOptions(const std::vector<std::string>& args, SimProgramOptions& options, std::string& error);

} // namespace sim
