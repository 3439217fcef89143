#include "updater/pages/Placeholders.h"

namespace NSBootwren {

std::string ReplaceAll(std::string text, std::string_view placeholder, std::string_view value)
{
    // A value that holds the placeholder itself would never run out.
    if (placeholder.empty() || value.find(placeholder) != std::string_view::npos)
        return text;
    for (size_t at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder))
        text.replace(at, placeholder.size(), value);
    return text;
}

} // namespace NSBootwren
