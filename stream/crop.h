// Trimming a decoded picture to the smallest rectangle that holds every pixel
// of interest.
#pragma once

#include "stream/palette_greys.h"
#include "stream/picture.h"

namespace capter {

enum class CropMode {
  NonBackground,  // pixels whose colour differs from the background grey
  Text,           // pixels whose colour equals the text colour
};

// Finds the rectangle (in the picture's coordinates before trimming), moves
// it to the top-left corner and shrinks the picture to it. When no pixel is
// of interest, nothing changes and false is returned (`area` untouched).
// `textColour` is used in Text mode only.
bool CropToContent(Picture24& picture, CropMode mode, Colour textColour, Rect& area,
                   const PaletteGreys& greys = kPaletteGreys);

}  // namespace capter
