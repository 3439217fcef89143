#include "framework/resources/ResourceText.h"

#include "framework/resources/TextTableCache.h"
#include "framework/base/Utf8.h"

#include <algorithm>
#include <cstring>

namespace NSHarrowen {

namespace {

const std::string& Lookup(const char* type, uint32_t id)
{
    static const std::string kNone;
    const CResourceId split = SplitResourceId(id);
    const CTextTable& table = CTextTableCache::Current().GetTable(type, split.resource);
    const std::string* text = table.Entry(split.entry);
    return text != nullptr ? *text : kNone;
}

void CopyOut(const std::string& text, char* buffer, size_t size)
{
    const size_t n = Utf8CutLength(text, std::min(size, CTextTable::kMaxTextLength));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

} // namespace

CResourceId SplitResourceId(uint32_t id)
{
    const uint32_t kind = id / 100000000u;
    const uint32_t rest = id - kind * 100000000u;
    return {static_cast<uint8_t>(kind), static_cast<uint16_t>(rest / 1000u), static_cast<uint16_t>(rest % 1000u)};
}

void GetResourceString(uint32_t id, char* buffer, size_t size)
{
    CopyOut(Lookup("SSTR", id), buffer, size);
}
void GetResourceAlert(uint32_t id, char* buffer, size_t size)
{
    CopyOut(Lookup("SALR", id), buffer, size);
}
void GetResourceMenu(uint32_t id, char* buffer, size_t size)
{
    CopyOut(Lookup("SMNU", id), buffer, size);
}

std::string GetResourceString(uint32_t id)
{
    return Lookup("SSTR", id);
}
std::string GetResourceAlert(uint32_t id)
{
    return Lookup("SALR", id);
}
std::string GetResourceMenu(uint32_t id)
{
    return Lookup("SMNU", id);
}

} // namespace NSHarrowen
