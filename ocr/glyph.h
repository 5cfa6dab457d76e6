// The shape of one character: a 45 x 45 one-bit image held as 6 column bands
// of 45 bytes, with the character's size and its distance from the top of
// its text line.
#pragma once

#include <array>
#include <cstdint>

namespace capter {

inline constexpr int kGlyphSize = 45;
inline constexpr int kGlyphBands = 6;
inline constexpr int kGlyphBitBytes = kGlyphBands * kGlyphSize;  // 270

// One row of a glyph with pixel x in bit x.
using GlyphRow = uint64_t;
using GlyphRows = std::array<GlyphRow, kGlyphSize>;

struct Glyph {
  // Pixel (x, y) is bit 0x80 >> (x % 8) of byte (x / 8) * 45 + y; a set bit
  // is a text pixel. Bits outside Width x Height are zero.
  std::array<uint8_t, kGlyphBitBytes> Bits{};
  uint8_t TopOffset = 0;
  uint8_t Width = 0;   // 1..45
  uint8_t Height = 0;  // 1..45

  bool Pixel(int x, int y) const { return (Bits[ByteOf(x, y)] & MaskOf(x)) != 0; }
  void SetPixel(int x, int y, bool on) {
    if (on) {
      Bits[ByteOf(x, y)] |= MaskOf(x);
    } else {
      Bits[ByteOf(x, y)] &= static_cast<uint8_t>(~MaskOf(x));
    }
  }
  // Row y gathered from the six bands.
  GlyphRow Row(int y) const;
  void FillRows(GlyphRows& rows) const;

  friend bool operator==(const Glyph&, const Glyph&) = default;

 private:
  static int ByteOf(int x, int y) { return (x / 8) * kGlyphSize + y; }
  static uint8_t MaskOf(int x) { return static_cast<uint8_t>(0x80 >> (x % 8)); }
};

}  // namespace capter
