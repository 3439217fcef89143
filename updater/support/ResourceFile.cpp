#include "updater/support/ResourceFile.h"

#include "framework/resources/ResourceModule.h"

#include <algorithm>

namespace NSBootwren {

bool CResourceFile::HasResource(std::string_view type, int32_t id) const
{
    return NSHarrowen::FindResource(type, id).has_value();
}

size_t CResourceFile::GetResourceSize(std::string_view type, int32_t id) const
{
    return NSHarrowen::LoadResource(type, id).size();
}

size_t CResourceFile::ReadResource(std::string_view type, int32_t id, uint8_t* buffer, size_t size) const
{
    const auto bytes = NSHarrowen::LoadResource(type, id);
    const size_t count = std::min(size, bytes.size());
    std::copy_n(bytes.begin(), count, buffer);
    return count;
}

} // namespace NSBootwren
