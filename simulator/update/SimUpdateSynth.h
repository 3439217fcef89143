#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "simulator/SimFrame.h"
#include "simulator/SimLossyCable.h"

namespace sim {

// How the synthesizer in its update state answers, and what goes wrong.
struct SimUpdateConfig {
    uint8_t modelByte = 2;                   // 0 or 1 Kandrel, 2 Pebix Kandrel
    std::array<uint8_t, 3> version{3, 0, 0}; // installed OS: major, minor, build
    size_t replyLength = 13;                 // 11, 12 or 13 bytes (any other length for faults)
    bool updateMode = true;                  // byte 7 of the reply is 7F only in update mode
    uint8_t replyFamily = kFamily;
    uint32_t minimumGapMs = 30; // packets closer than this are logged as errors
    // A bad cable between it and the updater, both ways.
    std::optional<SimLossRates> lossy;
};

struct SimUpdateFaults {
    bool silent = false;          // identify requests go unanswered
    bool noVerdict = false;       // the dump end goes unanswered
    bool refuse = false;          // the dump end is answered with 7E
    uint32_t verdictDelayMs = 0;  // the verdict comes this late
    int earlyAckAfterPacket = -1; // a 7F right after this packet (0 = the first)
    uint8_t replyKind = 0x01;     // byte 4 of the version reply
    bool otherMaker = false;      // another maker's message before each answer
    bool splitReply = false;      // the version reply in two blocks
    bool twoInOneBlock = false;   // another maker's message and the answer in one block
    bool oversizedFirst = false;  // a 600-byte message before the answer, in its block
};

// One block of bytes the synthesizer sends, when it falls due.
struct SimUpdateOutput {
    uint64_t dueMs = 0;
    Bytes bytes;
};

// The synthesizer in its update state, as the updater sees it: it answers
// identify requests with its version, takes the dump header, the data
// packets and the end, checks their lengths, checksums, pacing and the
// payload sum, and gives its verdict. Single-threaded: the caller
// serialises.
class CSimUpdateSynth {
public:
    explicit CSimUpdateSynth(const SimUpdateConfig& config = {}) : config_(config) { }

    // Changes to the cable count from the first message after them.
    SimUpdateConfig& Config() { return config_; }
    SimUpdateFaults& Faults() { return faults_; }

    // Bytes from the updater, in buffers of any cut, received at `nowMs`.
    void Receive(const uint8_t* data, size_t size, uint64_t nowMs);
    // The blocks due by `nowMs`, in order.
    std::vector<SimUpdateOutput> TakeDue(uint64_t nowMs);

    int IdentifyCount() const { return identifyCount_; }
    bool HeaderReceived() const { return headerReceived_; }
    uint32_t AnnouncedLength() const { return announcedLength_; }
    std::array<uint8_t, 2> AnnouncedVersion() const { return announcedVersion_; }
    const Bytes& Payload() const { return payload_; }
    int PacketCount() const { return packetCount_; }
    // The shortest time between two data packets, or 0 before the second.
    uint64_t ShortestGapMs() const { return shortestGapMs_; }
    bool EndReceived() const { return endReceived_; }
    // What broke the protocol (wrong lengths, checksums, pacing, sums).
    const std::vector<std::string>& Errors() const { return errors_; }
    // The bad cable's two directions, when the configuration has one.
    const CSimCable& Cable() const { return cable_; }

private:
    void Handle(const Bytes& message, uint64_t nowMs);
    void HandleIdentify(uint64_t nowMs);
    void HandleHeader(const Bytes& message, uint64_t nowMs);
    void HandlePacket(const Bytes& message, uint64_t nowMs);
    void HandleEnd(const Bytes& message, uint64_t nowMs);
    void Answer(Bytes message, uint64_t dueMs, bool split = false);
    void Error(std::string text);

    SimUpdateConfig config_;
    CSimCable cable_;
    SimUpdateFaults faults_;
    Bytes gathering_;
    bool inMessage_ = false;
    std::vector<SimUpdateOutput> output_;
    int identifyCount_ = 0;
    bool headerReceived_ = false;
    uint32_t announcedLength_ = 0;
    std::array<uint8_t, 2> announcedVersion_{};
    Bytes payload_;
    int packetCount_ = 0;
    uint64_t lastPacketMs_ = 0;
    uint64_t shortestGapMs_ = 0;
    bool endReceived_ = false;
    std::vector<std::string> errors_;
};

// The updater's 5-byte packing of a 32-bit word, undone.
uint32_t UnpackUpdateWord(const uint8_t* packed);

} // namespace sim
