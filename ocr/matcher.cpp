#include "ocr/matcher.h"

#include "ocr/glyph_score.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace capter {

bool SizePasses(const EntrySize& entry, const Glyph& glyph, const CharBox& box,
                const OcrSettings& settings) {
  return std::abs(entry.width - static_cast<int>(box.Width)) <= settings.MaxCharDiffWidth &&
         std::abs(entry.height - static_cast<int>(box.Height)) <= settings.MaxCharDiffHeight &&
         std::abs(entry.topOffset - static_cast<int>(glyph.TopOffset)) <= settings.MaxCharDiffTop;
}

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
  return RowsSimilarity(glyphRows, box.Width, box.Height, matrix.Rows(number), entry.width,
                        entry.height, sensibility);
}

int RowsSimilarity(const GlyphRows& glyphRows, int glyphWidth, int glyphHeight,
                   const GlyphRows& entryRows, int entryWidth, int entryHeight, int sensibility) {
  return ScoreRows(
      glyphRows, glyphWidth, glyphHeight, [&entryRows](int y) { return entryRows[y]; }, entryWidth,
      entryHeight, sensibility);
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
