#include "ocr/text_greys.h"

#include <algorithm>

namespace capter {

bool CropToTextGreys(Picture24& picture, const TextGreys& text, Rect& area) {
  int left = picture.Width(), right = -1, top = picture.Height(), bottom = -1;
  for (int y = 0; y < picture.Height(); ++y) {
    const uint8_t* p = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x, p += 3) {
      if (!text.Has(p)) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return false;
  area = Rect{left, top, right, bottom};
  picture.CropTo(area);
  return true;
}

}  // namespace capter
