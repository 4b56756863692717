#pragma once
// Helpers for the single-byte (Latin-1) texts of the settings files.

#include <string>
#include <string_view>

namespace vexilor {

// Equal when the texts differ at most in the letter case of A to Z.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// UTF-8 to single-byte text: U+0000 to U+00FF become the byte of that number,
// any other character becomes '?', and so does each byte that starts no
// well-formed UTF-8 sequence.
std::string Utf8ToSingleByte(std::string_view utf8);

}  // namespace vexilor
