#include "platform/base/TextCharacters.h"

#include <array>
#include <cstdint>

namespace platform {

namespace {

// Windows-1252 characters 0x80..0x9F as Unicode; the rest map to themselves.
constexpr std::array<uint16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t FromCp1252(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte;
}

// The length of the valid UTF-8 sequence at pos, 0 when there is none.
size_t SequenceLength(std::string_view text, size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80)
        return 1;
    const size_t length = lead >= 0xC2 && lead <= 0xDF ? 2
        : lead >= 0xE0 && lead <= 0xEF                 ? 3
        : lead >= 0xF0 && lead <= 0xF4                 ? 4
                                                       : 0;
    if (length == 0 || pos + length > text.size())
        return 0;
    for (size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80)
            return 0;
    const auto second = static_cast<unsigned char>(text[pos + 1]);
    // Overlong forms, surrogates and values above U+10FFFF are not UTF-8.
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second >= 0x90))
        return 0;
    return length;
}

} // namespace

char32_t DecodeCharacter(std::string_view text, size_t& pos)
{
    const size_t length = SequenceLength(text, pos);
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (length <= 1) {
        ++pos;
        return length == 1 ? lead : FromCp1252(lead);
    }
    char32_t c = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i)
        c = (c << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3F);
    pos += length;
    return c;
}

size_t NextCharacter(std::string_view text, size_t pos)
{
    if (pos >= text.size())
        return text.size();
    const size_t length = SequenceLength(text, pos);
    return pos + (length == 0 ? 1 : length);
}

size_t PreviousCharacter(std::string_view text, size_t pos)
{
    pos = pos > text.size() ? text.size() : pos;
    if (pos == 0)
        return 0;
    // The longest character that ends exactly at pos.
    for (size_t back = pos < 4 ? pos : 4; back > 0; --back)
        if (NextCharacter(text, pos - back) == pos)
            return pos - back;
    return pos - 1;
}

std::string EncodeCharacter(char32_t c)
{
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        if (c >= 0xD800 && c < 0xE000)
            return {};
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x110000) {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

} // namespace platform
