// The picture the teaching dialog shows: the unknown character in the
// context of its line, 150 x 50 pixels cut from the marked sub-picture, with
// a red frame one pixel outside the character's box.
#pragma once

#include "ocr/character_teacher.h"
#include "stream/palette_greys.h"
#include "stream/picture.h"

namespace capter {

inline constexpr int kTeachingImageWidth = 150;
inline constexpr int kTeachingImageHeight = 50;
inline constexpr Colour kTeachingFrame = MakeColour(255, 51, 51);

// Fills `out` (150 x 50) for the character `request` asks about.
void ComposeTeachingImage(const TeachRequest& request, Picture24& out,
                          const PaletteGreys& greys = kPaletteGreys);

// Fills `out` for a whole-line request: the marked picture cut to the
// line's rows and boxes (with a pixel of margin), every unknown box framed
// one pixel outside.
void ComposeLineTeachingImage(const TeachRequest& request, Picture24& out);

}  // namespace capter
