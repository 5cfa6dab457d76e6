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

// How a part takes the box's pixels: by their own column, or by the column
// of their piece (a piece goes wholly to the side of the cut holding most
// of its pixels, so a letter whose tail reaches under its neighbour's bar
// stays whole).
enum class SplitKey : uint8_t { Column, Piece };

// The pixels whose key lies in low..high.
struct KeyRange {
  SplitKey key = SplitKey::Column;
  int low = INT_MIN;
  int high = INT_MAX;
};

class BoxPixels {
 public:
  static constexpr int kMaxWidth = 3 * (kGlyphSize + 4);
  static constexpr int kMaxHeight = kGlyphSize;
  // Boxes of more pieces are cut by column only.
  static constexpr int kMaxPieces = 8;

  // Reads the pixels of `box` marked `mark`; false when the box is larger
  // than this can hold.
  bool Load(const Picture24& bitmap, const CharBox& box, Colour mark);

  int Width() const { return width_; }
  // 0 when the box has more than kMaxPieces pieces.
  int PieceCount() const { return pieces_; }
  // The column (from the box's left) that holds the middle pixel of piece
  // `piece`.
  int PieceColumn(int piece) const { return pieceColumn_[static_cast<size_t>(piece)]; }

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

  void LabelPieces();

  CharBox box_;
  int width_ = 0;
  int height_ = 0;
  int pieces_ = 0;
  std::array<Column, kMaxWidth> column_{};
  std::array<std::array<Column, kMaxWidth>, kMaxPieces> pieceColumns_{};
  std::array<int, kMaxPieces> pieceColumn_{};
};

KeyRange Below(SplitKey key, int end);
KeyRange From(SplitKey key, int start);

// Calls visit(left, right) with the two ranges of every cut of `pixels`
// into two: at each column leaving at least `minWidth` columns on either
// side, and between the pieces when the box holds several.
template <typename Visit>
void ForEachCut(const BoxPixels& pixels, int minWidth, Visit visit) {
  for (int at = minWidth; at + minWidth <= pixels.Width(); ++at) {
    visit(Below(SplitKey::Column, at - 1), From(SplitKey::Column, at));
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
