// The question recognition asks for every character shape the matrix does
// not know: the desktop program shows its New Character dialog, tests and
// the command-line tool answer from a script or a policy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ocr/glyph.h"
#include "ocr/line_table.h"
#include "stream/picture.h"
#include "stream/time_code.h"

namespace capter {

enum class TeachStatus : uint8_t {
  Ok = 0,              // add the glyph with the answer's text to the matrix
  SkipLine = 1,        // drop the current line, go on with the next
  SkipSubPicture = 2,  // abandon the sub-picture
  Pause = 3,           // abandon the sub-picture and pause the run
  MatrixFound = 5,     // use the answer's text, add nothing: a matrix that
                       // already knows the shape has become current
};

// The longest answer to a whole-line question; longer ones are cut.
inline constexpr size_t kMaxLineAnswer = 1024;

struct TeachAnswer {
  TeachStatus status = TeachStatus::Pause;
  // At most 20 characters (longer answers are cut); for a whole line at
  // most kMaxLineAnswer, and empty asks for the line box by box.
  std::string text;
  // With Pause: the user asked for a new text colour, so the choice is
  // forgotten and asked again when the sub-picture is read again.
  bool changeTextColour = false;
};

struct TeachRequest {
  const Glyph& glyph;
  const Picture24& bitmap;  // cropped and marked
  const LineTable& table;
  int lineIndex;        // of the character's line in `table`, from 0
  size_t index;         // of the unknown character in its line, from 0
  size_t symbolNumber;  // the number the character gets if it is added
  // What the character probably is (the closest entry's text, or two or
  // three entries side by side), or empty for no proposal.
  std::string proposal = {};
  // The character's box on the screen, inclusive (display area plus its
  // place in the picture).
  Rect screenBox = {};
  // When the sub-picture starts.
  TimeCode start = {};

  // The whole-line form: the teacher is asked for the text of the whole
  // line at once. `index`, `glyph`, `proposal` and `screenBox` are then
  // those of the first unknown box. The answer is the line as read (spaces
  // allowed); MatrixFound, or an empty text, has the line asked box by box.
  bool wholeLine = false;
  // The line as read so far: the known characters and each unknown box's
  // proposal (nothing without one), with the line's spaces.
  std::string reading = {};
  // The boxes neither matched nor read as touching known characters:
  // their indices in the line and their boxes on the screen.
  std::vector<size_t> unknownIndices = {};
  std::vector<Rect> unknownScreenBoxes = {};
  // The line on the screen, inclusive: from its first box's left column to
  // its last box's right column, over the line's rows.
  Rect lineScreenBox = {};

  const TextLine& Line() const { return table.lines[lineIndex]; }
  const CharBox& Box() const { return Line().boxes[index]; }
};

class CharacterTeacher {
 public:
  virtual ~CharacterTeacher() = default;
  virtual TeachAnswer Teach(const TeachRequest& request) = 0;
};

}  // namespace capter
