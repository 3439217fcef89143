#pragma once

#include <cstdint>
#include <span>

class CMoleculePacket;
class CMoleculeRegistry;

// Room for one decoded frame: header, payload and one spare byte.
inline constexpr uint32_t kDecodeBufferSize = 7160;
// The most a received molecule may span from its id on.
inline constexpr uint32_t kMaxReceivedMolecule = 7159;

// The receive dispatcher: turns a received frame into molecules appended to
// `packet`, and sets the packet's slot, session number and (when it was
// empty) target. Throws XMUnregisteredMolecule for an id without a builder,
// XMHostMidi when the synthesizer reports an error, XMStreamOverflow when a
// molecule reads past the payload or the frame does not fit the decode
// buffer. Molecules read before a failure stay in the packet.
void DecodePacket(std::span<const uint8_t> frame, CMoleculePacket& packet, const CMoleculeRegistry& registry);
// The same with the application's registry.
void DecodePacket(std::span<const uint8_t> frame, CMoleculePacket& packet);
