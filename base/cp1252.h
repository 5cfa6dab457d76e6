// Windows-1252, the code page of every text the program stores, and its
// conversion to and from Unicode at the widget boundary. The five bytes the
// code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// controls of the same value, so every byte string survives a round trip.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace capter {

// The Unicode code point of a Windows-1252 byte.
char32_t Cp1252ToUnicode(uint8_t byte);

// The Windows-1252 byte of a code point, or `fallback` when the code page has
// none.
uint8_t UnicodeToCp1252(char32_t codePoint, uint8_t fallback = '?');

// Windows-1252 bytes to UTF-8.
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1252 bytes; characters outside the code page and
// malformed UTF-8 sequences become '?'.
std::string Utf8ToCp1252(std::string_view utf8);

// Letter case folded to lower case within Windows-1252 (ASCII and the
// accented letters), for names matched without regard to case.
uint8_t FoldCase1252(uint8_t byte);
bool EqualsIgnoreCase1252(std::string_view a, std::string_view b);

}  // namespace capter
