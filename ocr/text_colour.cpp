#include "ocr/text_colour.h"

#include <utility>

namespace capter {

namespace {

struct IndexCount {
  uint8_t index;
  uint64_t count;
};

}  // namespace

std::array<uint8_t, 4> DetectTextColour(const Picture24& bitmap,
                                        const std::array<Colour, 4>& greys) {
  std::array<IndexCount, 4> counts{{{0, 0}, {1, 0}, {2, 0}, {3, 0}}};
  uint8_t first = 0;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      const Colour c = bitmap.Pixel(x, y);
      for (uint8_t i = 0; i < 4; ++i) {
        if (c != greys[i]) continue;
        ++counts[i].count;
        if (i != 0 && first == 0) first = i;
        break;
      }
    }
  }
  // Bubble sort, largest count first; swapping only on a strictly smaller
  // count keeps equal counts in index order.
  for (int pass = 0; pass < 3; ++pass) {
    for (int i = 0; i < 3 - pass; ++i) {
      if (counts[i].count < counts[i + 1].count) std::swap(counts[i], counts[i + 1]);
    }
  }
  // The first pixel met outside the background is usually the outline, not
  // the text body, so it is not proposed.
  if (first == counts[1].index) std::swap(counts[1], counts[2]);
  return {counts[0].index, counts[1].index, counts[2].index, counts[3].index};
}

std::optional<uint8_t> ProposeTextColour(const Picture24& bitmap,
                                         const std::array<Colour, 4>& greys) {
  if (bitmap.Empty()) return std::nullopt;
  return DetectTextColour(bitmap, greys)[1];
}

void SelectTextColour(TextColourState& state, uint8_t index, const std::array<Colour, 4>& greys) {
  state.TextColour = greys[index & 3];
}

void RecolourTextPreview(const Picture24& bitmap, const std::array<Colour, 4>& greys, uint8_t index,
                         Picture24& out) {
  const Colour white = MakeColour(255, 255, 255);
  const Colour black = MakeColour(0, 0, 0);
  const Colour text = greys[index & 3];
  out.Resize(bitmap.Width(), bitmap.Height());
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      out.SetPixel(x, y, bitmap.Pixel(x, y) == text ? white : black);
    }
  }
}

}  // namespace capter
