#pragma once

#include <cstdint>

// The alerts of the updater's start. Variable text (a model name) goes in as
// the "^0" argument.
namespace NSBootwren {

inline constexpr const char* kCorruptDataAlert = "[WARN]Update data is corrupt.[OK]";
inline constexpr const char* kCorruptFileAlert = "[WARN]Update file is corrupt.[OK]";
inline constexpr const char* kUnsupportedModelAlert = "[WARN]This Bootwren does not support ^0.[OK]";
inline constexpr const char* kOutOfMemoryAlert = "[WARN]Out of memory.[OK]";
// The about alert of the updater's own alert table (128, alert 1).
inline constexpr uint32_t kAboutAlert = 500128001;
// The framework's "file could not be found" alert.
inline constexpr uint32_t kFileNotFoundAlert = 501000002;

} // namespace NSBootwren
