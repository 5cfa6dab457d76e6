#include "export/export_rendition.h"

#include <algorithm>
#include <cstdint>

#include "stream/crop.h"

namespace capter {
namespace {

// The canvas side for a text side: at least `minimum`, rounded up to a
// multiple of `divisor` (0 acts as 1), then limited to the screen.
int CanvasSide(int text, int minimum, int divisor, int screen) {
  const int step = std::max(divisor, 1);
  int side = std::max(text, minimum);
  if (side % step != 0) side = step * (side / step + 1);
  return std::min(side, screen);
}

// The text's offset in a canvas `room` pixels larger than it: 0 left/top,
// 1 centre, 2 right/bottom, less the shift, kept within the room.
int64_t PlaceInCanvas(int room, uint8_t mode, int32_t shift) {
  int64_t offset = mode == 1 ? room / 2 : mode == 2 ? room : 0;
  offset -= shift;
  if (offset < 0) return 0;
  return std::min<int64_t>(offset, room);
}

// Moves a canvas edge on screen so that the canvas (`size` long) stays on the
// screen, shifting the text's offset so the text keeps its screen position.
void KeepOnScreen(int64_t& edge, int64_t& offset, int size, int screen) {
  if (edge < 0) {
    offset += edge;
    edge = 0;
  }
  if (edge + size > screen) {
    offset += edge + size - screen;
    edge = screen - size;
  }
}

Rect Crop(Picture24& work, const Rect& area, const BmpExportSettings& settings) {
  Rect box;
  if (!CropToContent(work, CropMode::NonBackground, 0, box)) {
    box = Rect{0, 0, work.Width() - 1, work.Height() - 1};
  }
  const int w = work.Width(), h = work.Height();
  const int canvasWidth = CanvasSide(w, settings.MinX, settings.DivX, kScreenWidth);
  const int canvasHeight = CanvasSide(h, settings.MinY, settings.DivY, kScreenHeight);
  int64_t ox = PlaceInCanvas(canvasWidth - w, settings.CropXMode, settings.CropShiftX);
  int64_t oy = PlaceInCanvas(canvasHeight - h, settings.CropYMode, settings.CropShiftY);
  int64_t x1 = int64_t{area.x1} + box.x1 - ox;
  int64_t y1 = int64_t{area.y1} + box.y1 - oy;
  KeepOnScreen(x1, ox, canvasWidth, kScreenWidth);
  KeepOnScreen(y1, oy, canvasHeight, kScreenHeight);

  Picture24 canvas(canvasWidth, canvasHeight);
  canvas.Fill(kPaletteGreys[0]);
  canvas.CopyRect(work, Rect{0, 0, w - 1, h - 1}, static_cast<int>(ox), static_cast<int>(oy));
  work = std::move(canvas);
  return Rect{static_cast<int32_t>(x1), static_cast<int32_t>(y1),
              static_cast<int32_t>(x1 + canvasWidth - 1),
              static_cast<int32_t>(y1 + canvasHeight - 1)};
}

// Palette indices are taken modulo 16: the palette has 16 entries, and an
// index from a hand-edited profile must not spill into a neighbouring nibble.
uint8_t RoleIndex(const BmpExportSettings& settings, int role) {
  return settings.PaletteIndex[role] & 0x0F;
}

void ConvertColours(const Picture24& work, const BmpExportSettings& settings,
                    const RoleColours& roleColours, PalettedPicture& rendition) {
  rendition.Resize(work.Width(), work.Height(), settings.BitsPerPixel == 8 ? 8 : 4);
  rendition.palette.fill(0);
  for (int i = 0; i < 16; ++i) {
    rendition.palette[i] = settings.UnusedColour;
    for (int r = 0; r < 4; ++r) {
      if (RoleIndex(settings, r) == i) rendition.palette[i] = settings.Colours[r];
    }
  }
  for (int y = 0; y < work.Height(); ++y) {
    uint8_t* row = rendition.Row(y);
    for (int x = 0; x < work.Width(); ++x) {
      const auto role = std::find(roleColours.begin(), roleColours.end(), work.Pixel(x, y));
      row[x] = RoleIndex(settings, role == roleColours.end() ? 0 : role - roleColours.begin());
    }
  }
}

// The new screen edge for positioning mode 1 (centre), 2 (right/bottom) or
// 3 (set), or the current one for mode 0; then shifted and kept on screen.
int32_t PositionEdge(int32_t edge, int size, int screen, uint8_t mode, int32_t setTo,
                     int32_t shift) {
  int64_t at = mode == 1   ? (screen - size) / 2
               : mode == 2 ? screen - size
               : mode == 3 ? setTo
                           : edge;
  at += shift;
  if (at < 0) at = 0;
  if (at + size > screen) at = screen - size;
  return static_cast<int32_t>(at);
}

}  // namespace

Rect RenderForExport(const Picture24& decoded, const Rect& area, const BmpExportSettings& settings,
                     const RoleColours& roleColours, PalettedPicture& rendition) {
  Picture24 work = decoded;
  Rect screen = area;
  if (settings.CropEnabled) screen = Crop(work, area, settings);
  ConvertColours(work, settings, roleColours, rendition);
  if (settings.PosEnabled) {
    const int w = rendition.Width(), h = rendition.Height();
    screen.x1 = PositionEdge(screen.x1, w, kScreenWidth, settings.PosXMode, settings.PosX,
                             settings.PosShiftX);
    screen.y1 = PositionEdge(screen.y1, h, kScreenHeight, settings.PosYMode, settings.PosY,
                             settings.PosShiftY);
    screen.x2 = screen.x1 + w - 1;
    screen.y2 = screen.y1 + h - 1;
  }
  return screen;
}

}  // namespace capter
