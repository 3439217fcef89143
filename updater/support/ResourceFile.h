#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace NSBootwren {

// The program's own resources as a source of typed data (the built-in update
// image is "DATA" 128).
class CResourceFile {
public:
    bool HasResource(std::string_view type, int32_t id) const;
    // Throws XBase when the resource is missing.
    size_t GetResourceSize(std::string_view type, int32_t id) const;
    // Copies at most `size` bytes; returns how many.
    size_t ReadResource(std::string_view type, int32_t id, uint8_t* buffer, size_t size) const;
};

} // namespace NSBootwren
