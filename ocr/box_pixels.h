// The pixels of one character box, column by column, with the 4-connected
// pieces they form, from which the parts of a touching-letters reading are
// cut.
#pragma once

#include <array>
#include <climits>
#include <cstdint>

#include "ocr/glyph.h"
#include "ocr/line_table.h"
#include "stream/picture.h"

namespace capter {

// How a part takes the box's pixels: by their own column; by a seam, a
// cut that bends on each row to the nearest empty cell within kSeamReach
// columns, so the arm of an "r" resting on the arm of a "y" stays with the
// "r"; or by the column of their piece (a piece goes wholly to the side of
// the cut holding most of its pixels, so a letter whose tail reaches under
// its neighbour's bar stays whole).
enum class SplitKey : uint8_t { Column, Seam, Piece };

// The pixels whose key lies in low..high. A seam range is one side of the
// seam at a column: low..INT_MAX the pixels from it on, INT_MIN..high the
// pixels left of the seam at high + 1.
struct KeyRange {
  SplitKey key = SplitKey::Column;
  int low = INT_MIN;
  int high = INT_MAX;
};

class BoxPixels {
 public:
  static constexpr int kMaxWidth = 3 * (kGlyphSize + 4);
  static constexpr int kMaxHeight = kGlyphSize;
  // Boxes of more pieces are cut by column and seam only.
  static constexpr int kMaxPieces = 8;
  // How far from its column a seam bends.
  static constexpr int kSeamReach = 2;

  // Reads the pixels of `box` marked `mark`; false when the box is larger
  // than this can hold.
  bool Load(const Picture24& bitmap, const CharBox& box, Colour mark);

  int Width() const { return width_; }
  // 0 when the box has more than kMaxPieces pieces.
  int PieceCount() const { return pieces_; }
  // The column (from the box's left) that holds the middle pixel of piece
  // `piece`.
  int PieceColumn(int piece) const { return pieceColumn_[static_cast<size_t>(piece)]; }

  // Whether the seam at `at` bends on some row holding ink on both sides
  // of the column cut there (else it cuts as the columns do).
  bool SeamBends(int at) const {
    return at >= 0 && at < width_ && seamBends_[static_cast<size_t>(at)];
  }

  // Every piece, as a mask of bits 1 << piece.
  static constexpr uint32_t kAllPieces = ~uint32_t{0};

  // The part of the pixels inside both ranges and of the pieces in
  // `pieces` (ignored when the box has more than kMaxPieces), trimmed to
  // its own pixels: its box (on `line`) and, unless null, its glyph. False
  // when it has no pixel.
  bool Part(const KeyRange& a, const KeyRange& b, const TextLine& line, CharBox& box, Glyph* glyph,
            uint32_t pieces = kAllPieces) const;

 private:
  using Column = uint64_t;  // bit y: the pixel of row y

  void Prepare();
  void LabelPieces();
  // Per row, the first column right of the seam at `at`.
  std::array<int, kMaxHeight> SeamBounds(int at) const;

  CharBox box_;
  int width_ = 0;
  int height_ = 0;
  int pieces_ = 0;
  std::array<Column, kMaxWidth> column_{};
  std::array<std::array<Column, kMaxWidth>, kMaxPieces> pieceColumns_{};
  std::array<int, kMaxPieces> pieceColumn_{};
  std::array<bool, kMaxWidth> seamBends_{};
  // Per seam column, the rows left of the seam in each column it may bend
  // through (from at - kSeamReach on).
  std::array<std::array<Column, 2 * kSeamReach>, kMaxWidth> seamLeftRows_{};
};

KeyRange Below(SplitKey key, int end);
KeyRange From(SplitKey key, int start);

// Calls visit(left, right) with the two ranges of every cut of `pixels`
// into two: at each column leaving at least `minWidth` columns on either
// side, down the seam there where it bends, and between the pieces when
// the box holds several.
template <typename Visit>
void ForEachCut(const BoxPixels& pixels, int minWidth, Visit visit) {
  const int width = pixels.Width();
  for (SplitKey key : {SplitKey::Column, SplitKey::Seam}) {
    for (int at = minWidth; at + minWidth <= width; ++at) {
      if (key == SplitKey::Seam && !pixels.SeamBends(at)) continue;
      visit(Below(key, at - 1), From(key, at));
    }
  }
  const int pieces = pixels.PieceCount();
  for (int i = 0; i < pieces; ++i) {
    const int column = pixels.PieceColumn(i);
    bool rightmost = true, repeated = false;
    for (int k = 0; k < pieces; ++k) {
      rightmost = rightmost && pixels.PieceColumn(k) <= column;
      repeated = repeated || (k < i && pixels.PieceColumn(k) == column);
    }
    if (!rightmost && !repeated) {
      visit(Below(SplitKey::Piece, column), From(SplitKey::Piece, column + 1));
    }
  }
}

}  // namespace capter
