#include "ocr/teaching_image.h"

#include <algorithm>

namespace capter {

namespace {

void SetClipped(Picture24& picture, int x, int y, Colour c) {
  if (x >= 0 && y >= 0 && x < picture.Width() && y < picture.Height()) picture.SetPixel(x, y, c);
}

// A one-pixel outline of the inclusive rectangle, clipped to the picture.
void DrawFrame(Picture24& picture, const Rect& r, Colour c) {
  for (int x = r.x1; x <= r.x2; ++x) {
    SetClipped(picture, x, r.y1, c);
    SetClipped(picture, x, r.y2, c);
  }
  for (int y = r.y1; y <= r.y2; ++y) {
    SetClipped(picture, r.x1, y, c);
    SetClipped(picture, r.x2, y, c);
  }
}

}  // namespace

void ComposeTeachingImage(const TeachRequest& request, Picture24& out, const PaletteGreys& greys) {
  out.Resize(kTeachingImageWidth, kTeachingImageHeight);
  out.Fill(greys[0]);
  const TextLine& line = request.Line();
  const CharBox& box = request.Box();

  // Centred on the character horizontally and on the line vertically. The
  // line's top is the last box at offset 0; the line's own top row stands
  // in when no box has that offset (its top part was a rejected speck).
  const int xoff = box.Width < kTeachingImageWidth ? (kTeachingImageWidth - box.Width) / 2 : 0;
  int lineTop = line.top;
  int lineEnd = 0;
  for (const CharBox& b : line.boxes) {
    if (b.TopOffset == 0) lineTop = b.Top;
    lineEnd = std::max(lineEnd, b.Top + b.Height);
  }
  const int rows = lineEnd - lineTop + 1;
  const int yoff = (kTeachingImageHeight - rows) / 2;
  const int sourceLeft = box.Left - xoff;
  out.CopyRect(request.bitmap,
               Rect{sourceLeft, lineTop, sourceLeft + kTeachingImageWidth - 1, lineTop + rows - 1},
               0, yoff);
  DrawFrame(
      out,
      Rect{xoff - 1, yoff + box.TopOffset - 1, xoff + box.Width, yoff + box.TopOffset + box.Height},
      kTeachingFrame);
}

void ComposeLineTeachingImage(const TeachRequest& request, Picture24& out) {
  const Picture24& bitmap = request.bitmap;
  const TextLine& line = request.Line();
  int left = bitmap.Width() - 1, right = 0;
  for (const CharBox& box : line.boxes) {
    left = std::min<int>(left, box.Left);
    right = std::max(right, box.Right());
  }
  left = std::max(left - 1, 0);
  right = std::min(right + 1, bitmap.Width() - 1);
  const int top = std::max(line.top - 1, 0);
  const int bottom = std::min(line.bottom + 1, bitmap.Height() - 1);
  if (right < left || bottom < top) {
    out.Resize(1, 1);
    out.Fill(bitmap.Width() > 0 && bitmap.Height() > 0 ? bitmap.Pixel(0, 0) : Colour{});
    return;
  }
  out.Resize(right - left + 1, bottom - top + 1);
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) out.SetPixel(x - left, y - top, bitmap.Pixel(x, y));
  }
  for (size_t j : request.unknownIndices) {
    const CharBox& box = line.boxes[j];
    DrawFrame(out,
              Rect{box.Left - left - 1, box.Top - top - 1, box.Right() - left + 1,
                   box.Bottom() - top + 1},
              kTeachingFrame);
  }
}

}  // namespace capter
