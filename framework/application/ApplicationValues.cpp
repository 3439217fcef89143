#include "framework/application/ApplicationValues.h"

#include "framework/base/Exceptions.h"
#include "platform/system/ConfigStore.h"

#include <algorithm>

namespace NSHarrowen {

bool ReadApplicationValue(std::string_view name, std::span<uint8_t> buffer, size_t& length)
{
    length = 0;
    const std::optional<std::vector<uint8_t>> value = platform::CConfigStore().Read(name);
    if (!value)
        return false;
    if (value->size() > buffer.size())
        throw XBase();
    std::copy(value->begin(), value->end(), buffer.begin());
    length = value->size();
    return true;
}

void WriteApplicationValue(std::string_view name, std::span<const uint8_t> bytes)
{
    if (!platform::CConfigStore().Write(name, bytes))
        throw XBase();
}

namespace {

void Put(uint8_t*& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        *out++ = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t Get(const uint8_t*& in)
{
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<uint32_t>(*in++) << (8 * i);
    return v;
}

} // namespace

std::array<uint8_t, CWindowPlacement::kSize> CWindowPlacement::ToBytes() const
{
    std::array<uint8_t, kSize> bytes{};
    uint8_t* out = bytes.data();
    for (const uint32_t v :
         {static_cast<uint32_t>(kSize), flags, showState, static_cast<uint32_t>(minX), static_cast<uint32_t>(minY),
          static_cast<uint32_t>(maxX), static_cast<uint32_t>(maxY), static_cast<uint32_t>(left),
          static_cast<uint32_t>(top), static_cast<uint32_t>(right), static_cast<uint32_t>(bottom)})
        Put(out, v);
    return bytes;
}

std::optional<CWindowPlacement> CWindowPlacement::FromBytes(std::span<const uint8_t> bytes)
{
    if (bytes.size() != kSize)
        return std::nullopt;
    const uint8_t* in = bytes.data();
    if (Get(in) != kSize)
        return std::nullopt;
    CWindowPlacement p;
    p.flags = Get(in);
    p.showState = Get(in);
    for (int32_t* field : {&p.minX, &p.minY, &p.maxX, &p.maxY, &p.left, &p.top, &p.right, &p.bottom})
        *field = static_cast<int32_t>(Get(in));
    return p;
}

bool ShouldRestorePlacement(int startShowCommand, const CWindowPlacement& stored)
{
    return startShowCommand == CWindowPlacement::kShowNormal &&
        (stored.showState == CWindowPlacement::kShowNormal || stored.showState == CWindowPlacement::kShowMaximized);
}

} // namespace NSHarrowen
