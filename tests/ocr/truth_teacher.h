// A teacher that answers from the known text of the subtitle being
// recognised: when a line has as many boxes as its expected text has
// non-space characters, box j is character j (asked for the whole line, the
// line's characters); otherwise the line is skipped.
// Once frozen it teaches nothing: an unknown shape reads as kUnknownShape
// (so no line comes out empty and lines keep their places) and the matrix is
// left alone. Shared by the end-to-end tests and capter-eval.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ocr/character_teacher.h"
#include "ocr/line_table.h"

namespace capter::testing {

inline constexpr char kUnknownShape = '\x7F';

// The expected line without its spaces: what the boxes of the line show.
std::string NonSpaceCharacters(const std::string& line);

// Whether line `lineIndex` of `table` can be taught from `expected`: the
// picture has as many lines as the text and the line as many boxes as its
// text has non-space characters.
bool LineIsTeachable(const LineTable& table, int lineIndex,
                     const std::vector<std::string>& expected);

class TruthTeacher : public CharacterTeacher {
 public:
  // The lines of the subtitle about to be recognised.
  void SetExpected(const std::vector<std::string>& lines) { expected_ = lines; }
  void Freeze() { frozen_ = true; }

  TeachAnswer Teach(const TeachRequest& request) override;

  size_t prompts = 0;            // questions asked
  std::vector<int> promptLines;  // the line of every question, from 0
  size_t skippedLines = 0;       // lines skipped as unteachable
  size_t frozenUnknowns = 0;     // unknown shapes met after freezing

 private:
  std::vector<std::string> expected_;
  bool frozen_ = false;
};

}  // namespace capter::testing
