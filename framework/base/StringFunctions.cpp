#include "framework/base/StringFunctions.h"

#include "framework/base/Utf8.h"

#include <cctype>
#include <cstring>
#include <limits>

namespace NSHarrowen {

bool FindSubstring(const char* text, const char* pattern, int32_t& position)
{
    position = kNotFound;
    if (std::strlen(pattern) > std::strlen(text))
        return false;
    const char* found = std::strstr(text, pattern);
    if (!found)
        return false;
    position = static_cast<int32_t>(found - text);
    return true;
}

void RemoveLeadingChars(char* text, int32_t n)
{
    if (n <= 0)
        return;
    const size_t length = std::strlen(text);
    const size_t cut = static_cast<size_t>(n) < length ? static_cast<size_t>(n) : length;
    std::memmove(text, text + cut, length - cut + 1);
}

int32_t InsertString(char* text, size_t capacity, int32_t position, const char* insert)
{
    const size_t length = std::strlen(text);
    if (capacity <= length + 1)
        return 0;
    const size_t at = position < 0 ? 0 : (static_cast<size_t>(position) < length ? position : length);
    const size_t wanted = std::strlen(insert);
    const size_t n = Utf8CutLength({insert, wanted}, capacity - 1 - length);
    std::memmove(text + at + n, text + at, length - at + 1);
    std::memcpy(text + at, insert, n);
    return static_cast<int32_t>(n);
}

uint16_t CountCharsInSet(const char* text, const char* set)
{
    uint16_t count = 0;
    for (; *text; ++text)
        if (FindCharInString(*text, set))
            ++count;
    return count;
}

void CopyUntilCharInSet(const char* source, char* destination, size_t capacity, const char* set)
{
    if (capacity == 0)
        return;
    size_t length = 0;
    while (source[length] && !FindCharInString(source[length], set))
        ++length;
    const size_t n = Utf8CutLength({source, length}, capacity - 1);
    std::memcpy(destination, source, n);
    destination[n] = '\0';
}

bool FindChar(const char* text, char c, int32_t& position)
{
    if (c == '\0')
        return false;
    const char* found = std::strchr(text, c);
    if (!found)
        return false;
    position = static_cast<int32_t>(found - text);
    return true;
}

void CopyStringBounded(char* destination, const char* source, int32_t n)
{
    if (n < 1) {
        destination[0] = '\0';
        return;
    }
    const size_t length = strnlen(source, static_cast<size_t>(n) + 1);
    const size_t count = Utf8CutLength({source, length}, static_cast<size_t>(n));
    std::memcpy(destination, source, count);
    destination[count] = '\0';
}

bool FindCharInString(char c, const char* set)
{
    return c != '\0' && std::strchr(set, c) != nullptr;
}

void ReplaceCharsInSet(char* text, const char* set, char replacement)
{
    for (; *text; ++text)
        if (FindCharInString(*text, set))
            *text = replacement;
}

bool EqualsIgnoreCase(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        if (std::toupper(static_cast<unsigned char>(*a)) != std::toupper(static_cast<unsigned char>(*b)))
            return false;
        if (*a == '\0')
            return true;
    }
}

void RemoveCharsNotInSet(char* text, const char* set)
{
    for (char* p = text; *p; ++p) {
        if (!FindCharInString(*p, set)) {
            std::memmove(p, p + 1, std::strlen(p + 1) + 1);
            return;
        }
    }
}

void TrimTrailingCharsInSet(char* text, const char* set)
{
    for (size_t n = std::strlen(text); n > 0 && FindCharInString(text[n - 1], set); --n)
        text[n - 1] = '\0';
}

bool ParseInt(const char* text, int32_t& value)
{
    int32_t end = 0;
    return ParseIntAt(text, value, end);
}

bool ParseIntAt(const char* text, int32_t& value, int32_t& end)
{
    const char* p = text;
    while (*p == ' ' || *p == ',')
        ++p;
    bool negative = false;
    for (; *p == '+' || *p == '-'; ++p)
        if (*p == '-')
            negative = !negative;
    if (!std::isdigit(static_cast<unsigned char>(*p)))
        return false;
    // Accumulated past the limit only as far as saturating needs.
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t number = 0;
    for (; std::isdigit(static_cast<unsigned char>(*p)); ++p)
        if (number <= kLimit)
            number = number * 10 + (*p - '0');
    if (negative)
        number = -number;
    if (number > std::numeric_limits<int32_t>::max())
        number = std::numeric_limits<int32_t>::max();
    if (number < std::numeric_limits<int32_t>::min())
        number = std::numeric_limits<int32_t>::min();
    value = static_cast<int32_t>(number);
    end = static_cast<int32_t>(p - text);
    return true;
}

} // namespace NSHarrowen
