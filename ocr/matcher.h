// Cutting a character's glyph out of the marked picture and finding the
// matrix entry it matches.
#pragma once

#include <cstddef>

#include "ocr/character_matrix.h"
#include "ocr/glyph.h"
#include "ocr/line_table.h"
#include "ocr/ocr_settings.h"
#include "stream/picture.h"

namespace capter {

// The glyph of `box`: at most its top-left 45 x 45 pixels, a bit set exactly
// where the picture has the colour `mark`.
Glyph ExtractGlyph(const Picture24& bitmap, const CharBox& box, Colour mark);

// Whether entry `entry` is of about the glyph's size: width, height and top
// offset within the settings' tolerances.
bool SizePasses(const EntrySize& entry, const Glyph& glyph, const CharBox& box,
                const OcrSettings& settings);

// Similarity in thousandths of a glyph (with its measured box) to entry
// `number`; assumes the pre-filter passed. Two identical glyphs of equal
// size score 1000. Stops early and returns a value below `sensibility` as
// soon as the entry can no longer reach it.
int GlyphSimilarity(const GlyphRows& glyphRows, const CharBox& box, const CharacterMatrix& matrix,
                    size_t number, int sensibility);

// The same score for two glyphs given as rows with their sizes: the first
// is read, the second is the entry it is compared with.
int RowsSimilarity(const GlyphRows& glyphRows, int glyphWidth, int glyphHeight,
                   const GlyphRows& entryRows, int entryWidth, int entryHeight, int sensibility);

// The first entry (1..N) whose size passes the tolerances and whose
// similarity reaches `Sensibility`; 0 when none does. With BestMatch, the
// passing entry of highest similarity (the lower number on a tie). Does not
// allocate.
size_t MatchGlyph(const Glyph& glyph, const CharBox& box, const CharacterMatrix& matrix,
                  const OcrSettings& settings);

struct EntryMatch {
  size_t number = 0;   // 1..N, 0 for none
  int similarity = 0;  // thousandths
};

// The entry of highest similarity of at least `floor` among those whose
// size passes the tolerances (lower number on a tie); number 0 when none.
EntryMatch BestEntry(const Glyph& glyph, const CharBox& box, const CharacterMatrix& matrix,
                     const OcrSettings& settings, int floor);

}  // namespace capter
