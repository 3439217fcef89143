#pragma once

#include "synth/protocol/MIDIStream.h"
#include "synth/molecules/Molecule.h"

#include <cstdint>

// A molecule that is its id alone (requests and content-free commands).
template <uint8_t kMoleculeId, uint32_t kKind, uint32_t kFlag> class TMIdOnly : public CMolecule {
public:
    static constexpr uint8_t kId = kMoleculeId;

    void Write(CMIDIOutStream& stream) const override { stream.WriteMoleculeHeader(kId, kKind, kFlag); }
    void Read(CMIDIInStream& stream) override { stream.ReadMoleculeId(); }
};

// A request for one part of a voice area: the id and a byte area.
template <uint8_t kMoleculeId> class TMAreaRequest : public CMolecule {
public:
    static constexpr uint8_t kId = kMoleculeId;

    explicit TMAreaRequest(uint8_t areaIndex = 1) : area(areaIndex) { }

    void Write(CMIDIOutStream& stream) const override
    {
        stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindRequest, 1);
        stream.WriteAlignedByte(area);
    }
    void Read(CMIDIInStream& stream) override
    {
        stream.ReadMoleculeId();
        area = stream.ReadAlignedByte();
    }

    uint8_t area;
};
