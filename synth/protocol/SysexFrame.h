#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// The System Exclusive frame every message of the link travels in:
//   F0, manufacturer id, flags, family 0x06, number, payload, [checksum], F7
namespace SysexFrame {
inline constexpr uint8_t kStart = 0xF0;
inline constexpr uint8_t kEnd = 0xF7;
inline constexpr uint8_t kFamily = 0x06;
inline constexpr uint32_t kHeaderLength = 5; // the payload starts at byte 5
inline constexpr uint32_t kOverhead = 6;     // header and F7
inline constexpr uint8_t kSlotMask = 0x03;
inline constexpr uint8_t kFlagFirst = 0x04;
inline constexpr uint8_t kFlagLast = 0x08;
inline constexpr uint8_t kFlagChecksum = 0x10;
inline constexpr uint8_t kFlagPacked = 0x20;
inline constexpr uint8_t kFlagEditor = 0x40; // always set in byte 2
inline constexpr uint8_t kNoNumber = 0x40;   // in byte 4: the low six bits are a count
inline constexpr uint8_t kNumberMask = 0x3F;
inline constexpr uint8_t kEndOfMolecules = 0x7F;
inline constexpr uint8_t kSynthError = 0x7E;
inline constexpr uint8_t kStatesFrameId = 0x39;
inline constexpr uint8_t kValuesFrameId = 0x3A;
// Payload bytes per frame when a message is cut into several.
inline constexpr uint32_t kMaxChunk = 166;
// The number byte counts molecules in six bits.
inline constexpr uint32_t kMaxCount = 63;
} // namespace SysexFrame

// What the send queues ask of one frame.
struct CSysexFrameSpec {
    const uint8_t* payload = nullptr;
    uint32_t length = 0;
    uint8_t slot = 0;   // 0-3
    uint8_t number = 0; // session number
    uint8_t count = 0;  // molecule count, sent when noNumber
    bool noChecksum = false;
    bool expectsAnswer = false; // carried for the queues, not used here
    bool packed = false;
    bool first = false;
    bool last = false;
    bool noNumber = true;
};

// One built frame, ready to be sent as it stands.
class CSysexFrame {
public:
    CSysexFrame(uint32_t capacity, bool noChecksum) : buffer_(capacity), noChecksum_(noChecksum) { }

    const uint8_t* GetBytes() const { return buffer_.data(); }
    uint8_t* GetBuffer() { return buffer_.data(); }
    uint32_t GetLength() const { return length_; }
    uint32_t GetCapacity() const { return static_cast<uint32_t>(buffer_.size()); }
    bool HasNoChecksum() const { return noChecksum_; }
    std::span<const uint8_t> View() const { return {buffer_.data(), length_}; }
    void SetLength(uint32_t length) { length_ = length; }

private:
    std::vector<uint8_t> buffer_;
    bool noChecksum_;
    uint32_t length_ = 0;
};

// Bytes a packed payload of `length` bytes takes: ceil(8 * length / 7).
uint32_t PackedSysexLength(uint32_t length);
// Packs the payload into 7-bit groups, most significant bit first; returns
// the packed length.
uint32_t PackSysexBits(const uint8_t* input, uint32_t length, uint8_t* output);
// Joins the 7-bit groups of `packedLength` bytes back into bytes; returns
// floor(7 * packedLength / 8).
uint32_t UnpackSysexBits(const uint8_t* input, uint32_t packedLength, uint8_t* output);

// True when a payload byte has bit 7 set: it could not travel unpacked, as
// it would end the SysEx message on the wire.
bool NeedsPacking(const uint8_t* payload, uint32_t length);
// Room a frame needs.
uint32_t SysexFrameCapacity(uint32_t length, bool packed, bool checksum);
// The checksum of the first `length` bytes of a frame.
uint8_t SysexChecksum(const uint8_t* bytes, uint32_t length);

// Writes a whole frame into `output` and returns its length. The payload is
// packed when asked to or when it needs packing; `output` must hold
// SysexFrameCapacity of the packing used (the packed capacity is always
// enough). Throws XMStreamOverflow when it does not.
uint32_t BuildSysexFrame(const uint8_t* payload, uint32_t length, std::span<uint8_t> output, bool packed, bool checksum,
                         bool first, bool last, uint8_t slot, uint8_t number, bool noNumber);

// The length DecodeSysexFrame gives for a frame: header, unpacked payload
// and one spare byte; the payload ends one byte before it.
uint32_t DecodedSysexLength(std::span<const uint8_t> frame);
// Undoes the framing into `output` (the checksum is not tested here). Byte 2
// keeps only the slot bits. Returns false, writing nothing, when `output` is
// shorter than DecodedSysexLength.
bool DecodeSysexFrame(std::span<const uint8_t> frame, std::span<uint8_t> output, uint32_t& decodedLength);

std::unique_ptr<CSysexFrame> MakeRawSysexFrame(const CSysexFrameSpec& spec);

// Cuts a message of molecules written end to end into frames of at most
// 166 payload bytes. `moleculeEnds` holds, in order, the offset just past
// each molecule's last byte. Without a session number each frame counts
// the molecules that end in it, and a frame is closed after the 63rd so
// that the count fits its six bits. First goes on the first frame, last on
// the one that ends the message; the rest comes from `base`.
std::vector<std::unique_ptr<CSysexFrame>> MakeSysexFrames(const CSysexFrameSpec& base,
                                                          std::span<const uint32_t> moleculeEnds);

// The editor's version, sent in its identify frame.
struct CEditorVersion {
    uint8_t major = 3;
    uint8_t minor = 0;
    uint8_t sub = 3;
};
inline constexpr CEditorVersion kEditorVersion{};

// The identify ping: F0, manufacturer id, 00 06 00, major, minor * 10 + sub, F7.
std::array<uint8_t, 8> MakeIdentifyFrame(const CEditorVersion& version = kEditorVersion);
