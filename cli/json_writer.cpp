#include "cli/json_writer.h"

#include <cstdint>
#include <cstdio>

namespace capter::cli {
namespace {

// Windows-1252 bytes 0x80..0x9F; 0 where the code page leaves a byte unused.
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::string Escape(unsigned codePoint) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "\\u%04x", codePoint);
  return buffer;
}

}  // namespace

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<uint8_t>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      out += Escape(byte);
    } else if (byte < 0x80) {
      out += c;
    } else if (byte < 0xA0) {
      const uint16_t mapped = kHighControls[byte - 0x80];
      out += Escape(mapped ? mapped : byte);
    } else {
      out += Escape(byte);
    }
  }
  return out + "\"";
}

}  // namespace capter::cli
