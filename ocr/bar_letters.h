// Capital I and small l drawn as plain vertical bars: in many sans-serif
// subtitle fonts the two differ by a pixel of height, so the matched entry
// says little. Recognition notes where such a bar was read as I or l while
// it assembles a line, and decides the letter from its neighbours once the
// line is complete.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ocr/glyph.h"
#include "ocr/touching_split.h"
#include "stream/picture.h"

namespace capter {

// Whether a glyph is a plain bar: taller than wide, every row one run of
// set pixels, no empty row, and the runs' left and right edges each vary
// by at most one column. A serif, a foot or a slant makes it no bar.
bool IsPlainBar(const Glyph& glyph);

class BarLetters {
 public:
  // Forgets the positions noted for the previous line.
  void Clear() { positions_.clear(); }

  // Notes the text appended to `text` from `start` on for one box read as
  // a single entry: a lone I or l whose glyph is a plain bar.
  void NoteEntry(const std::string& text, size_t start, const Glyph& glyph);

  // The same for a box read as touching characters: each part read as a
  // lone I or l whose pixels (marked `mark` in `bitmap`) form a plain bar.
  void NoteSplit(const std::string& text, size_t start, const SplitReading& split,
                 const Picture24& bitmap, Colour mark);

  // Decides each noted letter of `line` from its neighbours by the rules
  // every language shares. `context` is the last character of the line
  // before in the same subtitle, or a full stop for its first line. A
  // letter before an apostrophe keeps its reading unless the rules make it
  // a capital I.
  void Decide(std::string& line, char context);

  const std::vector<size_t>& Positions() const { return positions_; }

 private:
  std::vector<size_t> positions_;  // ascending byte offsets in the line
  std::string read_;               // the line as read, while deciding
};

}  // namespace capter
