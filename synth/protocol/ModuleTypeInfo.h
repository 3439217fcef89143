#pragma once

#include <array>
#include <cstdint>

// What the protocol needs to know of the module types: how many parameters a
// type has and the highest value of each (which fixes its field width in a
// parameter dump). The module catalogue implements it; the application
// installs it before any molecule is read.
class CModuleTypeInfoInterface {
public:
    virtual ~CModuleTypeInfoInterface() = default;
    virtual bool HasType(uint8_t typeId) const = 0;
    // Both limited to 127.
    virtual uint8_t GetParamCount(uint8_t typeId) const = 0;
    virtual uint8_t GetParamMax(uint8_t typeId, uint8_t paramIndex) const = 0;

    // More facts the patch model needs; an unknown type (or a source that
    // does not know them) answers 0 and false.
    // A new module's parameter value, limited to 127.
    virtual uint8_t GetParamDefault(uint8_t typeId, uint8_t paramIndex) const { return 0; }
    // Jacks are counted apart for inputs and outputs.
    virtual uint8_t GetJackCount(uint8_t typeId, bool output) const { return 0; }
    // The signal kind of a jack: logic 0, audio 1, control 2, slave 3.
    virtual bool GetJackKind(uint8_t typeId, bool output, uint8_t jackIndex, uint8_t& kind) const { return false; }
    // How many custom values a module's entry in a custom data dump carries.
    virtual uint8_t GetCustomValueCount(uint8_t typeId) const { return 0; }
    // The type's DSP load record, ten 16-bit words in stored order.
    virtual bool GetLoadWords(uint8_t typeId, std::array<uint16_t, 10>& words) const { return false; }
};

// The colour index a new cable takes from the signal kind of its jack:
// logic 2, audio 0, control 1, slave 3.
uint8_t CableColourOfSignalKind(uint8_t kind);

void SetModuleTypeInfo(const CModuleTypeInfoInterface* info);
// Null until installed.
const CModuleTypeInfoInterface* GetModuleTypeInfo();
