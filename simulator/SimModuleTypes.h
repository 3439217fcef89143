#pragma once

#include <cstdint>
#include <map>
#include <vector>

namespace sim {

// What the simulator needs of the module types: how many parameters a type
// has and the highest value of each, which fix the field widths of a
// parameter dump.
class CSimModuleTypes {
public:
    virtual ~CSimModuleTypes() = default;
    virtual bool HasType(uint8_t typeId) const = 0;
    virtual uint8_t ParamCount(uint8_t typeId) const = 0;
    virtual uint8_t ParamMax(uint8_t typeId, uint8_t paramIndex) const = 0;
};

// The fewest bits that hold `max` (1 for 0 and 1, 7 from 64 up).
unsigned BitsForMax(unsigned max);

// A table of types given by their maxima; tests and the program's fallback.
class CSimTypeTable : public CSimModuleTypes {
public:
    void Add(uint8_t typeId, std::vector<uint8_t> maxima) { types_[typeId] = std::move(maxima); }
    bool HasType(uint8_t typeId) const override { return types_.count(typeId) != 0; }
    uint8_t ParamCount(uint8_t typeId) const override;
    uint8_t ParamMax(uint8_t typeId, uint8_t paramIndex) const override;

private:
    std::map<uint8_t, std::vector<uint8_t>> types_;
};

} // namespace sim
