#include "ocr/text_colour.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace capter {

namespace {

struct IndexCount {
  uint8_t index;
  uint64_t count;
};

constexpr uint8_t kOther = 255;

// The palette index of every pixel (kOther for a colour outside the greys).
std::vector<uint8_t> IndexMap(const Picture24& bitmap, const std::array<Colour, 4>& greys) {
  std::vector<uint8_t> map(static_cast<size_t>(bitmap.Width()) * bitmap.Height(), kOther);
  size_t k = 0;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x, ++k) {
      const Colour c = bitmap.Pixel(x, y);
      for (uint8_t i = 0; i < 4; ++i) {
        if (c == greys[i]) {
          map[k] = i;
          break;
        }
      }
    }
  }
  return map;
}

// City-block distance of every pixel to the nearest `background` pixel (or
// to the picture's edge, which counts as background), in two passes.
std::vector<int> DepthMap(const std::vector<uint8_t>& map, int w, int h, uint8_t background) {
  std::vector<int> depth(map.size());
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const size_t k = static_cast<size_t>(y) * w + x;
      if (map[k] == background) {
        depth[k] = 0;
        continue;
      }
      const int up = y > 0 ? depth[k - w] : 0;
      const int left = x > 0 ? depth[k - 1] : 0;
      depth[k] = std::min(up, left) + 1;
    }
  }
  for (int y = h - 1; y >= 0; --y) {
    for (int x = w - 1; x >= 0; --x) {
      const size_t k = static_cast<size_t>(y) * w + x;
      const int down = y < h - 1 ? depth[k + w] : 0;
      const int right = x < w - 1 ? depth[k + 1] : 0;
      depth[k] = std::min(depth[k], std::min(down, right) + 1);
    }
  }
  return depth;
}

}  // namespace

std::array<uint8_t, 4> DetectTextColourByDepth(const Picture24& bitmap,
                                               const std::array<Colour, 4>& greys) {
  std::array<uint8_t, 4> order = DetectTextColour(bitmap, greys);
  const int w = bitmap.Width(), h = bitmap.Height();
  const std::vector<uint8_t> map = IndexMap(bitmap, greys);
  const std::vector<int> depth = DepthMap(map, w, h, order[0]);
  std::array<uint64_t, 4> sum{}, count{};
  for (size_t k = 0; k < map.size(); ++k) {
    if (map[k] == kOther) continue;
    sum[map[k]] += static_cast<uint64_t>(depth[k]);
    ++count[map[k]];
  }
  // Compare mean depths as sum_a * count_b > sum_b * count_a.
  int best = -1;
  for (int i = 1; i < 4; ++i) {
    const uint8_t index = order[i];
    if (count[index] == 0) continue;
    if (best < 0 || sum[index] * count[order[best]] > sum[order[best]] * count[index]) best = i;
  }
  if (best > 1) std::rotate(order.begin() + 1, order.begin() + best, order.begin() + best + 1);
  return order;
}

std::array<uint8_t, 4> DetectTextColour(const Picture24& bitmap, const std::array<Colour, 4>& greys,
                                        const TextColourState& state) {
  return state.LayeredDetection ? DetectTextColourByDepth(bitmap, greys)
                                : DetectTextColour(bitmap, greys);
}

uint8_t ProposeExtraTextIndices(const Picture24& bitmap, const std::array<Colour, 4>& greys,
                                uint8_t text) {
  const int w = bitmap.Width(), h = bitmap.Height();
  if (w == 0 || h == 0) return 0;
  const uint8_t background = DetectTextColour(bitmap, greys)[0];
  const std::vector<uint8_t> map = IndexMap(bitmap, greys);
  std::array<uint64_t, 4> count{}, nearText{}, nearBackground{};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const size_t k = static_cast<size_t>(y) * w + x;
      const uint8_t i = map[k];
      if (i == kOther || i == text || i == background) continue;
      bool touchesText = false, touchesBackground = false;
      const auto look = [&](size_t j) {
        touchesText |= map[j] == text;
        touchesBackground |= map[j] == background;
      };
      if (x > 0) look(k - 1);
      if (x < w - 1) look(k + 1);
      if (y > 0) look(k - w);
      if (y < h - 1) look(k + w);
      ++count[i];
      nearText[i] += touchesText;
      nearBackground[i] += touchesBackground;
    }
  }
  uint8_t mask = 0;
  for (uint8_t i = 0; i < 4; ++i) {
    if (count[i] == 0) continue;
    // Mostly beside the body, seldom beside the background.
    if (nearText[i] * 2 >= count[i] && nearBackground[i] * 5 <= count[i]) mask |= 1u << i;
  }
  return mask;
}

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
