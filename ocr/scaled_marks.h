// Full stops and colons at another size: marks made only of solid dots have
// too few pixels to resample, so they are compared by their dots' sizes and
// places, scaled by a factor the rest of their line reads at.
#pragma once

#include "ocr/slant_match.h"

namespace capter {

// Whether every piece of a small mark (SmallMarkPieces) is a solid dot: of
// two pixels or more, about as wide as high and at least four fifths inked.
// Ticks, commas and rings are not.
bool AllSolidDots(const MarkPieces& pieces, int count);

// Whether the solid dots of a box (`box`, `count` pieces, the box's top
// offset `boxTop`) are those of an entry (`entry`, `entryCount`, its top
// offset `entryTop`) drawn `factor` times as large: as many dots, each of
// the entry's width and height times the factor, and each ending on the
// row the entry's dot comes to. A dot of small type is rounded to whole
// pixels, so each size may stray by one of the entry's pixels scaled.
bool DotsScale(const MarkPieces& box, int count, int boxTop, const MarkPieces& entry,
               int entryCount, int entryTop, float factor);

}  // namespace capter
