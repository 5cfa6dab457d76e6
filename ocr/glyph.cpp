#include "ocr/glyph.h"

namespace capter {

namespace {

// Byte values with their bit order reversed: band bytes hold the leftmost
// pixel in their most significant bit, rows hold it in bit 0.
constexpr std::array<uint8_t, 256> MakeReversed() {
  std::array<uint8_t, 256> table{};
  for (int i = 0; i < 256; ++i) {
    int r = 0;
    for (int bit = 0; bit < 8; ++bit) {
      if (i & (1 << bit)) r |= 0x80 >> bit;
    }
    table[i] = static_cast<uint8_t>(r);
  }
  return table;
}

constexpr std::array<uint8_t, 256> kReversed = MakeReversed();

}  // namespace

GlyphRow Glyph::Row(int y) const {
  GlyphRow row = 0;
  for (int band = 0; band < kGlyphBands; ++band) {
    row |= static_cast<GlyphRow>(kReversed[Bits[band * kGlyphSize + y]]) << (8 * band);
  }
  return row;
}

void Glyph::FillRows(GlyphRows& rows) const {
  for (int y = 0; y < kGlyphSize; ++y) rows[y] = Row(y);
}

}  // namespace capter
