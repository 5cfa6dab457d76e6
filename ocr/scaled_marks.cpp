#include "ocr/scaled_marks.h"

#include "ocr/scaled_match.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>

namespace capter {
namespace {

// Sizes may stray from the factor by a pixel plus this share; the row a
// dot ends on by a pixel plus this share of the larger of the two.
constexpr float kSizeTolerance = 0.12f;
constexpr float kBottomTolerance = 0.1f;

bool SolidDot(const GlyphPiece& piece) {
  return piece.pixels >= 2 && std::abs(piece.width - piece.height) <= 1 &&
         5 * piece.pixels >= 4 * piece.width * piece.height;
}

bool SizeScales(int actual, int size, float factor) {
  const float slack = std::max(1 + kSizeTolerance * static_cast<float>(actual), factor);
  return std::fabs(static_cast<float>(actual) - static_cast<float>(size) * factor) <= slack;
}

// Where a mark ends in its line (its top or its bottom): within a pixel
// plus a tenth of the larger of where it ends and where the entry's comes to.
bool EndScales(int actual, int end, float factor) {
  const float expected = static_cast<float>(end) * factor;
  const float at = static_cast<float>(actual);
  return std::fabs(at - expected) <= 1 + kBottomTolerance * std::max(at, expected);
}

// A row with each pixel spread to its left and right neighbours.
GlyphRow Spread(GlyphRow row) {
  return row | (row << 1) | (row >> 1);
}

// `rows` with each pixel spread to its eight neighbours, row `y`.
GlyphRow SpreadAt(const GlyphRows& rows, int y, int height) {
  GlyphRow spread = Spread(rows[static_cast<size_t>(y)]);
  if (y > 0) spread |= Spread(rows[static_cast<size_t>(y - 1)]);
  if (y + 1 < height) spread |= Spread(rows[static_cast<size_t>(y + 1)]);
  return spread;
}

// Whether every pixel of `a` lies within a pixel of one of `b`.
bool WithinAPixel(const GlyphRows& a, const GlyphRows& b, int height) {
  for (int y = 0; y < height; ++y) {
    if ((a[static_cast<size_t>(y)] & ~SpreadAt(b, y, height)) != 0) return false;
  }
  return true;
}

}  // namespace

bool AllSolidDots(const MarkPieces& pieces, int count) {
  if (count <= 0 || count > kMaxMarkPieces) return false;
  return std::all_of(pieces.begin(), pieces.begin() + count, SolidDot);
}

bool DotsScale(const MarkPieces& box, int count, int boxTop, const MarkPieces& entry,
               int entryCount, int entryTop, float factor) {
  if (count != entryCount || !AllSolidDots(box, count) || !AllSolidDots(entry, entryCount) ||
      factor <= 0) {
    return false;
  }
  for (size_t i = 0; i < static_cast<size_t>(count); ++i) {
    const GlyphPiece& p = box[i];
    const GlyphPiece& q = entry[i];
    const float bottom = static_cast<float>(boxTop + p.top + p.height);
    const float expected = static_cast<float>(entryTop + q.top + q.height) * factor;
    if (!SizeScales(p.width, q.width, factor) || !SizeScales(p.height, q.height, factor) ||
        std::fabs(bottom - expected) > 1 + kBottomTolerance * std::max(bottom, expected)) {
      return false;
    }
  }
  return true;
}

bool OneTick(const GlyphRows& rows, int width, int height) {
  width = std::min(width, kGlyphSize);
  height = std::min(height, kGlyphSize);
  if (width <= 0 || height <= 0) return false;
  const GlyphRow mask = (GlyphRow{1} << width) - 1;
  GlyphRows ink{};
  GlyphRows piece{};
  int first = -1, last = -1, pixels = 0;
  GlyphRow columns = 0;
  for (int y = 0; y < height; ++y) {
    const size_t r = static_cast<size_t>(y);
    ink[r] = rows[r] & mask;
    if (ink[r] == 0) continue;
    if (first < 0) first = y;
    last = y;
    columns |= ink[r];
    pixels += std::popcount(ink[r]);
  }
  if (first < 0 || pixels < 2) return false;
  // Grows the piece from the first pixel until it takes no more.
  piece[static_cast<size_t>(first)] =
      ink[static_cast<size_t>(first)] & (~ink[static_cast<size_t>(first)] + 1);
  for (bool grew = true; grew;) {
    grew = false;
    for (int y = first; y <= last; ++y) {
      const size_t r = static_cast<size_t>(y);
      const GlyphRow grown = SpreadAt(piece, y, height) & ink[r];
      if (grown != piece[r]) {
        piece[r] = grown;
        grew = true;
      }
    }
  }
  if (piece != ink) return false;
  const GlyphPiece whole{std::countr_zero(columns), first,
                         64 - std::countl_zero(columns) - std::countr_zero(columns),
                         last - first + 1, pixels};
  return !SolidDot(whole);
}

bool TickScales(const MarkDrawing& box, const MarkDrawing& entry, float factor) {
  if (box.rows == nullptr || entry.rows == nullptr || factor <= 0 || box.width <= 0 ||
      box.height <= 0 || box.width > kGlyphSize || box.height > kGlyphSize || entry.width <= 0 ||
      entry.height <= 0 || entry.width > kGlyphSize || entry.height > kGlyphSize) {
    return false;
  }
  if (!SizeScales(box.width, entry.width, factor) ||
      !SizeScales(box.height, entry.height, factor) || !EndScales(box.top, entry.top, factor) ||
      !EndScales(box.top + box.height, entry.top + entry.height, factor)) {
    return false;
  }
  GlyphRows resampled;
  ResampleRows(*entry.rows, entry.width, entry.height, box.width, box.height, resampled);
  return WithinAPixel(*box.rows, resampled, box.height) &&
         WithinAPixel(resampled, *box.rows, box.height);
}

}  // namespace capter
