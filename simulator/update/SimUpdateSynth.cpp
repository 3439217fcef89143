#include "simulator/update/SimUpdateSynth.h"

#include <algorithm>
#include <numeric>

namespace sim {

namespace {

constexpr uint8_t kIdentify = 0x00;
constexpr uint8_t kHeader = 0x70;
constexpr uint8_t kPacket = 0x71;
constexpr uint8_t kEnd = 0x73;
constexpr uint8_t kFail = 0x7E;
constexpr uint8_t kAck = 0x7F;
constexpr size_t kHeaderSize = 19;
constexpr size_t kPacketSize = 134;
constexpr size_t kEndSize = 11;
constexpr size_t kPacketPayload = 112;

Bytes Verdict(uint8_t kind)
{
    return {0xF0, kManufacturerId, 0x00, kFamily, kind, 0xF7};
}

Bytes OtherMakerMessage()
{
    return {0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7};
}

Bytes OversizedMessage()
{
    Bytes message(600, 0x11);
    message.front() = 0xF0;
    message[1] = kManufacturerId;
    message.back() = 0xF7;
    return message;
}

} // namespace

uint32_t UnpackUpdateWord(const uint8_t* packed)
{
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value = value << 8 | static_cast<uint32_t>(packed[1 + i] << 1 | (packed[0] >> i & 1));
    return value;
}

void CSimUpdateSynth::Receive(const uint8_t* data, size_t size, uint64_t nowMs)
{
    for (size_t i = 0; i < size; ++i) {
        const uint8_t byte = data[i];
        if (byte == 0xF0) {
            if (inMessage_)
                Error("a message began before the last one ended");
            gathering_.assign(1, byte);
            inMessage_ = true;
        } else if (inMessage_) {
            gathering_.push_back(byte);
            if (byte == 0xF7) {
                inMessage_ = false;
                cable_.Follow(config_.lossy);
                Bytes arrived = gathering_;
                if (cable_.ToSynth(arrived) != CSimLossyCable::Fate::Dropped)
                    Handle(arrived, nowMs);
            }
        }
    }
}

std::vector<SimUpdateOutput> CSimUpdateSynth::TakeDue(uint64_t nowMs)
{
    std::vector<SimUpdateOutput> due;
    const auto split = std::stable_partition(output_.begin(), output_.end(),
                                             [&](const SimUpdateOutput& o) { return o.dueMs <= nowMs; });
    due.assign(output_.begin(), split);
    output_.erase(output_.begin(), split);
    return due;
}

void CSimUpdateSynth::Error(std::string text)
{
    errors_.push_back(std::move(text));
}

void CSimUpdateSynth::Handle(const Bytes& m, uint64_t nowMs)
{
    if (m.size() < 6 || m[1] != kManufacturerId || m[2] != 0x7F) {
        Error("a message the synthesizer does not know");
        return;
    }
    switch (m[4]) {
    case kIdentify:
        if (m.size() != 8)
            Error("identify request of " + std::to_string(m.size()) + " bytes");
        HandleIdentify(nowMs);
        break;
    case kHeader:
        HandleHeader(m, nowMs);
        break;
    case kPacket:
        HandlePacket(m, nowMs);
        break;
    case kEnd:
        HandleEnd(m, nowMs);
        break;
    default:
        Error("a message of unknown kind");
        break;
    }
}

void CSimUpdateSynth::Answer(Bytes message, uint64_t dueMs, bool split)
{
    cable_.Follow(config_.lossy);
    if (cable_.FromSynth(message) == CSimLossyCable::Fate::Dropped)
        return;
    Bytes first;
    if (faults_.otherMaker)
        output_.push_back({dueMs, OtherMakerMessage()});
    if (faults_.oversizedFirst)
        first = OversizedMessage();
    if (faults_.twoInOneBlock)
        first = OtherMakerMessage();
    if (split) {
        const size_t half = message.size() / 2;
        first.insert(first.end(), message.begin(), message.begin() + static_cast<std::ptrdiff_t>(half));
        output_.push_back({dueMs, first});
        output_.push_back({dueMs, Bytes(message.begin() + static_cast<std::ptrdiff_t>(half), message.end())});
        return;
    }
    first.insert(first.end(), message.begin(), message.end());
    output_.push_back({dueMs, first});
}

void CSimUpdateSynth::HandleIdentify(uint64_t nowMs)
{
    ++identifyCount_;
    if (faults_.silent)
        return;
    Bytes reply{0xF0,
                kManufacturerId,
                0x00,
                config_.replyFamily,
                faults_.replyKind,
                config_.version[0],
                config_.version[1],
                static_cast<uint8_t>(config_.updateMode ? 0x7F : 0x00),
                0x00,
                0x00,
                config_.modelByte,
                config_.version[2]};
    // Lengths other than 13 keep the first bytes and end with F7.
    const size_t body = config_.replyLength > 0 ? config_.replyLength - 1 : 0;
    reply.resize(body, 0x00);
    reply.push_back(0xF7);
    Answer(std::move(reply), nowMs, faults_.splitReply);
}

void CSimUpdateSynth::HandleHeader(const Bytes& m, uint64_t nowMs)
{
    if (m.size() != kHeaderSize) {
        Error("dump header of " + std::to_string(m.size()) + " bytes");
        return;
    }
    const unsigned sum = std::accumulate(m.begin() + 5, m.begin() + 17, 0u);
    if ((sum & 0x7F) != m[17])
        Error("dump header checksum");
    if (UnpackUpdateWord(&m[5]) != 0x00300020)
        Error("dump header word");
    headerReceived_ = true;
    announcedLength_ = UnpackUpdateWord(&m[10]);
    announcedVersion_ = {m[15], m[16]};
    payload_.clear();
    packetCount_ = 0;
    endReceived_ = false;
}

void CSimUpdateSynth::HandlePacket(const Bytes& m, uint64_t nowMs)
{
    if (!headerReceived_)
        Error("a data packet before the header");
    if (m.size() != kPacketSize) {
        Error("data packet of " + std::to_string(m.size()) + " bytes");
        return;
    }
    if (packetCount_ > 0) {
        const uint64_t gap = nowMs - lastPacketMs_;
        if (packetCount_ == 1 || gap < shortestGapMs_)
            shortestGapMs_ = gap;
        if (gap < config_.minimumGapMs)
            Error("packet " + std::to_string(packetCount_) + " came " + std::to_string(gap) + " ms after the last");
    }
    lastPacketMs_ = nowMs;
    Bytes data;
    for (size_t group = 0; group < 16; ++group) {
        const uint8_t* g = &m[5 + group * 8];
        for (int i = 0; i < 7; ++i)
            data.push_back(static_cast<uint8_t>(g[1 + i] << 1 | (g[0] >> i & 1)));
    }
    const size_t room = announcedLength_ > payload_.size() ? announcedLength_ - payload_.size() : 0;
    if (room == 0)
        Error("a data packet after the announced length");
    payload_.insert(payload_.end(), data.begin(),
                    data.begin() + static_cast<std::ptrdiff_t>(std::min(room, kPacketPayload)));
    if (packetCount_ == faults_.earlyAckAfterPacket)
        Answer(Verdict(kAck), nowMs);
    ++packetCount_;
}

void CSimUpdateSynth::HandleEnd(const Bytes& m, uint64_t nowMs)
{
    if (m.size() != kEndSize) {
        Error("dump end of " + std::to_string(m.size()) + " bytes");
        return;
    }
    endReceived_ = true;
    const uint32_t sum = std::accumulate(payload_.begin(), payload_.end(), uint32_t{0});
    bool good = headerReceived_ && payload_.size() == announcedLength_;
    if (!good)
        Error("the dump ended after " + std::to_string(payload_.size()) + " of " + std::to_string(announcedLength_) +
              " bytes");
    if (UnpackUpdateWord(&m[5]) != sum) {
        Error("payload sum");
        good = false;
    }
    if (faults_.noVerdict)
        return;
    Answer(Verdict(good && !faults_.refuse ? kAck : kFail), nowMs + faults_.verdictDelayMs);
}

} // namespace sim
