#include "ocr/box_pixels.h"

#include <algorithm>
#include <bit>

namespace capter {

namespace {

// The column as a mask of rows, from the picture.
uint64_t ColumnOf(const Picture24& bitmap, const CharBox& box, int x, Colour mark) {
  uint64_t column = 0;
  for (int y = 0; y < box.Height; ++y) {
    const uint8_t* p = bitmap.Row(box.Top + y) + 3 * (box.Left + x);
    if (p[0] == BlueOf(mark) && p[1] == GreenOf(mark) && p[2] == RedOf(mark)) {
      column |= uint64_t{1} << y;
    }
  }
  return column;
}

// The cells of `column` 4-connected to `seed` (both masks of one column).
uint64_t RunsTouching(uint64_t column, uint64_t seed) {
  uint64_t grown = seed & column;
  for (uint64_t before = 0; grown != before;) {
    before = grown;
    grown |= ((grown << 1) | (grown >> 1)) & column;
  }
  return grown;
}

}  // namespace

bool BoxPixels::Load(const Picture24& bitmap, const CharBox& box, Colour mark) {
  if (box.Width > kMaxWidth || box.Height > kMaxHeight) return false;
  box_ = box;
  width_ = box.Width;
  height_ = box.Height;
  for (int x = 0; x < width_; ++x) column_[static_cast<size_t>(x)] = ColumnOf(bitmap, box, x, mark);
  LabelPieces();
  return true;
}

void BoxPixels::LabelPieces() {
  pieces_ = 0;
  std::array<Column, kMaxWidth> left = column_;  // pixels not yet in a piece
  for (int x = 0; x < width_; ++x) {
    while (left[static_cast<size_t>(x)] != 0) {
      if (pieces_ == kMaxPieces) {
        pieces_ = 0;
        return;
      }
      std::array<Column, kMaxWidth>& piece = pieceColumns_[static_cast<size_t>(pieces_++)];
      piece.fill(0);
      // The run holding the lowest pixel left, grown sideways and along
      // the columns until it stops changing.
      const Column lowest = left[static_cast<size_t>(x)] & (~left[static_cast<size_t>(x)] + 1);
      piece[static_cast<size_t>(x)] = RunsTouching(left[static_cast<size_t>(x)], lowest);
      for (bool grew = true; grew;) {
        grew = false;
        for (int c = 0; c < width_; ++c) {
          Column seed = piece[static_cast<size_t>(c)];
          if (c > 0) seed |= piece[static_cast<size_t>(c - 1)];
          if (c + 1 < width_) seed |= piece[static_cast<size_t>(c + 1)];
          const Column grown = RunsTouching(left[static_cast<size_t>(c)], seed);
          if (grown != piece[static_cast<size_t>(c)]) {
            piece[static_cast<size_t>(c)] = grown;
            grew = true;
          }
        }
      }
      for (int c = 0; c < width_; ++c)
        left[static_cast<size_t>(c)] &= ~piece[static_cast<size_t>(c)];
    }
  }
  // Each piece's middle column: where its count, column by column, reaches
  // half.
  for (int p = 0; p < pieces_; ++p) {
    const std::array<Column, kMaxWidth>& piece = pieceColumns_[static_cast<size_t>(p)];
    int total = 0, seen = 0;
    for (int c = 0; c < width_; ++c) total += std::popcount(piece[static_cast<size_t>(c)]);
    for (int c = 0; c < width_; ++c) {
      seen += std::popcount(piece[static_cast<size_t>(c)]);
      if (2 * seen >= total) {
        pieceColumn_[static_cast<size_t>(p)] = c;
        break;
      }
    }
  }
}

bool BoxPixels::Part(const KeyRange& a, const KeyRange& b, const TextLine& line, CharBox& box,
                     Glyph* glyph, uint32_t pieces) const {
  int first = 0, last = width_ - 1;
  if (pieces_ == 0) pieces = kAllPieces;
  for (const KeyRange* range : {&a, &b}) {
    switch (range->key) {
      case SplitKey::Column:
        first = std::max(first, range->low);
        last = std::min(last, range->high);
        break;
      case SplitKey::Piece: {
        uint32_t inside = 0;
        for (int p = 0; p < pieces_; ++p) {
          const int column = pieceColumn_[static_cast<size_t>(p)];
          if (column >= range->low && column <= range->high) inside |= 1u << p;
        }
        pieces &= inside;
        break;
      }
    }
  }
  first = std::max(first, 0);
  last = std::min(last, width_ - 1);
  std::array<Column, kMaxWidth> columns;
  int left = -1, right = -1;
  Column rows = 0;
  for (int x = first; x <= last; ++x) {
    Column& column = columns[static_cast<size_t>(x)];
    column = 0;
    if (pieces == kAllPieces) {
      column = column_[static_cast<size_t>(x)];
    } else {
      for (int p = 0; p < pieces_; ++p) {
        if (pieces & (1u << p)) {
          column |= pieceColumns_[static_cast<size_t>(p)][static_cast<size_t>(x)];
        }
      }
    }
    if (column == 0) continue;
    if (left < 0) left = x;
    right = x;
    rows |= column;
  }
  if (left < 0) return false;
  const int top = std::countr_zero(rows);
  const int bottom = 63 - std::countl_zero(rows);
  box = box_;
  box.Left = static_cast<uint16_t>(box_.Left + left);
  box.Top = static_cast<uint16_t>(box_.Top + top);
  box.Width = static_cast<uint16_t>(right - left + 1);
  box.Height = static_cast<uint16_t>(bottom - top + 1);
  box.TopOffset = static_cast<uint8_t>(box.Top - line.top);
  if (glyph == nullptr) return true;
  *glyph = Glyph{};
  glyph->Width = static_cast<uint8_t>(std::min<int>(box.Width, kGlyphSize));
  glyph->Height = static_cast<uint8_t>(box.Height);
  glyph->TopOffset = box.TopOffset;
  for (int x = left; x < left + glyph->Width; ++x) {
    for (Column column = columns[static_cast<size_t>(x)] >> top; column != 0;
         column &= column - 1) {
      glyph->SetPixel(x - left, std::countr_zero(column), true);
    }
  }
  return true;
}

KeyRange Below(SplitKey key, int end) {
  return {key, INT_MIN, end};
}

KeyRange From(SplitKey key, int start) {
  return {key, start, INT_MAX};
}

}  // namespace capter
