// Decoding a sub-picture unit's run-length coded fields into a 24-bit
// picture painted with fixed greys.
#pragma once

#include "stream/palette_greys.h"
#include "stream/picture.h"
#include "stream/sub_picture.h"

namespace capter {

// The picture every unit is decoded into (owned by its user, reused).
using DecodedBitmap = Picture24;

// Paints the parsed `unit` into `target`, which becomes DisplayWidth() x
// DisplayHeight(): background with greys[0], codes 1..3 with the red byte of
// their entry in all three channels. The top field fills rows 0, 2, 4, ...
// from the top line offset through the bottom line offset; the bottom field
// rows 1, 3, 5, ... from the bottom line offset through the control offset.
// Only collected bytes are read: a field that runs past them stops there and
// the rest of the picture stays background.
void DecodeSubPicture(const SubPicture& unit, DecodedBitmap& target,
                      const PaletteGreys& greys = kPaletteGreys);

}  // namespace capter
