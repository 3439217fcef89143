#pragma once

#include "synth/molecules/Molecule.h"
#include "synth/molecules/SimpleMolecules.h"

#include <cstdint>
#include <vector>

// Molecules that connect, delete and recolour cables, and the dump that
// carries a voice area's cables.

// removal: 1 when the cable belongs to an edit that removes modules.
class CMCableConnect : public CMCableABC {
public:
    static constexpr uint8_t kId = 0x50;

    CMCableConnect() = default;
    CMCableConnect(uint8_t area, JackAddress first, JackAddress second, uint8_t colour, uint32_t removalFlag)
        : CMCableABC(area, first, second, colour), removal(removalFlag)
    { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;

    uint32_t removal = 0;
};

class CMCableDelete : public CMCableABC {
public:
    static constexpr uint8_t kId = 0x51;

    CMCableDelete() = default;
    CMCableDelete(uint8_t area, JackAddress first, JackAddress second, uint32_t removalFlag)
        : CMCableABC(area, first, second, 0), removal(removalFlag)
    { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;

    uint32_t removal = 0;
};

class CMCableRecolor : public CMCableABC {
public:
    static constexpr uint8_t kId = 0x54;

    CMCableRecolor() = default;
    CMCableRecolor(uint8_t area, JackAddress first, JackAddress second, uint8_t newColour)
        : CMCableABC(area, first, second, newColour)
    { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;
};

class CMCableRequest : public TMAreaRequest<0x53> {
public:
    using TMAreaRequest::TMAreaRequest;
};

struct CCableDumpEntry {
    uint8_t colour = 0;
    JackAddress end1;
    JackAddress end2;
    bool operator==(const CCableDumpEntry&) const = default;
};

// The cables of one voice area. On the wire an output end always comes
// first, so a cable read back has its output as end 1.
class CMCableDump : public CMolecule {
public:
    static constexpr uint8_t kId = 0x52;
    // The count travels in one byte.
    static constexpr size_t kMaxCables = 255;

    explicit CMCableDump(uint8_t areaIndex = 1) : area_(areaIndex) { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;
    void WriteToPatchFile(CPatchFileWriterInterface& writer) const override;

    uint8_t GetArea() const { return area_; }
    // False (and nothing added) once the dump holds 255 cables: a larger
    // count cannot be sent.
    bool AddCable(uint8_t colour, JackAddress end1, JackAddress end2);
    const std::vector<CCableDumpEntry>& GetCables() const { return cables_; }

private:
    uint8_t area_;
    std::vector<CCableDumpEntry> cables_;
};
