#pragma once

#include "synth/protocol/JackAddress.h"
#include "synth/protocol/ProtocolErrors.h"

#include <cstdint>

class CMIDIInStream;
class CMIDIOutStream;
class CModuleTypeInfoInterface;

// Field helpers shared by the molecules.

// The longest name a molecule carries.
inline constexpr uint32_t kText16 = 16;

// A module type the catalogue does not know: nothing gives the count and the
// widths of its parameter values, so the frame cannot be read further (or a
// dump holding it cannot be written).
class XMUnknownModuleType : public XTorvanBase {
public:
    XMUnknownModuleType() : XTorvanBase("Unknown module type") { }
};

// The fewest bits that hold every value up to maxValue (1 to 7).
uint32_t ParamValueWidth(uint8_t maxValue);

// The module type facts installed by the application; throws
// XMUnknownModuleType when none are installed or the type is unknown.
const CModuleTypeInfoInterface& RequireModuleType(uint8_t typeId);

// A jack as one byte: the jack index, plus 0x40 for an output.
void WriteJackByte(CMIDIOutStream& stream, const JackAddress& jack);
// Module index and jack byte of one cable end.
void WriteCableEndBytes(CMIDIOutStream& stream, const JackAddress& jack);

// A morph range as two bytes, magnitude and sign (1 = negative).
void WriteMorphRange(CMIDIOutStream& stream, int32_t range);
int32_t ReadMorphRange(CMIDIInStream& stream);

// A byte area as readers take it: 0, 1 and 2 stay, anything else is 1.
uint8_t ReadAreaByte(CMIDIInStream& stream);
