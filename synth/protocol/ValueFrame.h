#pragma once

#include <cstdint>
#include <span>

class CParamValueBlock;

// The checks and storing that the MIDI input worker applies to what it
// receives, before anything reaches the main thread.

// The message is a frame of the link: at least 5 bytes, the manufacturer
// id in byte 1, family 0x06 in byte 3 and bit 0x40 in byte 2.
bool IsEditorFrame(std::span<const uint8_t> message);

// The message is our synthesizer's identify reply: at least 5 bytes, the
// manufacturer id in byte 1, byte 2 = 0, family 0x06 in byte 3 and byte
// 4 = 1. Other devices' identity replies (F0 7E ...) are not.
bool IsIdentifyReply(std::span<const uint8_t> message);

// An unpacked frame whose byte 5 is 0x39 (states) or 0x3A (values).
bool IsValueFrame(std::span<const uint8_t> frame);

// Flag 0x10 is set and the byte before the closing F7 is the sum of all
// bytes before it, ANDed with 0x7F.
bool HasValidChecksum(std::span<const uint8_t> frame);

// Stores the states (0x39: 2-bit entries, three to a byte) or values
// (0x3A: 14-bit entries, low seven bits first) of a value frame into the
// slot's block, from the first entry index in byte 6 on. Only the bytes
// before the checksum are read: a short frame stores what it holds.
void StoreValueFrame(std::span<const uint8_t> frame, CParamValueBlock& block);
