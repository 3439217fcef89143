#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The System Exclusive messages between the updater and a synthesizer in
// its update state.
namespace NSBootwren {

inline constexpr uint8_t kManufacturerId = 0x7D;
// Byte 3 of the dump messages, whatever the model.
inline constexpr uint8_t kDumpFamily = 6;
// The fixed first word of every dump header.
inline constexpr uint32_t kDumpHeaderWord = 0x00300020;
// Payload bytes in one data packet: 16 groups of 7.
inline constexpr uint32_t kPacketPayload = 112;
inline constexpr size_t kPacketSize = 134;

// Message kinds, byte 4.
inline constexpr uint8_t kMessageVersionReply = 0x01;
inline constexpr uint8_t kMessageDumpHeader = 0x70;
inline constexpr uint8_t kMessageDataPacket = 0x71;
inline constexpr uint8_t kMessageDumpEnd = 0x73;
inline constexpr uint8_t kMessageFailure = 0x7E;
inline constexpr uint8_t kMessageAcknowledge = 0x7F;

using CSysexBytes = std::vector<uint8_t>;

// A 32-bit value as 5 seven-bit bytes: the four bytes, most significant
// first, shifted right by one, after a byte of their lowest bits (bit 0 for
// the first).
std::array<uint8_t, 5> Pack32(uint32_t value);
// 7 bytes as 8: a byte of their lowest bits (bit i for byte i), then each
// byte shifted right by one.
std::array<uint8_t, 8> Pack7(const uint8_t* bytes);

CSysexBytes MakeIdentifyRequest(uint8_t family);
// Checksum: the low 7 bits of the sum of the two packed words and the two
// version bytes.
CSysexBytes MakeDumpHeader(uint32_t payloadLength, uint8_t major, uint8_t minor);
// The next min(112, size - offset) payload bytes, zeros after the payload's end.
CSysexBytes MakeDataPacket(const uint8_t* payload, uint32_t size, uint32_t offset);
CSysexBytes MakeDumpEnd(uint32_t payloadSum);

} // namespace NSBootwren
