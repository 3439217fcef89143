#pragma once

#include <cstdint>
#include <span>

// The module types' facts that fix the synthesizer's wire formats, as plain
// data: which types exist, how many parameters each has and the highest
// value of each. Generated at build time from the type tables in modules/,
// so that a program that needs only these facts (the simulated
// synthesizer) does not link the editor's libraries.
namespace moduletypes {

struct ModuleTypeFacts {
    uint8_t typeId;
    uint8_t paramCount;
    const uint8_t* paramMax; // paramCount values
};

// Every module type, in type id order.
std::span<const ModuleTypeFacts> AllModuleTypes();
// The facts of a type, or null when there is no such type.
const ModuleTypeFacts* FindModuleType(uint8_t typeId);

} // namespace moduletypes
