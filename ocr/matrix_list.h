// What the matrix editor lists: one line per entry ("\"text\"    number"),
// in alphabetical order of the lines or in entry-number order, the line a
// typed first letter selects, the glyph drawn at twice its size, the
// window title and the delete question.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "ocr/character_matrix.h"
#include "stream/picture.h"

namespace capter {

enum class MatrixOrder { Alphabetical = 0, Index = 1 };

// A double quote, the text, a double quote, four spaces and the number.
std::string MatrixListLine(const std::string& text, size_t number);

// The entry numbers in list order. Alphabetical order compares the lines
// without regard to letter case, then by the bytes, then by number.
std::vector<size_t> MatrixListOrder(const CharacterMatrix& matrix, MatrixOrder order);

// The position in `order` of the first entry whose text begins with `typed`
// (letter case ignored), or nothing.
std::optional<size_t> FirstLineStartingWith(const CharacterMatrix& matrix,
                                            const std::vector<size_t>& order, char typed);

// The position to select after the line at `position` was deleted from a
// list that now has `count` lines (nothing when it is empty).
std::optional<size_t> PositionAfterDelete(size_t position, size_t count);

// "View/Edit Character Matrix - " + the file name without folder + " -".
std::string MatrixEditorTitle(const std::string& fileName);

// "Delete character \"text\" ?" from the message table.
std::string DeleteCharacterQuestion(const std::string& text);

// The glyph at twice its size: 2 x Width by 2 x Height, text pixels white
// on black.
void DrawGlyphTwice(const Glyph& glyph, Picture24& out);

}  // namespace capter
