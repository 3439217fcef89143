#pragma once

#include <cstddef>
#include <string_view>

namespace NSHarrowen {

// The longest prefix of text of at most max bytes that does not end inside a
// UTF-8 character: every fixed-length cut of a text goes through here.
constexpr size_t Utf8CutLength(std::string_view text, size_t max)
{
    if (text.size() <= max)
        return text.size();
    size_t n = max;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    return n;
}

// The length of text without a trailing, incomplete UTF-8 character (what a
// byte-counted cut may leave behind).
constexpr size_t Utf8CompleteLength(std::string_view text)
{
    size_t start = text.size();
    size_t back = 0;
    while (start > 0 && back < 4) {
        --start;
        ++back;
        const auto b = static_cast<unsigned char>(text[start]);
        if ((b & 0xC0) == 0x80)
            continue;
        const size_t need = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : 4;
        return back >= need ? text.size() : start;
    }
    return text.size();
}

} // namespace NSHarrowen
