// Looking for an existing matrix file that already knows a character: the
// "*.sum" files of a folder are tried in name order, and the first one with
// a matching entry that the user accepts becomes the current matrix.
#pragma once

#include <string>

#include "base/message_box.h"
#include "ocr/character_matrix.h"
#include "ocr/glyph.h"
#include "ocr/line_table.h"
#include "ocr/ocr_settings.h"

namespace capter {

// The folder searched: the program's folder followed by "ChMatrix/".
std::string MatrixSearchFolder(const std::string& programDirectory);

// Tries every matrix file of `folder`. On an accepted match, the found
// matrix replaces `current` (without asking to save the old one), `text`
// gets the matching entry's text and true is returned. Otherwise the user
// is told that nothing was found and `current` is untouched.
bool SearchMatchingMatrix(const std::string& folder, const Glyph& glyph, const CharBox& box,
                          const OcrSettings& settings, CharacterMatrix& current,
                          MessageBoxes& boxes, std::string& text);

}  // namespace capter
