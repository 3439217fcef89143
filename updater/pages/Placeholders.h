#pragma once

#include <string>
#include <string_view>

namespace NSBootwren {

// Replaces every occurrence of the placeholder, searching again from the
// start after each replacement.
std::string ReplaceAll(std::string text, std::string_view placeholder, std::string_view value);

inline constexpr std::string_view kModelPlaceholder = "<<MODEL_STRING>>";
inline constexpr std::string_view kVersionPlaceholder = "<<VERSION_STRING>>";

} // namespace NSBootwren
