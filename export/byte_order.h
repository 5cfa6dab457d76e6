// Little-endian fields of binary files, written and read one by one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace capter {

inline void PutLe16(std::string& out, uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

inline void PutLe32(std::string& out, uint32_t value) {
  PutLe16(out, value & 0xFFFF);
  PutLe16(out, value >> 16);
}

// Reads from `bytes` at `at`; the caller has checked that the bytes exist.
inline uint32_t GetLe16(std::string_view bytes, size_t at) {
  return static_cast<uint8_t>(bytes[at]) |
         (static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 8);
}

inline uint32_t GetLe32(std::string_view bytes, size_t at) {
  return GetLe16(bytes, at) | (GetLe16(bytes, at + 2) << 16);
}

}  // namespace capter
