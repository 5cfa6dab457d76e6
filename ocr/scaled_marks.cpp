#include "ocr/scaled_marks.h"

#include <algorithm>
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

}  // namespace capter
