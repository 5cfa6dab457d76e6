// The lines and character boxes that segmentation finds in one picture, and
// the two marking colours that tell neighbouring characters apart in it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "stream/picture.h"

namespace capter {

inline constexpr int kMaxTextLines = 10;
inline constexpr size_t kMaxCharsPerLine = 499;

// Neither a palette grey nor a possible text colour.
inline constexpr Colour kMarkA = MakeColour(0, 0, 254);
inline constexpr Colour kMarkB = MakeColour(0, 0, 253);

// The marking colour of the character at `index` (from 0) of a line: the
// first, third, ... characters carry mark A, the others mark B, so two
// neighbours never share a mark.
inline constexpr Colour MarkOf(size_t index) {
  return index % 2 == 0 ? kMarkA : kMarkB;
}

struct CharBox {
  uint16_t Left = 0;  // leftmost column of the box
  uint16_t Top = 0;   // topmost row
  uint16_t Width = 0;
  uint16_t Height = 0;
  uint8_t TopOffset = 0;  // Top minus the top row of the line
  uint8_t Italic = 0;     // set when the box sits tight against a neighbour

  int Right() const { return Left + Width - 1; }
  int Bottom() const { return Top + Height - 1; }
  friend bool operator==(const CharBox&, const CharBox&) = default;
};

struct TextLine {
  int top = 0;                 // first row of the line in the picture
  int bottom = 0;              // last row
  std::vector<CharBox> boxes;  // left to right in order of discovery
  // With automatic spaces: wordGaps[j] is the gap between character j and
  // the next as automatic spaces weigh it (see MeasureWordGaps). Empty
  // otherwise.
  std::vector<int> wordGaps;
};

// Rebuilt for every picture; the vectors keep their capacity, so a reused
// table stops allocating once it has held its largest picture.
struct LineTable {
  int count = 0;  // 0..kMaxTextLines
  std::array<TextLine, kMaxTextLines> lines;

  void Clear() {
    for (int i = 0; i < count; ++i) {
      lines[i].boxes.clear();
      lines[i].wordGaps.clear();
    }
    count = 0;
  }
};

}  // namespace capter
