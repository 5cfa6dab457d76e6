// Lining up the text a person typed for a whole line with the line's
// character boxes: which unknown box shows which characters.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace capter {

// One box of the line, in reading order.
struct AlignedBox {
  bool known = false;  // matched, or read as touching known characters
  std::string text;    // the known box's reading (ignored when unknown)
  int width = 0;       // in pixels
  int height = 0;
};

// The characters each box of the line gets: the text for an unknown box
// the answer settles clearly, nothing for a known box and for every box
// left to be asked on its own.
using LineAssignment = std::vector<std::optional<std::string>>;

// Lines `answer` (spaces are dropped) up with `boxes` of a line
// `lineHeight` rows high. A known box must take exactly its own text; the
// unknown boxes between two known ones share the characters between. One
// character each when the counts agree; extra characters go to boxes as
// wide as those characters side by side (against the line's typical
// letter). Fewer characters than boxes (broken letters, specks), a known
// box whose text does not fit, a letter given to a box far lower than the
// line's letters (or a mark to a full-height box), or a reading that is not
// clearly better than every other leaves those boxes unassigned.
LineAssignment AlignLineAnswer(const std::vector<AlignedBox>& boxes, const std::string& answer,
                               int lineHeight);

}  // namespace capter
