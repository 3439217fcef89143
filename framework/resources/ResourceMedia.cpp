#include "framework/resources/ResourceMedia.h"

#include "framework/resources/ResourceModule.h"

namespace NSHarrowen {

std::unique_ptr<CMemoryMedia> LoadMedia(std::string_view type, int32_t id)
{
    return std::make_unique<CMemoryMedia>(LoadResource(type, id));
}

} // namespace NSHarrowen
