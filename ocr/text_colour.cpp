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

// The most frequent grey on the picture's edge: the background around the
// text, whatever its pixel count inside.
uint8_t EdgeBackground(const std::vector<uint8_t>& map, int w, int h) {
  std::array<uint64_t, 4> count{};
  const auto add = [&](int x, int y) {
    const uint8_t i = map[static_cast<size_t>(y) * w + x];
    if (i != kOther) ++count[i];
  };
  for (int x = 0; x < w; ++x) {
    add(x, 0);
    add(x, h - 1);
  }
  for (int y = 0; y < h; ++y) {
    add(0, y);
    add(w - 1, y);
  }
  return static_cast<uint8_t>(std::max_element(count.begin(), count.end()) - count.begin());
}

// Per grey: pixels, and pixels with a 4-neighbour of a grey in `outer`.
struct Contact {
  std::array<uint64_t, 4> count{};
  std::array<uint64_t, 4> touching{};
};

Contact Contacts(const std::vector<uint8_t>& map, int w, int h, unsigned outer) {
  Contact c;
  const auto is = [&](size_t j) { return map[j] != kOther && (outer & (1u << map[j])) != 0; };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const size_t k = static_cast<size_t>(y) * w + x;
      const uint8_t i = map[k];
      if (i == kOther) continue;
      const bool touches = (x > 0 && is(k - 1)) || (x < w - 1 && is(k + 1)) ||
                           (y > 0 && is(k - w)) || (y < h - 1 && is(k + w));
      ++c.count[i];
      c.touching[i] += touches ? 1 : 0;
    }
  }
  return c;
}

// Grey i of `c` touches the outer greys less, in proportion, than grey j.
bool LessExposed(const Contact& c, uint8_t i, uint8_t j) {
  return c.touching[i] * c.count[j] < c.touching[j] * c.count[i];
}

// The share of grey i's pixels in contact with the greys of `c`.
double ExposedShare(const Contact& c, uint8_t i) {
  return c.count[i] ? static_cast<double>(c.touching[i]) / static_cast<double>(c.count[i]) : 1;
}

// How much more exposed to the background than the least exposed grey the
// body may be: a fill and its antialias are both all but unexposed inside
// an outline.
constexpr double kExposureTolerance = 0.05;

}  // namespace

std::array<uint8_t, 4> DetectTextColourByLayers(const Picture24& bitmap,
                                                const std::array<Colour, 4>& greys) {
  const int w = bitmap.Width(), h = bitmap.Height();
  if (w == 0 || h == 0) return DetectTextColour(bitmap, greys);
  const std::vector<uint8_t> map = IndexMap(bitmap, greys);
  const uint8_t background = EdgeBackground(map, w, h);
  const Contact byBackground = Contacts(map, w, h, 1u << background);
  std::array<uint8_t, 4> others{};
  int n = 0;
  uint64_t largest = 0;
  for (uint8_t i = 0; i < 4; ++i) {
    if (i == background || byBackground.count[i] == 0) continue;
    others[n++] = i;
    largest = std::max(largest, byBackground.count[i]);
  }
  if (n == 0) return DetectTextColour(bitmap, greys);
  // The outer layer: the grey that lies against the background most.
  uint8_t outer = others[0];
  for (int k = 1; k < n; ++k) {
    if (LessExposed(byBackground, outer, others[k])) outer = others[k];
  }
  // The body: of the greys with a fair share of pixels, those about as
  // little in contact with the background as the least (under a drop
  // shadow the antialias leaves the fill a little exposed, the shadow much
  // more), and of them the one least in contact with the background and
  // the outer layer (an antialias between fill and outline touches both).
  const Contact byOuter = Contacts(map, w, h, (1u << background) | (1u << outer));
  const auto fair = [&](uint8_t i) {
    return (n == 1 || i != outer) && byOuter.count[i] * 4 >= largest;
  };
  double least = 1;
  for (int k = 0; k < n; ++k) {
    if (fair(others[k])) least = std::min(least, ExposedShare(byBackground, others[k]));
  }
  int body = -1;
  for (int k = 0; k < n; ++k) {
    const uint8_t i = others[k];
    if (!fair(i) || ExposedShare(byBackground, i) > least + kExposureTolerance) continue;
    if (body < 0 || LessExposed(byOuter, i, static_cast<uint8_t>(body))) body = i;
  }
  if (body < 0) body = outer;
  std::array<uint8_t, 4> order{background, static_cast<uint8_t>(body), 0, 0};
  int next = 2;
  for (uint8_t i : DetectTextColour(bitmap, greys)) {
    if (i != background && i != body) order[next++] = i;
  }
  return order;
}

std::array<uint8_t, 4> DetectTextColour(const Picture24& bitmap, const std::array<Colour, 4>& greys,
                                        const TextColourState& state) {
  return state.LayeredDetection ? DetectTextColourByLayers(bitmap, greys)
                                : DetectTextColour(bitmap, greys);
}

uint8_t ProposeExtraTextIndices(const Picture24& bitmap, const std::array<Colour, 4>& greys,
                                uint8_t text) {
  const int w = bitmap.Width(), h = bitmap.Height();
  if (w == 0 || h == 0) return 0;
  const std::vector<uint8_t> map = IndexMap(bitmap, greys);
  const uint8_t background = EdgeBackground(map, w, h);
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

void SelectTextBody(TextColourState& state, const Picture24& bitmap,
                    const std::array<Colour, 4>& greys, uint8_t index) {
  SelectTextColour(state, index, greys);
  if (state.ProposeExtraIndices && !bitmap.Empty()) {
    state.ExtraTextIndices = ProposeExtraTextIndices(bitmap, greys, index & 3);
  }
  SetExtraTextIndex(state, index, index, false);
}

void SetExtraTextIndex(TextColourState& state, uint8_t body, uint8_t index, bool on) {
  const auto bit = static_cast<uint8_t>(1u << (index & 3));
  if (on && (index & 3) != (body & 3)) {
    state.ExtraTextIndices |= bit;
  } else {
    state.ExtraTextIndices &= static_cast<uint8_t>(~bit);
  }
}

bool IsExtraTextIndex(const TextColourState& state, uint8_t index) {
  return (state.ExtraTextIndices >> (index & 3) & 1) != 0;
}

void RecolourTextPreview(const Picture24& bitmap, const std::array<Colour, 4>& greys, uint8_t index,
                         Picture24& out, uint8_t extraIndices) {
  const Colour white = MakeColour(255, 255, 255);
  const Colour extra = MakeColour(170, 170, 170);
  const Colour black = MakeColour(0, 0, 0);
  const Colour text = greys[index & 3];
  out.Resize(bitmap.Width(), bitmap.Height());
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      const Colour pixel = bitmap.Pixel(x, y);
      Colour shown = pixel == text ? white : black;
      for (uint8_t i = 0; i < 4 && shown == black && extraIndices != 0; ++i) {
        if ((extraIndices >> i & 1) != 0 && pixel == greys[i]) shown = extra;
      }
      out.SetPixel(x, y, shown);
    }
  }
}

}  // namespace capter
