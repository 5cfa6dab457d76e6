// What the main window's preview draws, composed from the preview settings:
// the screen frame for a zoom, where the background and the sub-picture go
// inside it, the letter-box background picture, the automatic zoom for a
// window size and the free ratio's text. The window only paints the result.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/preview_settings.h"
#include "export/bmp_export_settings.h"
#include "stream/extraction_run.h"
#include "stream/picture.h"
#include "stream/sub_picture.h"

namespace capter {

// A placed rectangle in the preview's coordinates (the frame's top-left
// corner is 0, 0).
struct Placement {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Placement&, const Placement&) = default;
};

struct PreviewLayout {
  Placement frame;       // the bevelled screen frame
  Placement background;  // 2 pixels inside the frame, the 720 x 576 picture stretched
  Placement picture;     // the sub-picture
  bool stretched = false;
};

// The layout at `zoom` (thousandths) of a picture of `width` x `height`
// shown at `area` (its screen rectangle; only x1, y1 count, and only with
// AtTruePos).
PreviewLayout ComposePreview(uint16_t zoom, bool atTruePos, const Rect& area, int width,
                             int height);

// The colour drawn transparent with TransparentBkGrd: the grey of the
// Background role in recognition runs, the Background role's output colour
// in the others.
Colour PreviewTransparentColour(RunAction action, const ColourRoles& roles,
                                const BmpExportSettings& bmp);

// The zoom that fits a window of `width` x `height` (outer size).
uint16_t AutoZoom(int width, int height);

// The height of each letter-box bar: 85, 94 or 135 lines for the preset
// ratios, FreeAspectRatio for the free one (at most half the screen).
int LetterBoxRows(const PreviewSettings& settings);

// The 720 x 576 background of the preset and free modes: bars in
// BorderColor, the rows between them in InnerColor.
Picture24 LetterBoxBackground(const PreviewSettings& settings);

// The free ratio shown beside its spin edit: 720 / (576 - 2 x rows) to two
// decimals (halves to even) in the shortest form, e.g. "1.4:1"; "*" when
// no rows are left.
std::string FreeRatioText(int rows);

}  // namespace capter
