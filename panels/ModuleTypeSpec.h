#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

// The compiled-in description of one module type: what its builder holds.
// Every module type's tables live in modules/ as constant data of these
// shapes; the builder (CBuildModule) reads them.

using ParamTextFunction = std::string (*)(uint8_t value);
using ParamTextDualFunction = std::string (*)(uint8_t value, uint8_t second);

// Which value-text function shows a parameter: none, one of its own value,
// or one of its own value and a second parameter's value.
struct ParamTextSpec {
    ParamTextFunction single = nullptr;
    ParamTextDualFunction dual = nullptr;
    uint8_t second = 0;

    constexpr ParamTextSpec() = default;
    constexpr ParamTextSpec(ParamTextFunction function) : single(function) {}
    constexpr ParamTextSpec(ParamTextDualFunction function, uint8_t secondParam)
        : dual(function), second(secondParam)
    {
    }
};

// One row of a type's parameter table. The maximum is the parameter's step
// count; it fixes the field width of the parameter in a parameter dump.
struct ParamSpec {
    const char* name; // at most 10 characters
    uint8_t max;
    uint8_t defaultValue;
    ParamTextSpec text;
    bool morphable;

    constexpr ParamSpec(const char* paramName, uint8_t maximum, uint8_t defaultVal, ParamTextSpec valueText = {},
                        bool canMorph = true)
        : name(paramName), max(maximum), defaultValue(defaultVal), text(valueText), morphable(canMorph)
    {
    }
};

enum class JackDirection : uint8_t { Input = 0, Output = 1 };

// The kind of signal a jack carries; a new cable takes its colour from it.
enum class SignalKind : uint8_t { Logic = 0, Audio = 1, Control = 2, Slave = 3 };

// A jack in construction order; inputs and outputs are numbered apart.
struct JackSpec {
    JackDirection direction;
    SignalKind kind;
    int16_t x;
    int16_t y;
};

// The type's use of the synthesizer's DSP resources: ten 16-bit words.
struct ModuleLoadRecord {
    std::array<uint16_t, 10> words{};

    constexpr uint16_t Cycles() const { return words[0]; }
    constexpr uint16_t QuarterCycles() const { return words[1]; }
    constexpr uint8_t OutputListCapacity() const { return static_cast<uint8_t>(words[2] & 0xFF); }
    constexpr uint8_t CustomValueCount() const { return static_cast<uint8_t>(words[2] >> 8); }
    constexpr uint32_t XMemory() const { return uint32_t{words[3]} + words[6]; }
    constexpr uint32_t YMemory() const { return uint32_t{words[4]} + words[7]; }
    constexpr uint32_t ProgramMemory() const { return uint32_t{words[5]} + words[8]; }
    constexpr uint16_t DynamicMemory() const { return words[9]; }
    // The cycle load of this record alone, in per cent.
    constexpr double LoadPercent() const { return (Cycles() + QuarterCycles() / 4.0) * 100.0 / 787.0; }
    // The 20 stored bytes, little-endian.
    std::array<uint8_t, 20> ToBytes() const;
};

struct ModuleTypeSpec {
    uint8_t typeId;
    const char* shortName;
    const char* longName;
    uint16_t faceJpeg; // JPEG resource of the face picture
    uint8_t height;    // grid units
    ModuleLoadRecord load;
    std::span<const ParamSpec> params;
    std::span<const uint8_t> order; // keyboard focus order, a permutation of the indices
    std::span<const JackSpec> jacks;
};
