#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// What can go wrong with one answer frame.
enum class SimAnswerFault { Drop, Delay, Duplicate, Corrupt, Error };

struct SimAnswerFaultEntry {
    SimAnswerFault kind = SimAnswerFault::Drop;
    uint32_t delayMs = 0;  // Delay
    uint8_t errorCode = 3; // Error: the answer becomes 0x7E and this code
};

// How identify replies go wrong.
enum class SimIdentifyFault {
    None,
    NoReply,      // the ping goes unanswered
    Short,        // a reply of 10 bytes
    UnknownModel, // model byte 9
    OtherVersion, // the version bytes of the plan
    UpdateMode,   // byte 7 = 0x7F
};

// How frames of measured values go wrong.
enum class SimValueFault { None, BadChecksum, Truncated, IndexBeyondEnd };

// The faults a test or a fault script asks for. Answers are counted from 1 in
// the order they are made; identify replies are not answers here.
class CSimFaultPlan {
public:
    void AtAnswer(unsigned n, SimAnswerFaultEntry fault) { answers_[n] = fault; }
    std::optional<SimAnswerFaultEntry> TakeAnswerFault(unsigned n);

    SimIdentifyFault identify = SimIdentifyFault::None;
    std::array<uint8_t, 5> otherVersion{3, 12, 0, 0, 0};
    // After this many identify replies, the replies carry `changedVersion`
    // (a synthesizer whose system changed while connected). 0 = never.
    unsigned changeVersionAfter = 0;
    std::array<uint8_t, 5> changedVersion{3, 4, 0, 0, 0};

    // Output cut into buffers of these sizes, in turn; empty = one buffer per
    // message (or per take, with `coalesce`).
    std::vector<size_t> bufferSizes;
    bool coalesce = false;

    SimValueFault valueFault = SimValueFault::None;

    // One line of a fault script; false with `error` set when it is not
    // understood. Lines:
    //   drop N | duplicate N | corrupt N | delay N MS | error N CODE
    //   identify none|noreply|short|unknown-model|update-mode|version A B C D E
    //   version-change AFTER A B C D E
    //   buffers S1 S2 ... | coalesce | values bad-checksum|truncated|index-beyond
    bool ParseLine(const std::string& line, std::string& error);
    // A whole script; blank lines and lines starting with # are skipped.
    bool ParseScript(const std::string& text, std::string& error);

private:
    std::map<unsigned, SimAnswerFaultEntry> answers_;
};

} // namespace sim
