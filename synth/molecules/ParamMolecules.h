#pragma once

#include "synth/molecules/Molecule.h"
#include "synth/protocol/ParamAddress.h"
#include "synth/molecules/SimpleMolecules.h"

#include <cstdint>
#include <vector>

// Molecules that change one parameter's value, morph range or custom data,
// and the parameter focus.

class CMParamChange : public CMolecule {
public:
    static constexpr uint8_t kId = 0x40;

    CMParamChange() = default;
    CMParamChange(uint8_t area, uint8_t module, uint8_t param, uint8_t newValue)
        : address{area, module, param}, value(newValue)
    { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;

    ParamAddress address{0, 0, 0};
    uint8_t value = 0;
};

// A morph range travels as magnitude and sign.
class CMMorphChange : public CMolecule {
public:
    static constexpr uint8_t kId = 0x43;

    CMMorphChange() = default;
    CMMorphChange(uint8_t area, uint8_t module, uint8_t param, int32_t newRange)
        : address{area, module, param}, range(newRange)
    { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;

    ParamAddress address{0, 0, 0};
    int32_t range = 0;
};

// The custom values of one module (at most 255 bytes travel).
class CMCustomData : public CMolecule {
public:
    static constexpr uint8_t kId = 0x42;

    CMCustomData() = default;
    CMCustomData(uint8_t areaIndex, uint8_t moduleIndex, std::vector<uint8_t> bytes)
        : area(areaIndex), module(moduleIndex), data(std::move(bytes))
    { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;

    uint8_t area = 0;
    uint8_t module = 0;
    std::vector<uint8_t> data;
};

class CMParamFocusRequest : public TMIdOnly<0x2E, CMIDIOutStream::kKindRequest, 1> { };

// Which parameter has the focus on the synthesizer. The editor always
// sends "no focus present" with its own focus.
class CMParamFocusDump : public CMolecule {
public:
    static constexpr uint8_t kId = 0x2F;

    CMParamFocusDump() = default;
    explicit CMParamFocusDump(ParamAddress focus) : address(focus) { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;

    bool present = false;
    ParamAddress address{0, 0, 0};
};
