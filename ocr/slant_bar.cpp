// Plain bars in the other slant: an italic "l" or "I", or the stem of an
// "i", read from the upright entry of the same bar. Compared by pixels, a
// leaned bar two columns wide misses its entry on every jog of the lean,
// and it lies within a pixel of any other stem, so the rule is strict: the
// box must become a plain bar once set upright and match a plain-bar entry
// in size, place and mark above, with no other text fitting.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "ocr/bar_letters.h"
#include "ocr/mark_above.h"
#include "ocr/scaled_match.h"
#include "ocr/slant_match.h"

namespace capter {
namespace {

// A bar and its entry agree in width within a pixel, and in height and top
// within a row.
constexpr int kBarSlack = 1;

// Rows `from` .. `height` - 1 of `rows` as a glyph cropped to their ink on
// the left; empty when they hold none.
Glyph BodyGlyph(const GlyphRows& rows, int width, int from, int height) {
  Glyph body;
  width = std::min(width, kGlyphSize);
  height = std::min(height, kGlyphSize);
  int left = kGlyphSize, right = -1;
  for (int y = from; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if ((rows[y] >> x) & 1) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
  }
  if (right < 0) return body;
  body.Width = static_cast<uint8_t>(right - left + 1);
  body.Height = static_cast<uint8_t>(height - from);
  for (int y = from; y < height; ++y) {
    for (int x = left; x <= right; ++x) body.SetPixel(x - left, y - from, (rows[y] >> x) & 1);
  }
  return body;
}

// The body of a glyph (below its mark above, if any) when it is a plain bar,
// else an empty glyph.
Glyph BarBody(const GlyphRows& rows, int width, int height) {
  const MarkAbove mark = MarkAboveOf(rows, width, height);
  const Glyph body = BodyGlyph(rows, width, mark.markRows != 0 ? mark.bodyTop : 0, height);
  return IsPlainBar(body) ? body : Glyph{};
}

bool IAndL(const std::string& a, const std::string& b) {
  return (a == "I" && b == "l") || (a == "l" && b == "I");
}

}  // namespace

int SlantReader::UprightBarOf(const GlyphRows& rows, const CharBox& box, GlyphRows& leaned) {
  // A box that is a bar as it stands does not lean.
  if (BarBody(rows, box.Width, box.Height).Height != 0) return 0;
  // The line's slant first, then the steps either side of it.
  for (int i = 0; i <= 2 * kLeanSteps; ++i) {
    const int step = (i % 2 == 0 ? 1 : -1) * ((i + 1) / 2);
    const int width = LeanRows(rows, box.Width, box.Height, UprightLean(step), leaned);
    if (width == 0) continue;
    bar_ = BarBody(leaned, width, box.Height);
    if (bar_.Height != 0) return width;
  }
  return 0;
}

size_t SlantReader::ReadBar(const Picture24& bitmap, const TextLine& line, size_t index,
                            const CharacterMatrix& matrix, const OcrSettings& settings) {
  Measure(bitmap, line);
  const CharBox& box = line.boxes[index];
  if (slant_ == 0 || box.Width > kGlyphSize || box.Height > kGlyphSize ||
      box.Height < kMinSlantHeight) {
    return 0;
  }
  GlyphRows rows, leaned;
  ExtractGlyph(bitmap, box, MarkOf(index)).FillRows(rows);
  const int width = UprightBarOf(rows, box, leaned);
  if (width == 0) return 0;
  const bool marked = MarkAboveOf(leaned, width, box.Height).markRows != 0;
  size_t found = 0;
  for (size_t n = 1; n <= matrix.Count(); ++n) {
    const EntrySize& size = matrix.Size(n);
    const std::string& text = matrix.Entry(n).text;
    if (text.empty() || std::abs(size.height - static_cast<int>(box.Height)) > kBarSlack ||
        std::abs(size.topOffset - static_cast<int>(box.TopOffset)) > kBarSlack ||
        SlantOf(matrix.Rows(n), size.width, size.height) > slant_ - kMinItalicSlant ||
        !SameMarkKind(leaned, width, box.Height, matrix, n)) {
      continue;
    }
    const Glyph entryBar = BarBody(matrix.Rows(n), size.width, size.height);
    if (entryBar.Height == 0 || std::abs(entryBar.Width - bar_.Width) > kBarSlack ||
        (marked &&
         !SameMarkAbove(leaned, width, box.Height, matrix.Rows(n), size.width, size.height))) {
      continue;
    }
    if (found == 0) {
      found = n;
    } else if (text != matrix.Entry(found).text &&
               !(settings.IAndLByContext && IAndL(text, matrix.Entry(found).text))) {
      return 0;  // two texts fit, and not I and l, which the line decides
    }
  }
  return found;
}

}  // namespace capter
