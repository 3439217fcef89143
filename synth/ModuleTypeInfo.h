#pragma once

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
};

void SetModuleTypeInfo(const CModuleTypeInfoInterface* info);
// Null until installed.
const CModuleTypeInfoInterface* GetModuleTypeInfo();
