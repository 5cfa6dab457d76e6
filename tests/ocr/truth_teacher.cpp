#include "tests/ocr/truth_teacher.h"

namespace capter::testing {

std::string NonSpaceCharacters(const std::string& line) {
  std::string out;
  for (char c : line) {
    if (c != ' ') out += c;
  }
  return out;
}

bool LineIsTeachable(const LineTable& table, int lineIndex,
                     const std::vector<std::string>& expected) {
  if (table.count != static_cast<int>(expected.size()) || lineIndex >= table.count) return false;
  return table.lines[lineIndex].boxes.size() == NonSpaceCharacters(expected[lineIndex]).size();
}

TeachAnswer TruthTeacher::Teach(const TeachRequest& request) {
  ++prompts;
  promptLines.push_back(request.lineIndex);
  TeachAnswer answer;
  if (frozen_ && request.wholeLine) {
    answer.status = TeachStatus::Ok;  // empty: the boxes are asked one by one
    return answer;
  }
  if (frozen_) {
    ++frozenUnknowns;
    answer.status = TeachStatus::MatrixFound;  // use the text, add nothing
    answer.text = std::string(1, kUnknownShape);
    return answer;
  }
  if (!LineIsTeachable(request.table, request.lineIndex, expected_)) {
    ++skippedLines;
    answer.status = TeachStatus::SkipLine;
    return answer;
  }
  answer.status = TeachStatus::Ok;
  const std::string characters = NonSpaceCharacters(expected_[request.lineIndex]);
  answer.text = request.wholeLine ? characters : characters.substr(request.index, 1);
  return answer;
}

}  // namespace capter::testing
