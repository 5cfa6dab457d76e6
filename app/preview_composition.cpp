#include "app/preview_composition.h"

#include <algorithm>
#include <array>

#include "stream/palette_greys.h"

namespace capter {
namespace {

constexpr std::array<int, 3> kPresetRows = {85, 94, 135};
constexpr int kFrameBorder = 2;

int Scaled(uint32_t zoom, int value) {
  return static_cast<int>(zoom * static_cast<uint32_t>(std::max(value, 0)) / 1000);
}

}  // namespace

PreviewLayout ComposePreview(uint16_t zoom, bool atTruePos, const Rect& area, int width,
                             int height) {
  PreviewLayout layout;
  layout.frame = {0, 0, Scaled(zoom, kScreenWidth) + 2 * kFrameBorder,
                  Scaled(zoom, kScreenHeight) + 2 * kFrameBorder};
  layout.background = {kFrameBorder, kFrameBorder, layout.frame.width - 2 * kFrameBorder,
                       layout.frame.height - 2 * kFrameBorder};
  layout.stretched = zoom != 1000;
  const int x = atTruePos ? area.x1 : 0;
  const int y = atTruePos ? area.y1 : 0;
  layout.picture = {Scaled(zoom, x) + kFrameBorder, Scaled(zoom, y) + kFrameBorder,
                    layout.stretched ? Scaled(zoom, width) : width,
                    layout.stretched ? Scaled(zoom, height) : height};
  return layout;
}

Colour PreviewTransparentColour(RunAction action, const ColourRoles& roles,
                                const BmpExportSettings& bmp) {
  if (action == RunAction::Recognise) return kPaletteGreys[roles.Order()[0] & 3];
  return bmp.Colours[0];
}

uint16_t AutoZoom(int width, int height) {
  const int64_t zx = width > 23 ? int64_t{width - 23} * 1000 / kScreenWidth : 1;
  const int64_t zy = height > 110 ? int64_t{height - 110} * 1000 / kScreenHeight : 1;
  return static_cast<uint16_t>(std::min(zx, zy));
}

int LetterBoxRows(const PreviewSettings& settings) {
  const int rows = settings.BackMode == kBackFree
                       ? settings.FreeAspectRatio
                       : kPresetRows[std::min<size_t>(settings.AspectRatioMode, 2)];
  return std::min(rows, kScreenHeight / 2);
}

Picture24 LetterBoxBackground(const PreviewSettings& settings) {
  Picture24 picture(kScreenWidth, kScreenHeight);
  picture.Fill(settings.InnerColor);
  const int rows = LetterBoxRows(settings);
  if (rows > 0) {
    picture.FillRect({0, 0, kScreenWidth - 1, rows - 1}, settings.BorderColor);
    picture.FillRect({0, kScreenHeight - rows, kScreenWidth - 1, kScreenHeight - 1},
                     settings.BorderColor);
  }
  return picture;
}

std::string FreeRatioText(int rows) {
  const int lines = kScreenHeight - 2 * rows;
  if (lines <= 0) return "*";
  // Hundredths of 720 / lines, rounded to nearest with halves to even.
  const int64_t scaled = int64_t{kScreenWidth} * 100;
  int64_t hundredths = scaled / lines;
  const int64_t rest2 = (scaled % lines) * 2;
  if (rest2 > lines || (rest2 == lines && hundredths % 2 == 1)) ++hundredths;
  std::string text = std::to_string(hundredths / 100);
  const int64_t fraction = hundredths % 100;
  if (fraction != 0) {
    text += '.';
    text += static_cast<char>('0' + fraction / 10);
    if (fraction % 10 != 0) text += static_cast<char>('0' + fraction % 10);
  }
  return text + ":1";
}

}  // namespace capter
