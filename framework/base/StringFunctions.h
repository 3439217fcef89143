#pragma once

#include <cstddef>
#include <cstdint>

// Functions on zero-terminated byte strings (UTF-8 text). Positions are
// 0-based byte offsets; a search that finds nothing answers false. Where a
// function writes into a caller's buffer it is told the buffer's capacity
// (terminator included) and never passes it; a text cut to fit is cut at a
// character boundary.
namespace NSHarrowen {

constexpr int32_t kNotFound = 666;

// The first position of pattern in text; false (and position 666) when
// there is none or the pattern is longer than the text.
bool FindSubstring(const char* text, const char* pattern, int32_t& position);
// Removes the first n bytes (all of them when the text is shorter).
void RemoveLeadingChars(char* text, int32_t n);
// Inserts at position (the end when beyond it) as much of insert as the
// buffer holds; returns the length inserted.
int32_t InsertString(char* text, size_t capacity, int32_t position, const char* insert);
// How many bytes of the text occur in the set.
uint16_t CountCharsInSet(const char* text, const char* set);
// Copies source up to the first byte that occurs in the set.
void CopyUntilCharInSet(const char* source, char* destination, size_t capacity, const char* set);
// The first position of c in text.
bool FindChar(const char* text, char c, int32_t& position);
// Copies at most n bytes and terminates; n below 1 gives an empty string.
// The destination holds at least n + 1 bytes.
void CopyStringBounded(char* destination, const char* source, int32_t n);
// Whether c occurs in set (the terminator never does).
bool FindCharInString(char c, const char* set);
void ReplaceCharsInSet(char* text, const char* set, char replacement);
// Equal once both are changed to upper case.
bool EqualsIgnoreCase(const char* a, const char* b);
// Removes the first byte that is not in the set, and stops.
void RemoveCharsNotInSet(char* text, const char* set);
// Cuts the trailing bytes that occur in the set.
void TrimTrailingCharsInSet(char* text, const char* set);

// Skips blanks and commas, then any run of '+' and '-' (each '-' turns the
// sign), then reads the decimal digits that follow. False, with value left
// alone, when no digit follows. A number beyond 32 bits gives the nearest
// 32-bit value. end is the position after the last digit.
bool ParseInt(const char* text, int32_t& value);
bool ParseIntAt(const char* text, int32_t& value, int32_t& end);

} // namespace NSHarrowen
