// Italic letters whose forms differ from their upright entries by more than
// a lean (narrower, their strokes placed otherwise), read by shape once
// nothing else reads them.
#include <algorithm>
#include <cstdlib>

#include "ocr/mark_above.h"
#include "ocr/matcher.h"
#include "ocr/scaled_match.h"
#include "ocr/slant_match.h"

namespace capter {
namespace {

// An italic form may be narrower or wider than its upright entry by a pixel
// plus this share of the wider of the two.
constexpr int kWidthShareDivisor = 4;
// A shape reads only where the entry sits, within a pixel: a shape says
// less than pixels, and the ring of a "%" is an "o" set higher.
constexpr int kTopSlack = 1;
// Shapes whose ink lies in another layout (percent points summed over the
// nine cells) are not compared.
constexpr int kMaxLayoutDistance = 160;

}  // namespace

size_t SlantReader::ReadByShape(const Picture24& bitmap, const TextLine& line, size_t index,
                                const CharacterMatrix& matrix, const OcrSettings& settings) {
  Measure(bitmap, line);
  const CharBox& box = line.boxes[index];
  if (slant_ == 0 || box.Width > kGlyphSize || box.Height > kGlyphSize ||
      box.Height < kMinSlantHeight || box.Width < kShapeMinWidth) {
    return 0;
  }
  GlyphRows rows;
  ExtractGlyph(bitmap, box, MarkOf(index)).FillRows(rows);
  MarkPieces pieces;
  if (SmallMarkPieces(rows, box.Width, box.Height, pieces) != 0) return 0;
  Best best;
  GlyphRows leaned;
  for (int step = -kLeanSteps; step <= kLeanSteps; ++step) {
    const int width = LeanRows(rows, box.Width, box.Height, UprightLean(step), leaned);
    if (width != 0) ConsiderShapes(leaned, width, box, matrix, settings, best);
  }
  if (best.number == 0 || best.similarity < kShapeCloseness ||
      best.similarity - best.rival < kShapeMargin) {
    return 0;
  }
  // A closed bowl and an open one lie close at a pixel's forgiveness.
  const EntrySize& size = matrix.Size(best.number);
  if (HolesOf(rows, box.Width, box.Height) !=
      HolesOf(matrix.Rows(best.number), size.width, size.height)) {
    return 0;
  }
  return best.number;
}

void SlantReader::ConsiderShapes(const GlyphRows& rows, int width, const CharBox& box,
                                 const CharacterMatrix& matrix, const OcrSettings& settings,
                                 Best& best) const {
  CharBox upright = box;
  upright.Width = static_cast<uint16_t>(width);
  const Layout layout = LayoutOf(rows, width, box.Height);
  for (size_t n = 1; n <= matrix.Count(); ++n) {
    const EntrySize& size = matrix.Size(n);
    const int wider = std::max<int>(size.width, width);
    if (matrix.Entry(n).text.empty() ||
        std::abs(size.height - static_cast<int>(box.Height)) > settings.MaxCharDiffHeight ||
        std::abs(size.topOffset - static_cast<int>(box.TopOffset)) > kTopSlack ||
        std::abs(size.width - width) > 1 + wider / kWidthShareDivisor ||
        size.width < kShapeMinWidth ||
        SlantOf(matrix.Rows(n), size.width, size.height) > slant_ - kMinItalicSlant ||
        !SameMarkKind(rows, width, box.Height, matrix, n) ||
        LayoutDistance(layout, LayoutOf(matrix.Rows(n), size.width, size.height)) >
            kMaxLayoutDistance) {
      continue;
    }
    Keep(n, OtherSizeCloseness(rows, upright, matrix.Rows(n), size), matrix, best);
  }
}

}  // namespace capter
