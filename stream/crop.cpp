#include "stream/crop.h"

namespace capter {
namespace {

// Tests pixels against one colour, either for equality or for difference.
class InterestTest {
 public:
  InterestTest(Colour colour, bool wantEqual)
      : b_(BlueOf(colour)), g_(GreenOf(colour)), r_(RedOf(colour)), wantEqual_(wantEqual) {}

  bool operator()(const uint8_t* p) const {
    const bool equal = p[0] == b_ && p[1] == g_ && p[2] == r_;
    return equal == wantEqual_;
  }

  // Index of the first pixel of interest in row span [from, to), or -1.
  int FirstInRow(const uint8_t* row, int from, int to) const {
    for (int x = from; x < to; ++x) {
      if ((*this)(row + 3 * x)) return x;
    }
    return -1;
  }

 private:
  uint8_t b_, g_, r_;
  bool wantEqual_;
};

}  // namespace

bool CropToContent(Picture24& picture, CropMode mode, Colour textColour, Rect& area,
                   const PaletteGreys& greys) {
  const InterestTest interesting =
      mode == CropMode::Text ? InterestTest(textColour, true) : InterestTest(greys[0], false);
  const int width = picture.Width(), height = picture.Height();
  int y1 = 0;
  while (y1 < height && interesting.FirstInRow(picture.Row(y1), 0, width) < 0) ++y1;
  if (y1 == height) return false;
  int y2 = height - 1;
  while (interesting.FirstInRow(picture.Row(y2), 0, width) < 0) --y2;
  // Columns: the leftmost and rightmost hits over the rows in between, found
  // row by row so that memory is walked in order.
  int x1 = width, x2 = -1;
  for (int y = y1; y <= y2; ++y) {
    const uint8_t* row = picture.Row(y);
    const int left = interesting.FirstInRow(row, 0, x1);
    if (left >= 0) x1 = left;
    for (int x = width - 1; x > x2; --x) {
      if (interesting(row + 3 * x)) {
        x2 = x;
        break;
      }
    }
  }
  area = Rect{x1, y1, x2, y2};
  picture.CropTo(area);
  return true;
}

}  // namespace capter
