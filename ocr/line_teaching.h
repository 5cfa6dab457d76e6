// Teaching a whole line with one question: the line's unknown boxes are
// shown together, the person types the line, and the boxes the typed text
// settles are taught before the line is read as usual.
#pragma once

#include <functional>
#include <string>

#include "ocr/character_teacher.h"
#include "ocr/recogniser.h"

namespace capter {

struct LineQuestion {
  const Picture24& bitmap;  // cropped and marked
  const LineTable& table;
  int lineIndex;
  TimeCode start;
  // Where the picture's top-left pixel lies on the screen.
  int screenX = 0;
  int screenY = 0;
  // The proposal for unknown box `index` of the line.
  std::function<std::string(size_t index, const Glyph& glyph)> proposal;
  // The character before the line (the last of the line above, a full
  // stop for a subtitle's first line): the context plain bars are decided
  // in when the reading is shown.
  char before = '.';
};

// When the line holds boxes that are neither matched nor read as touching
// known characters, asks the teacher once for the whole line and adds every
// box the answer settles to the matrix (not when the matrix already reads
// the shape with that text, as a box of the same shape just taught).
// Returns the answer: Ok (also when nothing was asked, the answer was empty
// or a found matrix became current) means the line is read on as usual;
// any other status is the teacher's and ends the line.
TeachAnswer TeachWholeLine(const LineQuestion& question, const RecognitionContext& context);

}  // namespace capter
