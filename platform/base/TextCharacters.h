#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Texts are UTF-8. Bytes that are not valid UTF-8 (texts of files and of the
// synthesizer are kept byte for byte) stand for Windows-1252 characters, one
// byte each. These walk a text by whole characters.
namespace platform {

// The character at pos and the position after it (pos < text.size()).
char32_t DecodeCharacter(std::string_view text, size_t& pos);
// The start of the character after or before pos (clamped to the text).
size_t NextCharacter(std::string_view text, size_t pos);
size_t PreviousCharacter(std::string_view text, size_t pos);
// The UTF-8 bytes of a character.
std::string EncodeCharacter(char32_t character);

} // namespace platform
