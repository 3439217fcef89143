#include "updater/support/TextCopy.h"

namespace NSBootwren {

size_t CopyTextExpandingCR(std::string_view source, char* buffer, std::ptrdiff_t size)
{
    if (size <= 0)
        return 0;
    const size_t room = static_cast<size_t>(size) - 1;
    size_t out = 0;
    for (size_t in = 0; in < source.size() && source[in] != '\0' && out < room; ++in) {
        buffer[out++] = source[in];
        if (source[in] == '\r' && out < room)
            buffer[out++] = '\n';
    }
    buffer[out] = '\0';
    return out;
}

} // namespace NSBootwren
