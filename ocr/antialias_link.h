// Where two neighbouring character boxes touch only through the antialias
// between fill and outline: a letter whose thin join is antialias grey
// (the second arch of an "m") falls apart there into two boxes.
#pragma once

#include <vector>

#include "ocr/line_table.h"
#include "ocr/text_greys.h"
#include "stream/picture.h"

namespace capter {

// A pixel of the cropped picture through which two pieces join.
struct JoinPixel {
  int x = 0;
  int y = 0;
};

// Whether box `a` (its pixels of colour `markA`) and box `b` (`markB`) of the
// marked picture are linked through pixels of the `antialias` greys within
// the two boxes' joint rectangle. An antialias pixel beside any other
// character's pixels takes no part, so a link never reaches a third letter.
// `link` gets the antialias pixels joined to `a` when they are linked.
bool FindAntialiasLink(const Picture24& marked, const TextGreys& antialias, const CharBox& a,
                       Colour markA, const CharBox& b, Colour markB, std::vector<JoinPixel>& link);

}  // namespace capter
