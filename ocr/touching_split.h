// Reading an unknown box as two or three known characters that touch or
// share columns: the box is cut where every part matches a matrix entry.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "ocr/character_matrix.h"
#include "ocr/line_table.h"
#include "ocr/ocr_settings.h"
#include "ocr/slant_match.h"
#include "stream/picture.h"

namespace capter {

struct SplitPart {
  CharBox box;         // the part trimmed to its own pixels
  uint8_t length = 0;  // bytes of its entry's text
};

struct SplitReading {
  std::string text;                 // the parts' texts side by side
  int similarity = 0;               // of the part that matches worst, in thousandths
  int parts = 0;                    // 1 to 3; 0 when no reading works
  std::array<SplitPart, 3> part{};  // the first `parts`, left to right
};

// Tries every cut of `box` (marked with `mark` in `bitmap`, on `line`) into
// two parts, and failing that three, each part trimmed to its own pixels
// and matched against entries that have a text. A cut runs down a column
// or between the box's 4-connected pieces (letters sharing columns without
// touching). A part must reach a similarity halfway between Sensibility and
// 1000, as the halves of one letter ("m" as "rn") pass at Sensibility
// alone. The reading whose worst part matches best wins. Only parts at
// least MinCharWidth wide are tried. Failing any cut, a box whose pixels
// but a small piece above them and reaching past their side (a
// neighbour's accent) match an entry reads as that entry. Given `slants`
// (the reader of the other slant for `line`), one part of a cut may also
// read as an entry of the other slant, from the same similarity: a letter
// known only in italic touching an upright one.
SplitReading ReadTouchingCharacters(const Picture24& bitmap, const TextLine& line,
                                    const CharBox& box, Colour mark, const CharacterMatrix& matrix,
                                    const OcrSettings& settings, SlantReader* slants = nullptr);

}  // namespace capter
