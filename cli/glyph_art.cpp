#include "cli/glyph_art.h"

#include <algorithm>

#include "ocr/line_table.h"

namespace capter::cli {
namespace {

constexpr int kContextColumns = 24;
constexpr int kMaxLineColumns = 160;
constexpr const char* kOwnPixel = "\u2588";    // full block
constexpr const char* kOtherPixel = "\u2591";  // light shade

bool Inside(const CharBox& box, int x, int y) {
  return x >= box.Left && x <= box.Right() && y >= box.Top && y <= box.Bottom();
}

// Whether pixel (x, y) belongs to one of the request's unknown boxes.
bool InUnknownBox(const TeachRequest& request, int x, int y) {
  const TextLine& line = request.Line();
  for (size_t j : request.unknownIndices) {
    const CharBox& box = line.boxes[j];
    if (Inside(box, x, y) && request.bitmap.Pixel(x, y) == MarkOf(j)) return true;
  }
  return false;
}

}  // namespace

std::string UnknownCharacterArt(const TeachRequest& request, Colour textColour) {
  const Picture24& bitmap = request.bitmap;
  const TextLine& line = request.Line();
  const CharBox& box = request.Box();
  const Colour own = MarkOf(request.index);
  const int left = std::max(0, box.Left - kContextColumns);
  const int right = std::min(bitmap.Width() - 1, box.Right() + kContextColumns);
  const int top = std::max(0, std::min<int>(line.top, box.Top));
  const int bottom = std::min(bitmap.Height() - 1, std::max<int>(line.bottom, box.Bottom()));
  std::string art;
  for (int y = top; y <= bottom; ++y) {
    std::string row;
    for (int x = left; x <= right; ++x) {
      const Colour c = bitmap.Pixel(x, y);
      if (Inside(box, x, y) && c == own) {
        row += kOwnPixel;
      } else if (c == kMarkA || c == kMarkB || c == textColour) {
        row += kOtherPixel;
      } else {
        row += ' ';
      }
    }
    while (!row.empty() && row.back() == ' ') row.pop_back();
    art += row + "\n";
  }
  art += std::string(box.Left - left, ' ') + std::string(box.Width, '^') + "\n";
  return art;
}

std::string UnknownLineArt(const TeachRequest& request, Colour textColour) {
  const Picture24& bitmap = request.bitmap;
  const TextLine& line = request.Line();
  if (line.boxes.empty()) return {};
  int left = bitmap.Width(), right = 0;
  for (const CharBox& box : line.boxes) {
    left = std::min<int>(left, box.Left);
    right = std::max(right, box.Right());
  }
  right = std::min(right, bitmap.Width() - 1);
  const int top = std::max(0, line.top), bottom = std::min(bitmap.Height() - 1, line.bottom);
  const int step = (right - left) / kMaxLineColumns + 1;
  std::string art;
  for (int y = top; y <= bottom; y += step) {
    std::string row;
    for (int x = left; x <= right; x += step) {
      bool own = false, other = false;
      for (int cy = y; cy < y + step && cy <= bottom; ++cy) {
        for (int cx = x; cx < x + step && cx <= right; ++cx) {
          const Colour c = bitmap.Pixel(cx, cy);
          own = own || InUnknownBox(request, cx, cy);
          other = other || c == kMarkA || c == kMarkB || c == textColour;
        }
      }
      row += own ? kOwnPixel : other ? kOtherPixel : " ";
    }
    while (!row.empty() && row.back() == ' ') row.pop_back();
    art += row + "\n";
  }
  std::string carets((right - left) / step + 1, ' ');
  for (size_t j : request.unknownIndices) {
    const CharBox& box = line.boxes[j];
    for (int x = box.Left; x <= box.Right(); ++x) carets[(x - left) / step] = '^';
  }
  while (!carets.empty() && carets.back() == ' ') carets.pop_back();
  return art + carets + "\n";
}

}  // namespace capter::cli
