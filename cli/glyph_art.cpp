#include "cli/glyph_art.h"

#include <algorithm>

#include "ocr/line_table.h"

namespace capter::cli {
namespace {

constexpr int kContextColumns = 24;
constexpr const char* kOwnPixel = "\u2588";    // full block
constexpr const char* kOtherPixel = "\u2591";  // light shade

bool Inside(const CharBox& box, int x, int y) {
  return x >= box.Left && x <= box.Right() && y >= box.Top && y <= box.Bottom();
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

}  // namespace capter::cli
