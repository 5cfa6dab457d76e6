// The set of greys that count as text in a picture: the chosen text colour,
// and with whole glyphs also the antialias greys that lie between the fill
// and the outline.
#pragma once

#include <array>
#include <cstdint>

#include "stream/picture.h"

namespace capter {

class TextGreys {
 public:
  TextGreys() = default;
  explicit TextGreys(Colour text) { Add(text); }

  void Add(Colour c) {
    for (int i = 0; i < count_; ++i) {
      if (colours_[i] == c) return;
    }
    if (count_ < 4) colours_[count_++] = c;
  }
  int Count() const { return count_; }
  Colour First() const { return colours_[0]; }

  // Whether the pixel at `bgr` (blue, green, red bytes) is text.
  bool Has(const uint8_t* bgr) const {
    for (int i = 0; i < count_; ++i) {
      const Colour c = colours_[i];
      if (bgr[0] == BlueOf(c) && bgr[1] == GreenOf(c) && bgr[2] == RedOf(c)) return true;
    }
    return false;
  }

 private:
  std::array<Colour, 4> colours_{};
  int count_ = 0;
};

// Shrinks `picture` to the smallest rectangle holding every text pixel and
// moves it to the top-left corner; `area` gets the rectangle in the
// picture's coordinates before trimming. False (nothing changed) when the
// picture holds no text pixel.
bool CropToTextGreys(Picture24& picture, const TextGreys& text, Rect& area);

}  // namespace capter
