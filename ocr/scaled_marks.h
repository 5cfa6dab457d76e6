// Small marks at another size, scaled by a factor the rest of their line
// reads at. Full stops and colons: marks made only of solid dots have too
// few pixels to resample, so they are compared by their dots' sizes and
// places. Commas, apostrophes and single quotes: one small piece that is
// no dot, compared with the entry resampled and where it sits in its line.
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

// Whether `rows` (`width` x `height`) is a tick: one piece (its pixels
// joined in any of eight directions) that is no solid dot, like a comma,
// an apostrophe or a single quote.
bool OneTick(const GlyphRows& rows, int width, int height);

// A drawing of a small mark and its top offset in its line.
struct MarkDrawing {
  const GlyphRows* rows = nullptr;
  int width = 0;
  int height = 0;
  int top = 0;
};

// Whether the tick `box` is the tick `entry` drawn `factor` times as
// large: its width and height those of the entry times the factor, its top
// and bottom where the entry's come to in the line (a comma hangs at the
// baseline, an apostrophe at the top), each within a pixel plus a share or
// one of the entry's pixels scaled, and every pixel of either within a
// pixel of the other's ink once the entry is resampled to the box's size.
bool TickScales(const MarkDrawing& box, const MarkDrawing& entry, float factor);

}  // namespace capter
