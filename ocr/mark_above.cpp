#include "ocr/mark_above.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <optional>

#include "ocr/matcher.h"
#include "ocr/slant_match.h"

namespace capter {
namespace {

// A mark is lower than the rows a lean needs, and at most a third of the
// glyph's height.
constexpr int kMaxMarkRows = kMinSlantHeight - 1;
constexpr int kMarkShareDivisor = 3;
// How far a mark's gap to the body and its middle against the body's may
// differ (pixels; the middles are compared doubled).
constexpr int kPlaceSlack = 1;

// Rows `from` .. `to` - 1 of `rows` moved to the top and cropped to their
// ink on the left; returns the inked width (0 for none) and the column
// cropped away in `left`.
int CutRows(const GlyphRows& rows, int width, int from, int to, GlyphRows& out, int& left) {
  out.fill(0);
  const GlyphRow mask = width >= 64 ? ~GlyphRow{0} : (GlyphRow{1} << width) - 1;
  int lo = 64, hi = -1;
  for (int y = from; y < to; ++y) {
    const GlyphRow row = rows[y] & mask;
    if (row == 0) continue;
    lo = std::min(lo, std::countr_zero(row));
    hi = std::max(hi, 63 - std::countl_zero(row));
  }
  left = hi < 0 ? 0 : lo;
  if (hi < 0) return 0;
  for (int y = from; y < to; ++y) out[y - from] = (rows[y] & mask) >> lo;
  return hi - lo + 1;
}

// A marked glyph cut into its mark and its body.
struct MarkedParts {
  GlyphRows body{};
  int bodyWidth = 0;
  int bodyHeight = 0;
  MarkPieces pieces{};
  int pieceCount = 0;
  int gap = 0;     // empty rows between mark and body
  int middle = 0;  // the mark's middle less the body's, doubled
};

MarkedParts CutMarked(const GlyphRows& rows, int width, int height, MarkAbove mark) {
  MarkedParts parts;
  int bodyLeft = 0, markLeft = 0;
  parts.bodyHeight = height - mark.bodyTop;
  parts.bodyWidth = CutRows(rows, width, mark.bodyTop, height, parts.body, bodyLeft);
  GlyphRows markRows;
  const int markWidth = CutRows(rows, width, 0, mark.markRows, markRows, markLeft);
  parts.pieceCount = SmallMarkPieces(markRows, markWidth, mark.markRows, parts.pieces);
  parts.gap = mark.bodyTop - mark.markRows;
  parts.middle = (2 * markLeft + markWidth) - (2 * bodyLeft + parts.bodyWidth);
  return parts;
}

// Whether two marks are one and sit alike against their bodies.
bool SameMarkPlace(const MarkedParts& box, const MarkedParts& entry) {
  return std::abs(box.gap - entry.gap) <= kPlaceSlack &&
         std::abs(box.middle - entry.middle) <= 2 * kPlaceSlack &&
         SameSmallMark(box.pieces, box.pieceCount, entry.pieces, entry.pieceCount);
}

// A glyph with its mark `mark` and an entry, each cut into mark and body
// (only a glyph's 45 x 45 pixels exist, whatever size a damaged file
// declares); nothing when either has no mark above.
struct MarkedPair {
  MarkedParts box;
  MarkedParts entry;
};

std::optional<MarkedPair> CutBothMarked(const GlyphRows& rows, int width, int height,
                                        MarkAbove mark, const GlyphRows& entryRows, int entryWidth,
                                        int entryHeight) {
  const MarkAbove entryMark = MarkAboveOf(entryRows, entryWidth, entryHeight);
  if (mark.markRows == 0 || entryMark.markRows == 0) return std::nullopt;
  return MarkedPair{
      CutMarked(rows, std::min(width, kGlyphSize), std::min(height, kGlyphSize), mark),
      CutMarked(entryRows, std::min(entryWidth, kGlyphSize), std::min(entryHeight, kGlyphSize),
                entryMark)};
}

}  // namespace

MarkAbove MarkAboveOf(const GlyphRows& rows, int width, int height) {
  width = std::min(width, kGlyphSize);
  height = std::min(height, kGlyphSize);
  if (width <= 0 || height <= 0) return {};
  const GlyphRow mask = (GlyphRow{1} << width) - 1;
  int y = 0;
  while (y < height && (rows[y] & mask) == 0) ++y;
  const int first = y;
  while (y < height && (rows[y] & mask) != 0) ++y;
  const int markRows = y - first;
  while (y < height && (rows[y] & mask) == 0) ++y;
  if (y == height || markRows > kMaxMarkRows || kMarkShareDivisor * markRows > height) return {};
  // A glyph's rows start at its top ink, so the mark starts at row 0.
  return first == 0 ? MarkAbove{markRows, y} : MarkAbove{};
}

bool SameMarkKind(const GlyphRows& rows, int width, int height, const CharacterMatrix& matrix,
                  size_t number) {
  const EntrySize& size = matrix.Size(number);
  const bool marked = MarkAboveOf(rows, width, height).markRows != 0;
  return marked == (MarkAboveOf(matrix.Rows(number), size.width, size.height).markRows != 0);
}

size_t KeepIfSameMarkKind(size_t number, const Glyph& glyph, const CharacterMatrix& matrix) {
  if (number == 0) return 0;
  GlyphRows rows;
  glyph.FillRows(rows);
  return SameMarkKind(rows, glyph.Width, glyph.Height, matrix, number) ? number : 0;
}

int MarkedSimilarity(const GlyphRows& rows, int width, int height, MarkAbove mark,
                     const GlyphRows& entryRows, int entryWidth, int entryHeight, int maxWidthDiff,
                     int maxHeightDiff, int floor) {
  const std::optional<MarkedPair> cut =
      CutBothMarked(rows, width, height, mark, entryRows, entryWidth, entryHeight);
  if (!cut) return 0;
  const MarkedParts& box = cut->box;
  const MarkedParts& entry = cut->entry;
  if (std::abs(box.bodyWidth - entry.bodyWidth) > maxWidthDiff ||
      std::abs(box.bodyHeight - entry.bodyHeight) > maxHeightDiff || !SameMarkPlace(box, entry)) {
    return 0;
  }
  return RowsSimilarity(box.body, box.bodyWidth, box.bodyHeight, entry.body, entry.bodyWidth,
                        entry.bodyHeight, floor);
}

bool SameMarkAbove(const GlyphRows& rows, int width, int height, const GlyphRows& entryRows,
                   int entryWidth, int entryHeight) {
  const std::optional<MarkedPair> cut = CutBothMarked(
      rows, width, height, MarkAboveOf(rows, width, height), entryRows, entryWidth, entryHeight);
  return cut && SameMarkPlace(cut->box, cut->entry);
}

}  // namespace capter
