// The similarity score of a glyph to an entry, shared by matching at a
// glyph's own size and at other sizes: each compared pixel scores +1 when it
// equals the entry's pixel, or the one to its left or right; a real miss
// costs a penalty that doubles up to 16 and is reset by an exact hit.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>

#include "ocr/glyph.h"

namespace capter {

inline int64_t ScoreSimilarity(int64_t score, int64_t area) {
  return score * 1000 / area;
}

// Similarity in thousandths of the glyph whose row y is `glyphRow(y)` to the
// entry whose row y is `entryRow(y)` (both asked for in order, and only as
// far as the score still can reach `sensibility`; below it, a value below
// `sensibility` is returned).
template <class GlyphRowAt, class EntryRow>
int ScoreRowsAt(GlyphRowAt glyphRow, int glyphWidth, int glyphHeight, EntryRow entryRow,
                int entryWidth, int entryHeight, int sensibility) {
  const int64_t minW = std::min(glyphWidth, entryWidth);
  const int64_t maxW = std::max(glyphWidth, entryWidth);
  const int64_t minH = std::min(glyphHeight, entryHeight);
  const int64_t maxH = std::max(glyphHeight, entryHeight);
  const int64_t area = maxW * maxH;
  if (area == 0) return 0;
  // The area only one of the two shapes covers starts as four fifths credit.
  int64_t score = ((maxW - minW) * minH + (maxH - minH) * maxW) * 4 / 5;

  // Only the glyph's 45 x 45 pixels exist; a size past that (a damaged
  // file) counts in the area terms only.
  const int cols = static_cast<int>(std::min<int64_t>(minW, kGlyphSize));
  const int rows = static_cast<int>(std::min<int64_t>(minH, kGlyphSize));
  if (cols == 0) return static_cast<int>(ScoreSimilarity(score, area));
  const GlyphRow mask = (GlyphRow{1} << cols) - 1;
  const GlyphRow notFirst = mask & ~GlyphRow{1};
  const GlyphRow notLast = mask & ~(GlyphRow{1} << (cols - 1));

  int64_t penalty = 1;
  for (int y = 0; y < rows; ++y) {
    const GlyphRow g = glyphRow(y);
    const GlyphRow e = entryRow(y);
    // A pixel counts as a hit when it equals the entry's pixel in the same
    // column, or failing that the one to its left or right.
    const GlyphRow exact = ~(g ^ e) & mask;
    const GlyphRow hits = exact | (~(g ^ (e << 1)) & notFirst) | (~(g ^ (e >> 1)) & notLast);
    GlyphRow misses = mask & ~hits;
    score += std::popcount(hits);
    // Exact hits reset the penalty, neighbour hits leave it, and every real
    // miss costs the penalty, which then doubles up to 16; it carries over
    // from row to row.
    GlyphRow laterExact = exact;
    while (misses != 0) {
      const int x = std::countr_zero(misses);
      const GlyphRow before = (GlyphRow{1} << x) - 1;
      if (laterExact & before) penalty = 1;
      laterExact &= ~(before | (GlyphRow{1} << x));
      score -= penalty;
      if (penalty < 16) penalty *= 2;
      misses &= misses - 1;
    }
    if (laterExact != 0) penalty = 1;
    const int64_t best = score + static_cast<int64_t>(rows - 1 - y) * cols;
    if (ScoreSimilarity(best, area) < sensibility)
      return static_cast<int>(ScoreSimilarity(best, area));
  }
  return static_cast<int>(ScoreSimilarity(score, area));
}

// The same for a glyph given as rows.
template <class EntryRow>
int ScoreRows(const GlyphRows& glyphRows, int glyphWidth, int glyphHeight, EntryRow entryRow,
              int entryWidth, int entryHeight, int sensibility) {
  return ScoreRowsAt([&glyphRows](int y) { return glyphRows[y]; }, glyphWidth, glyphHeight,
                     entryRow, entryWidth, entryHeight, sensibility);
}

}  // namespace capter
