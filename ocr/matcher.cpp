#include "ocr/matcher.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstdlib>

namespace capter {

namespace {

int64_t Similarity(int64_t score, int64_t area) {
  return score * 1000 / area;
}

bool SizePasses(const EntrySize& entry, const Glyph& glyph, const CharBox& box,
                const OcrSettings& settings) {
  return std::abs(entry.width - static_cast<int>(box.Width)) <= settings.MaxCharDiffWidth &&
         std::abs(entry.height - static_cast<int>(box.Height)) <= settings.MaxCharDiffHeight &&
         std::abs(entry.topOffset - static_cast<int>(glyph.TopOffset)) <= settings.MaxCharDiffTop;
}

}  // namespace

Glyph ExtractGlyph(const Picture24& bitmap, const CharBox& box, Colour mark) {
  Glyph glyph;
  glyph.Width = static_cast<uint8_t>(std::min<int>(box.Width, kGlyphSize));
  glyph.Height = static_cast<uint8_t>(std::min<int>(box.Height, kGlyphSize));
  glyph.TopOffset = box.TopOffset;
  const uint8_t b = BlueOf(mark), g = GreenOf(mark), r = RedOf(mark);
  for (int y = 0; y < glyph.Height; ++y) {
    const uint8_t* p = bitmap.Row(box.Top + y) + 3 * box.Left;
    for (int x = 0; x < glyph.Width; ++x, p += 3) {
      if (p[0] == b && p[1] == g && p[2] == r) glyph.SetPixel(x, y, true);
    }
  }
  return glyph;
}

int GlyphSimilarity(const GlyphRows& glyphRows, const CharBox& box, const CharacterMatrix& matrix,
                    size_t number, int sensibility) {
  const EntrySize& entry = matrix.Size(number);
  const GlyphRows& entryRows = matrix.Rows(number);
  const int64_t minW = std::min<int>(box.Width, entry.width);
  const int64_t maxW = std::max<int>(box.Width, entry.width);
  const int64_t minH = std::min<int>(box.Height, entry.height);
  const int64_t maxH = std::max<int>(box.Height, entry.height);
  const int64_t area = maxW * maxH;
  if (area == 0) return 0;
  // The area only one of the two shapes covers starts as four fifths credit.
  int64_t score = ((maxW - minW) * minH + (maxH - minH) * maxW) * 4 / 5;

  // Only the glyph's 45 x 45 pixels exist; a size past that (a damaged
  // file) counts in the area terms only.
  const int cols = static_cast<int>(std::min<int64_t>(minW, kGlyphSize));
  const int rows = static_cast<int>(std::min<int64_t>(minH, kGlyphSize));
  if (cols == 0) return static_cast<int>(Similarity(score, area));
  const GlyphRow mask = (GlyphRow{1} << cols) - 1;
  const GlyphRow notFirst = mask & ~GlyphRow{1};
  const GlyphRow notLast = mask & ~(GlyphRow{1} << (cols - 1));

  int64_t penalty = 1;
  for (int y = 0; y < rows; ++y) {
    const GlyphRow g = glyphRows[y];
    const GlyphRow e = entryRows[y];
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
    if (Similarity(best, area) < sensibility) return static_cast<int>(Similarity(best, area));
  }
  return static_cast<int>(Similarity(score, area));
}

EntryMatch BestEntry(const Glyph& glyph, const CharBox& box, const CharacterMatrix& matrix,
                     const OcrSettings& settings, int floor) {
  EntryMatch best;
  const size_t count = matrix.Count();
  if (count == 0) return best;
  GlyphRows rows;
  glyph.FillRows(rows);
  // Each candidate must beat the best so far, so the similarity can stop
  // as soon as it falls short of that.
  int needed = floor;
  for (size_t n = 1; n <= count; ++n) {
    if (!SizePasses(matrix.Size(n), glyph, box, settings)) continue;
    const int similarity = GlyphSimilarity(rows, box, matrix, n, needed);
    if (similarity < needed) continue;
    best = {n, similarity};
    needed = similarity + 1;
  }
  return best;
}

size_t MatchGlyph(const Glyph& glyph, const CharBox& box, const CharacterMatrix& matrix,
                  const OcrSettings& settings) {
  if (settings.BestMatch)
    return BestEntry(glyph, box, matrix, settings, settings.Sensibility).number;
  const size_t count = matrix.Count();
  if (count == 0) return 0;
  GlyphRows rows;
  glyph.FillRows(rows);
  for (size_t n = 1; n <= count; ++n) {
    if (!SizePasses(matrix.Size(n), glyph, box, settings)) continue;
    if (GlyphSimilarity(rows, box, matrix, n, settings.Sensibility) >= settings.Sensibility) {
      return n;
    }
  }
  return 0;
}

}  // namespace capter
