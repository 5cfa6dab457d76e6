// Block-character pictures for the terminal: an unknown character within the
// rows of its text line, so that a person can tell what to answer.
#pragma once

#include <string>

#include "ocr/character_teacher.h"

namespace capter::cli {

// The line of the request's character, cut to the character and some
// columns of context on each side, one text row per picture row: the
// character's own pixels as full blocks, its neighbours' as light shade,
// background as spaces, with a row of carets under the character. Lines end
// in '\n'.
std::string UnknownCharacterArt(const TeachRequest& request, Colour textColour);

// The whole line of a whole-line request: the unknown boxes' pixels as full
// blocks, the known characters' as light shade, carets under the unknown
// boxes. A line wider than 160 columns is drawn with one block for every
// square of 2, 3, ... pixels.
std::string UnknownLineArt(const TeachRequest& request, Colour textColour);

}  // namespace capter::cli
