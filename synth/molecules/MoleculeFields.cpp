#include "synth/molecules/MoleculeFields.h"

#include "synth/protocol/MIDIStream.h"
#include "synth/protocol/ModuleTypeInfo.h"
#include "synth/protocol/TextFunctions.h"

#include <algorithm>
#include <cstdlib>

uint32_t ParamValueWidth(uint8_t maxValue)
{
    uint32_t bits = 1;
    while (bits < 7 && (maxValue >> bits) != 0)
        ++bits;
    return bits;
}

const CModuleTypeInfoInterface& RequireModuleType(uint8_t typeId)
{
    const CModuleTypeInfoInterface* info = GetModuleTypeInfo();
    if (info == nullptr || !info->HasType(typeId))
        throw XMUnknownModuleType();
    return *info;
}

void WriteJackByte(CMIDIOutStream& stream, const JackAddress& jack)
{
    stream.WriteAlignedByte(static_cast<uint8_t>((jack.jack & 0x3F) | (jack.IsOutput() ? 0x40 : 0)));
}

void WriteCableEndBytes(CMIDIOutStream& stream, const JackAddress& jack)
{
    stream.WriteAlignedByte(jack.module);
    WriteJackByte(stream, jack);
}

void WriteMorphRange(CMIDIOutStream& stream, int32_t range)
{
    stream.WriteAlignedByte(static_cast<uint8_t>(std::min(std::abs(range), 255)));
    stream.WriteAlignedByte(range < 0 ? 1 : 0);
}

int32_t ReadMorphRange(CMIDIInStream& stream)
{
    const int32_t magnitude = stream.ReadAlignedByte();
    return stream.ReadAlignedByte() != 0 ? -magnitude : magnitude;
}

uint8_t ReadAreaByte(CMIDIInStream& stream)
{
    return ToAreaIndex(stream.ReadAlignedByte());
}
