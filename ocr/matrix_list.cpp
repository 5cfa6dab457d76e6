#include "ocr/matrix_list.h"

#include <algorithm>
#include <cctype>

#include "base/message_ids.h"
#include "base/message_table.h"
#include "ocr/matrix_commands.h"

namespace capter {

namespace {

unsigned char Folded(char c) {
  return static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)));
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Folded(x) < Folded(y); });
}

}  // namespace

std::string MatrixListLine(const std::string& text, size_t number) {
  return "\"" + text + "\"    " + std::to_string(number);
}

std::vector<size_t> MatrixListOrder(const CharacterMatrix& matrix, MatrixOrder order) {
  std::vector<size_t> numbers(matrix.Count());
  for (size_t i = 0; i < numbers.size(); ++i) numbers[i] = i + 1;
  if (order == MatrixOrder::Index) return numbers;
  std::vector<std::string> lines(matrix.Count() + 1);
  for (size_t n : numbers) lines[n] = MatrixListLine(matrix.Entry(n).text, n);
  std::stable_sort(numbers.begin(), numbers.end(), [&lines](size_t a, size_t b) {
    if (LessIgnoringCase(lines[a], lines[b])) return true;
    if (LessIgnoringCase(lines[b], lines[a])) return false;
    return lines[a] < lines[b];
  });
  return numbers;
}

std::optional<size_t> FirstLineStartingWith(const CharacterMatrix& matrix,
                                            const std::vector<size_t>& order, char typed) {
  for (size_t position = 0; position < order.size(); ++position) {
    const std::string& text = matrix.Entry(order[position]).text;
    if (!text.empty() && Folded(text[0]) == Folded(typed)) return position;
  }
  return std::nullopt;
}

std::optional<size_t> PositionAfterDelete(size_t position, size_t count) {
  if (count == 0) return std::nullopt;
  return std::min(position, count - 1);
}

std::string MatrixEditorTitle(const std::string& fileName) {
  return "View/Edit Character Matrix - " + FileNameOnly(fileName) + " -";
}

std::string DeleteCharacterQuestion(const std::string& text) {
  const MessageTable& m = Messages();
  return m.GetMessage(kMsgDeleteCharacter) + text + m.GetMessage(kMsgDeleteCharacterEnd);
}

void DrawGlyphTwice(const Glyph& glyph, Picture24& out) {
  out.Resize(2 * glyph.Width, 2 * glyph.Height);
  for (int y = 0; y < out.Height(); ++y) {
    for (int x = 0; x < out.Width(); ++x) {
      const bool on = glyph.Pixel(x / 2, y / 2);
      out.SetPixel(x, y, on ? MakeColour(255, 255, 255) : MakeColour(0, 0, 0));
    }
  }
}

}  // namespace capter
