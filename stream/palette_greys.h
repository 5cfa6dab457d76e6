// The four fixed greys in which pixel codes 0..3 of a sub-picture are
// decoded, so that recognition always sees the same levels whatever colours
// the disc uses. Code 0 is the background.
#pragma once

#include <array>

#include "stream/picture.h"

namespace capter {

using PaletteGreys = std::array<Colour, 4>;

inline constexpr PaletteGreys kPaletteGreys{MakeColour(0, 0, 0), MakeColour(85, 85, 85),
                                            MakeColour(170, 170, 170), MakeColour(255, 255, 255)};

}  // namespace capter
