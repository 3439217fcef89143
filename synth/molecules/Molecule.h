#pragma once

#include "synth/protocol/JackAddress.h"

#include <cstdint>

class CMIDIInStream;
class CMIDIOutStream;
class CMoleculePacket;
// The patch document's apply operations (one per molecule that changes a
// patch) and the patch file's section writers. Both are declared with the
// molecules in this library and implemented by the patch layer, so that
// nothing here depends on it.
class CPatchApplyInterface;
class CPatchFileWriterInterface;
// The synthesizer object's handlers of the molecules sent to it, declared
// with the molecules and implemented by the synthesizer object.
class CSynthHandlerInterface;

// One message of the synthesizer protocol: a one-byte id followed by
// bit-packed fields. Write starts with CMIDIOutStream::WriteMoleculeHeader,
// Read with CMIDIInStream::ReadMoleculeId; a molecule must read exactly the
// bytes its sender wrote, as nothing in a frame says where it ends.
class CMolecule {
public:
    CMolecule() = default;
    CMolecule(const CMolecule&) = default;
    CMolecule& operator=(const CMolecule&) = default;
    virtual ~CMolecule() = default;

    virtual void Write(CMIDIOutStream& stream) const { }
    virtual void Read(CMIDIInStream& stream) { }
    virtual void ApplyToPatch(CPatchApplyInterface& patch) const { }
    virtual void Handle(CSynthHandlerInterface& synth, CMoleculePacket& packet) const { }
    virtual void WriteToPatchFile(CPatchFileWriterInterface& writer) const { }
    // True for the molecules after which the synthesizer object stops
    // handling the rest of a packet.
    virtual bool AnnouncesPatch() const { return false; }
};

// Fields shared by the cable molecules.
class CMCableABC : public CMolecule {
public:
    uint8_t area = 0; // voice area: 1 poly, 0 common
    JackAddress end1;
    JackAddress end2;
    uint8_t colour = 0; // 0-6

protected:
    CMCableABC() = default;
    CMCableABC(uint8_t areaIndex, JackAddress first, JackAddress second, uint8_t cableColour)
        : area(areaIndex), end1(first), end2(second), colour(cableColour)
    { }
};

// Fields shared by the molecules about one module.
class CMModuleMoleculeABC : public CMolecule {
public:
    uint8_t area = 0;   // voice area: 1 poly, 0 common
    uint8_t module = 0; // module index, 0 = none

protected:
    CMModuleMoleculeABC() = default;
    CMModuleMoleculeABC(uint8_t areaIndex, uint8_t moduleIndex) : area(areaIndex), module(moduleIndex) { }
};
