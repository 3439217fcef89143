#include "patch/area/ModuleLoadCounters.h"

namespace {

constexpr size_t kZeroPage = 2;

uint16_t Wrap(size_t counter, uint32_t value)
{
    return static_cast<uint16_t>(counter == kZeroPage ? value & 0xFFu : value & 0xFFFFu);
}

} // namespace

ModuleLoadCounters ModuleLoadCounters::FromWords(const std::array<uint16_t, 10>& words)
{
    ModuleLoadCounters record;
    record.c = words;
    record.c[kZeroPage] = Wrap(kZeroPage, words[kZeroPage]);
    return record;
}

void ModuleLoadCounters::Add(const ModuleLoadCounters& other)
{
    for (size_t i = 0; i < c.size(); ++i)
        c[i] = Wrap(i, uint32_t{c[i]} + other.c[i]);
}

void ModuleLoadCounters::Subtract(const ModuleLoadCounters& other)
{
    for (size_t i = 0; i < c.size(); ++i)
        c[i] = Wrap(i, uint32_t{c[i]} - other.c[i]);
}
