// Letters with a mark above them: the dot of an "i" or a "j", an accent. A
// stem with its dot and a stem without one ("i" and "l", "j" and "J") are
// different letters however alike their strokes, so a box and an entry that
// differ in this never read as each other when compared loosely (at other
// sizes, or in the other slant). A marked box is also compared part by
// part: its body by pixels, its mark by the layout of its pieces, since a
// lean moves the mark sideways against the body and the gap between them
// may differ by a row.
#pragma once

#include <cstddef>

#include "ocr/character_matrix.h"
#include "ocr/glyph.h"

namespace capter {

// Where a glyph's mark above ends and its body starts; `markRows` is 0 when
// the glyph has no such mark.
struct MarkAbove {
  int markRows = 0;  // the mark: rows 0 .. markRows - 1
  int bodyTop = 0;   // the body: rows bodyTop .. the glyph's height - 1
};

// The mark above a glyph: its top rows of ink cut off from the rest by at
// least one empty row, no taller than a third of the glyph and lower than
// the rows a lean needs (a dot, an accent; not the upper bar of an "=" in
// large type, nor the top half of a letter broken in two).
MarkAbove MarkAboveOf(const GlyphRows& rows, int width, int height);

// Whether a glyph and entry `number` agree in having a mark above or not.
bool SameMarkKind(const GlyphRows& rows, int width, int height, const CharacterMatrix& matrix,
                  size_t number);

// `number` when the glyph and that entry agree in having a mark above or
// not, else 0 (also 0 for 0).
size_t KeepIfSameMarkKind(size_t number, const Glyph& glyph, const CharacterMatrix& matrix);

// The similarity of a marked glyph `rows` (`width` x `height`, its mark
// `mark`) to a marked entry: its body's, when the two bodies are of about one
// size (`maxWidthDiff`, `maxHeightDiff`) and the marks are one (as many
// pieces, of one size and ink within a pixel and a quarter, as far below
// or above the body within a pixel, and their middles as far from the
// body's middle within a pixel). Below `floor` when they are not alike, or
// the score stops there.
int MarkedSimilarity(const GlyphRows& rows, int width, int height, MarkAbove mark,
                     const GlyphRows& entryRows, int entryWidth, int entryHeight, int maxWidthDiff,
                     int maxHeightDiff, int floor);

// Whether a glyph and an entry both have a mark above and the marks are one
// (as for MarkedSimilarity: the pieces, the gap to the body and the middles),
// whatever their bodies.
bool SameMarkAbove(const GlyphRows& rows, int width, int height, const GlyphRows& entryRows,
                   int entryWidth, int entryHeight);

}  // namespace capter
