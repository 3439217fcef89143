#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace sim {

using Bytes = std::vector<uint8_t>;

constexpr uint8_t kManufacturerId = 0x7D;
constexpr uint8_t kFamily = 0x06;

// Bits of the flags byte (byte 2).
constexpr uint8_t kFlagBase = 0x40;
constexpr uint8_t kFlagFirst = 0x04;
constexpr uint8_t kFlagLast = 0x08; // from the synthesizer: this frame answers
constexpr uint8_t kFlagChecksum = 0x10;
constexpr uint8_t kFlagPacked = 0x20;
constexpr uint8_t kNoNumber = 0x40; // in byte 4: a molecule count follows

constexpr uint8_t kEndOfMolecules = 0x7F;
constexpr uint8_t kSynthError = 0x7E;

// The payload seen as one bit stream cut into 7-bit groups, and back.
Bytes Pack7(const Bytes& plain);
Bytes Unpack7(const uint8_t* packed, size_t size);

// Sum of the bytes, low seven bits.
uint8_t FrameChecksum(const uint8_t* bytes, size_t size);

// A frame as the simulator sends it: always with a checksum, packed when a
// payload byte needs bit 7. `flags` adds first/last bits to 0x40 | slot.
Bytes BuildFrame(uint8_t flags, uint8_t slot, uint8_t numberByte, const Bytes& payload);

// A frame without checksum and packing, for the unpacked frames that the
// editor sends for live edits (tests build them with it).
Bytes BuildLiveFrame(uint8_t slot, uint8_t numberByte, const Bytes& payload);

// One received protocol frame taken apart.
struct SimFrame {
    uint8_t flags = 0;
    uint8_t slot = 0;
    uint8_t numberByte = 0;
    bool hasChecksum = false;
    bool checksumOk = false;
    Bytes payload; // unpacked

    bool First() const { return flags & kFlagFirst; }
    bool Last() const { return flags & kFlagLast; }
};

// Null when the bytes are no protocol frame of ours.
std::optional<SimFrame> ParseFrame(const uint8_t* bytes, size_t size);

// The editor's identify ping: F0, id, 00, 06, 00, major, minor × 10 + sub, F7.
bool IsIdentifyPing(const uint8_t* bytes, size_t size);

} // namespace sim
