#include "ocr/slant_match.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>

#include "ocr/mark_above.h"
#include "ocr/matcher.h"
#include "ocr/scaled_match.h"

namespace capter {
namespace {

// Boxes it takes to measure a line's slant.
constexpr size_t kMinSlantBoxes = 3;
// An entry leans against an upright box by an italic slant: at least the
// italic threshold, at most this.
constexpr float kMaxLean = 0.4f;

// A hole of one pixel comes and goes with the rounding of a lean.
constexpr int kMinHole = 2;

// Grows `region` within `inside` by 4-connected steps until it stops;
// returns its pixel count.
int Flood(GlyphRows& region, const GlyphRows& inside, int height) {
  bool grown = true;
  while (grown) {
    grown = false;
    for (int y = 0; y < height; ++y) {
      GlyphRow next = region[y] | (region[y] << 1) | (region[y] >> 1);
      if (y > 0) next |= region[y - 1];
      if (y + 1 < height) next |= region[y + 1];
      next &= inside[y];
      if (next != region[y]) {
        region[y] = next;
        grown = true;
      }
    }
  }
  int pixels = 0;
  for (int y = 0; y < height; ++y) pixels += std::popcount(region[y]);
  return pixels;
}

// Two small marks are of one size and on the same rows within a pixel (a
// lean moves a mark's columns, not its rows: a full stop is not a comma a
// row lower), and their pieces' ink within a quarter.
constexpr int kMarkSizeSlack = 1;

}  // namespace

int SmallMarkPieces(const GlyphRows& rows, int width, int height, MarkPieces& pieces) {
  width = std::min(width, kGlyphSize);
  height = std::min(height, kGlyphSize);
  if (width <= 0 || height <= 0) return 0;
  const GlyphRow mask = (GlyphRow{1} << width) - 1;
  GlyphRows left{};
  for (int y = 0; y < height; ++y) left[y] = rows[y] & mask;
  int count = 0;
  for (int y = 0; y < height; ++y) {
    while (left[y] != 0) {
      if (count == kMaxMarkPieces) return 0;
      GlyphRows piece{};
      piece[y] = left[y] & (~left[y] + 1);
      const int pixels = Flood(piece, left, height);
      int first = height, last = -1, lo = 64, hi = -1;
      for (int r = 0; r < height; ++r) {
        if (piece[r] == 0) continue;
        first = std::min(first, r);
        last = r;
        lo = std::min(lo, std::countr_zero(piece[r]));
        hi = std::max(hi, 63 - std::countl_zero(piece[r]));
        left[r] &= ~piece[r];
      }
      const GlyphPiece p{lo, first, hi - lo + 1, last - first + 1, pixels};
      if (p.height >= kMinSlantHeight || p.width >= kMinSlantHeight) return 0;
      pieces[static_cast<size_t>(count++)] = p;
    }
  }
  return count;
}

bool SameSmallMark(const MarkPieces& a, int aCount, const MarkPieces& b, int bCount) {
  if (aCount == 0 || aCount != bCount) return false;
  for (size_t i = 0; i < static_cast<size_t>(aCount); ++i) {
    const GlyphPiece& p = a[i];
    const GlyphPiece& q = b[i];
    if (std::abs(p.width - q.width) > kMarkSizeSlack ||
        std::abs(p.height - q.height) > kMarkSizeSlack ||
        std::abs(p.top - q.top) > kMarkSizeSlack ||
        4 * std::min(p.pixels, q.pixels) < 3 * std::max(p.pixels, q.pixels)) {
      return false;
    }
    // Measured from the first piece, a piece's columns move with the lean
    // by its rows above or below it.
    const int moved = (p.left - a[0].left) - (q.left - b[0].left);
    const float reach = kMaxLean * static_cast<float>(std::abs(p.top - a[0].top)) + 1;
    if (static_cast<float>(std::abs(moved)) > reach) return false;
  }
  return true;
}

int HolesOf(const GlyphRows& rows, int width, int height) {
  width = std::min(width, kGlyphSize);
  height = std::min(height, kGlyphSize);
  if (width < 3 || height < 3) return 0;
  const GlyphRow mask = (GlyphRow{1} << width) - 1;
  const GlyphRow edges = GlyphRow{1} | (GlyphRow{1} << (width - 1));
  GlyphRows background{}, outside{};
  for (int y = 0; y < height; ++y) {
    background[y] = ~rows[y] & mask;
    const bool edgeRow = y == 0 || y == height - 1;
    outside[y] = background[y] & (edgeRow ? mask : edges);
  }
  Flood(outside, background, height);
  GlyphRows enclosed{};
  for (int y = 0; y < height; ++y) enclosed[y] = background[y] & ~outside[y];
  int holes = 0;
  for (int y = 0; y < height; ++y) {
    while (enclosed[y] != 0) {
      GlyphRows hole{};
      hole[y] = enclosed[y] & (~enclosed[y] + 1);  // its lowest pixel
      if (Flood(hole, enclosed, height) >= kMinHole) ++holes;
      for (int r = 0; r < height; ++r) enclosed[r] &= ~hole[r];
    }
  }
  return holes;
}

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

void SlantReader::Measure(const Picture24& bitmap, const TextLine& line) {
  if (!measured_) {
    MeasureLine(bitmap, line);
    measured_ = true;
  }
}

size_t SlantReader::Read(const Picture24& bitmap, const TextLine& line, size_t index,
                         const CharacterMatrix& matrix, const OcrSettings& settings) {
  Measure(bitmap, line);
  const CharBox& box = line.boxes[index];
  if (box.Width > kGlyphSize || box.Height > kGlyphSize) return 0;
  GlyphRows rows;
  ExtractGlyph(bitmap, box, MarkOf(index)).FillRows(rows);
  // Dots and ticks carry too few rows to lean: they are compared by their
  // pieces.
  MarkPieces pieces;
  const int count = SmallMarkPieces(rows, box.Width, box.Height, pieces);
  if (count != 0) return ReadSmallMark(pieces, count, box, matrix);
  return Leaned(rows, box, matrix, settings, kSlantSimilarity).number;
}

EntryMatch SlantReader::ReadPart(const Picture24& bitmap, const TextLine& line, const Glyph& glyph,
                                 const CharBox& box, const CharacterMatrix& matrix,
                                 const OcrSettings& settings, int floor) {
  Measure(bitmap, line);
  if (box.Width > kGlyphSize || box.Height > kGlyphSize) return {};
  GlyphRows rows;
  glyph.FillRows(rows);
  return Leaned(rows, box, matrix, settings, floor);
}

EntryMatch SlantReader::Leaned(const GlyphRows& rows, const CharBox& box,
                               const CharacterMatrix& matrix, const OcrSettings& settings,
                               int floor) const {
  if (box.Height < kMinSlantHeight) return {};
  Best best;
  if (slant_ != 0) {
    // An italic line: the box set upright by the line's slant, and by
    // slants a little either side of it. The line's slant is a median over
    // jagged stems; a letter's own lean strays from it by the rounding of
    // its drawing, which an exact lean leaves as a run of misses down each
    // stem (an italic "m" set upright).
    GlyphRows leaned, previous{};
    int previousWidth = 0;
    for (int step = -kLeanSteps; step <= kLeanSteps; ++step) {
      const int width = LeanRows(rows, box.Width, box.Height, UprightLean(step), leaned);
      if (width == 0 || (width == previousWidth && leaned == previous)) continue;
      for (size_t n = 1; n <= matrix.Count(); ++n) {
        Consider(leaned, width, box, n, matrix, settings, best);
      }
      previous = leaned;
      previousWidth = width;
    }
  }
  ConsiderEntryLeans(rows, box, matrix, settings, best);
  if (best.similarity < std::max(floor, kSlantSimilarity)) return {};
  if (best.rival != 0 && best.similarity - best.rival < kSlantMargin) return {};
  return {best.number, best.similarity};
}

size_t SlantReader::ReadSmallMark(const MarkPieces& pieces, int count, const CharBox& box,
                                  const CharacterMatrix& matrix) const {
  size_t found = 0;
  MarkPieces entry;
  for (size_t n = 1; n <= matrix.Count(); ++n) {
    const EntrySize& size = matrix.Size(n);
    if (matrix.Entry(n).text.empty() ||
        std::abs(size.height - static_cast<int>(box.Height)) > kMarkSizeSlack ||
        std::abs(size.topOffset - static_cast<int>(box.TopOffset)) > kMarkSizeSlack) {
      continue;
    }
    const int entryCount = SmallMarkPieces(matrix.Rows(n), size.width, size.height, entry);
    if (!SameSmallMark(pieces, count, entry, entryCount)) continue;
    // Marks of two texts that both fit say nothing.
    if (found != 0 && matrix.Entry(found).text != matrix.Entry(n).text) return 0;
    if (found == 0) found = n;
  }
  return found;
}

void SlantReader::ConsiderEntryLeans(const GlyphRows& rows, const CharBox& box,
                                     const CharacterMatrix& matrix, const OcrSettings& settings,
                                     Best& best) const {
  // The lean between the box and an entry, measured on the two shapes: a
  // letter's own form gives both the same bias, so the difference is the
  // slant of the type. On an italic line entries must lean less than the
  // box, on an upright one more.
  const float own = SlantOf(rows, box.Width, box.Height);
  const float direction = slant_ != 0 ? -1.0f : 1.0f;
  GlyphRows leaned;
  for (size_t n = 1; n <= matrix.Count(); ++n) {
    const EntrySize& size = matrix.Size(n);
    if (std::abs(size.height - static_cast<int>(box.Height)) > settings.MaxCharDiffHeight) {
      continue;
    }
    const float lean = SlantOf(matrix.Rows(n), size.width, size.height) - own;
    if (direction * lean < kMinItalicSlant || direction * lean > kMaxLean) continue;
    const int width = LeanRows(rows, box.Width, box.Height, lean, leaned);
    if (width != 0) Consider(leaned, width, box, n, matrix, settings, best);
  }
}

void SlantReader::MeasureLine(const Picture24& bitmap, const TextLine& line) {
  slopes_.clear();
  for (size_t j = 0; j < line.boxes.size(); ++j) {
    const CharBox& box = line.boxes[j];
    if (box.Width > kGlyphSize || box.Height > kGlyphSize || box.Height < kMinSlantHeight) continue;
    GlyphRows rows;
    ExtractGlyph(bitmap, box, MarkOf(j)).FillRows(rows);
    slopes_.push_back(SlantOf(rows, box.Width, box.Height));
  }
  slant_ = 0;
  if (slopes_.size() < kMinSlantBoxes) return;
  const auto middle = slopes_.begin() + static_cast<std::ptrdiff_t>(slopes_.size() / 2);
  std::nth_element(slopes_.begin(), middle, slopes_.end());
  if (*middle >= kMinItalicSlant) slant_ = *middle;
}

void SlantReader::Consider(const GlyphRows& rows, int width, const CharBox& box, size_t number,
                           const CharacterMatrix& matrix, const OcrSettings& settings,
                           Best& best) const {
  // The size tolerances of matching at the box's own size, on its leaned
  // ink.
  const EntrySize& size = matrix.Size(number);
  if (std::abs(size.width - width) > settings.MaxCharDiffWidth ||
      std::abs(size.height - static_cast<int>(box.Height)) > settings.MaxCharDiffHeight ||
      std::abs(size.topOffset - static_cast<int>(box.TopOffset)) > settings.MaxCharDiffTop) {
    return;
  }
  // A dotted stem is not a plain one, nor the reverse.
  const MarkAbove mark = MarkAboveOf(rows, width, box.Height);
  const bool entryMarked = MarkAboveOf(matrix.Rows(number), size.width, size.height).markRows != 0;
  if ((mark.markRows != 0) != entryMarked) return;
  // Only what could still be the best, or lie within the margin of it, is
  // scored out.
  const int floor =
      std::max(std::min(best.similarity, best.rival) + 1, kSlantSimilarity - kSlantMargin);
  int similarity =
      RowsSimilarity(rows, width, box.Height, matrix.Rows(number), size.width, size.height, floor);
  if (similarity < floor && entryMarked) {
    // The lean moves the mark against the body and the gap between them
    // may differ by a row: the body is compared by pixels, the mark by the
    // layout of its pieces.
    similarity =
        MarkedSimilarity(rows, width, box.Height, mark, matrix.Rows(number), size.width,
                         size.height, settings.MaxCharDiffWidth, settings.MaxCharDiffHeight, floor);
  }
  if (similarity < floor) return;
  // A closed bowl is not an open one: an italic "a" set upright comes
  // close to a "u".
  if (HolesOf(rows, width, box.Height) != HolesOf(matrix.Rows(number), size.width, size.height)) {
    return;
  }
  Keep(number, similarity, matrix, best);
}

void SlantReader::Keep(size_t number, int similarity, const CharacterMatrix& matrix, Best& best) {
  const std::string& text = matrix.Entry(number).text;
  if (best.number == 0 || similarity > best.similarity) {
    if (best.number != 0 && matrix.Entry(best.number).text != text) {
      best.rival = std::max(best.rival, best.similarity);
    }
    best.number = number;
    best.similarity = similarity;
  } else if (text != matrix.Entry(best.number).text && similarity > best.rival) {
    best.rival = similarity;
  }
}

}  // namespace capter
