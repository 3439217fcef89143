#pragma once

#include "framework/files/MemoryMedia.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace NSHarrowen {

// A copy of a program resource as a memory media positioned at 0, owned by
// the caller. A resource that is not found throws XBase.
std::unique_ptr<CMemoryMedia> LoadMedia(std::string_view type, int32_t id);

} // namespace NSHarrowen
