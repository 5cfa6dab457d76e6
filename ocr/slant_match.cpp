#include "ocr/slant_match.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>

#include "ocr/glyph_score.h"
#include "ocr/matcher.h"
#include "ocr/scaled_match.h"

namespace capter {
namespace {

// A line whose letters lean by at least this (columns per row) is italic.
constexpr float kMinSlant = 0.1f;
// Boxes it takes to measure a line's slant.
constexpr size_t kMinSlantBoxes = 3;
// An entry leans against an upright box by an italic slant: at least the
// italic threshold, at most this.
constexpr float kMaxLean = 0.4f;
// Smaller boxes carry too few rows to measure or undo a slant.
constexpr int kMinHeight = 8;

}  // namespace

int LeanRows(const GlyphRows& rows, int width, int height, float lean, GlyphRows& out) {
  out.fill(0);
  height = std::min(height, kGlyphSize);
  if (width <= 0 || height <= 0) return 0;
  const GlyphRow mask = width >= 64 ? ~GlyphRow{0} : (GlyphRow{1} << width) - 1;
  // Shifts measured from the row that moves least, so none is negative.
  const long top = std::lround(lean * static_cast<float>(height - 1));
  const long least = std::min(0L, top);
  const long most = std::max(0L, top);
  if (width + (most - least) > 64) return 0;
  int left = 64, right = -1;
  for (int y = 0; y < height; ++y) {
    const long shift = std::lround(lean * static_cast<float>(height - 1 - y)) - least;
    const GlyphRow row = (rows[y] & mask) << shift;
    out[y] = row;
    if (row == 0) continue;
    left = std::min(left, std::countr_zero(row));
    right = std::max(right, 63 - std::countl_zero(row));
  }
  if (right < 0 || right - left + 1 > kGlyphSize) {
    out.fill(0);
    return 0;
  }
  for (int y = 0; y < height; ++y) out[y] >>= left;
  return right - left + 1;
}

size_t SlantReader::Read(const Picture24& bitmap, const TextLine& line, size_t index,
                         const CharacterMatrix& matrix, const OcrSettings& settings) {
  if (!measured_) {
    MeasureLine(bitmap, line);
    measured_ = true;
  }
  const CharBox& box = line.boxes[index];
  if (box.Width > kGlyphSize || box.Height > kGlyphSize || box.Height < kMinHeight) return 0;
  const Glyph glyph = ExtractGlyph(bitmap, box, MarkOf(index));
  GlyphRows rows;
  glyph.FillRows(rows);
  GlyphRows leaned;
  Best best;
  if (slant_ != 0) {
    // An italic line: the box set upright against the entries as taught.
    const int width = LeanRows(rows, box.Width, box.Height, -slant_, leaned);
    if (width == 0) return 0;
    for (size_t n = 1; n <= matrix.Count(); ++n) {
      Consider(leaned, width, box.Height, box.TopOffset, n, matrix, settings, best);
    }
  } else {
    // An upright line: the box leaned as far as each italic entry leans
    // beyond it, measured on the two shapes (a letter's own form gives both
    // the same bias).
    const float own = SlantOf(rows, box.Width, box.Height);
    for (size_t n = 1; n <= matrix.Count(); ++n) {
      const EntrySize& size = matrix.Size(n);
      if (std::abs(size.height - static_cast<int>(box.Height)) > settings.MaxCharDiffHeight) {
        continue;
      }
      const float lean = SlantOf(matrix.Rows(n), size.width, size.height) - own;
      if (lean < kMinSlant || lean > kMaxLean) continue;
      const int width = LeanRows(rows, box.Width, box.Height, lean, leaned);
      if (width == 0) continue;
      Consider(leaned, width, box.Height, box.TopOffset, n, matrix, settings, best);
    }
  }
  if (best.similarity < kSlantSimilarity) return 0;
  if (best.rival != 0 && best.similarity - best.rival < kSlantMargin) return 0;
  return best.number;
}

void SlantReader::MeasureLine(const Picture24& bitmap, const TextLine& line) {
  slopes_.clear();
  for (size_t j = 0; j < line.boxes.size(); ++j) {
    const CharBox& box = line.boxes[j];
    if (box.Width > kGlyphSize || box.Height > kGlyphSize || box.Height < kMinHeight) continue;
    GlyphRows rows;
    ExtractGlyph(bitmap, box, MarkOf(j)).FillRows(rows);
    slopes_.push_back(SlantOf(rows, box.Width, box.Height));
  }
  slant_ = 0;
  if (slopes_.size() < kMinSlantBoxes) return;
  const auto middle = slopes_.begin() + static_cast<std::ptrdiff_t>(slopes_.size() / 2);
  std::nth_element(slopes_.begin(), middle, slopes_.end());
  if (*middle >= kMinSlant) slant_ = *middle;
}

void SlantReader::Consider(const GlyphRows& rows, int width, int height, int topOffset,
                           size_t number, const CharacterMatrix& matrix,
                           const OcrSettings& settings, Best& best) const {
  const EntrySize& size = matrix.Size(number);
  if (std::abs(size.width - width) > settings.MaxCharDiffWidth ||
      std::abs(size.height - height) > settings.MaxCharDiffHeight ||
      std::abs(size.topOffset - topOffset) > settings.MaxCharDiffTop) {
    return;
  }
  // Only what could still be the best, or the best rival, is scored out.
  const int floor = std::min(best.similarity, best.rival);
  const int similarity =
      RowsSimilarity(rows, width, height, matrix.Rows(number), size.width, size.height,
                     std::max(floor, kSlantSimilarity - kSlantMargin));
  if (similarity <= floor || similarity < kSlantSimilarity - kSlantMargin) return;
  const std::string& text = matrix.Entry(number).text;
  if (best.number == 0 || similarity > best.similarity) {
    if (best.number != 0 && matrix.Entry(best.number).text != text) best.rival = best.similarity;
    best.number = number;
    best.similarity = similarity;
  } else if (text != matrix.Entry(best.number).text && similarity > best.rival) {
    best.rival = similarity;
  }
}

}  // namespace capter
