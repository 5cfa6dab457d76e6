#include "ocr/line_teaching.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "ocr/bar_letters.h"
#include "ocr/line_alignment.h"
#include "ocr/matcher.h"
#include "ocr/segmentation.h"
#include "ocr/touching_split.h"

namespace capter {

namespace {

// The line as the matrix reads it now, and the question about it.
struct LineReading {
  std::vector<AlignedBox> boxes;
  std::vector<size_t> unknown;
  std::vector<Glyph> unknownGlyphs;
  std::vector<std::string> unknownProposals;
  std::string text;
};

LineReading ReadKnown(const LineQuestion& q, const RecognitionContext& context) {
  const TextLine& line = q.table.lines[q.lineIndex];
  const OcrSettings& settings = context.settings;
  const CharacterMatrix& matrix = context.matrix;
  const int spaceThreshold = settings.AutoSpaces ? LineSpaceThreshold(line, settings) : 0;
  LineReading reading;
  BarLetters bars;
  for (size_t j = 0; j < line.boxes.size(); ++j) {
    const CharBox& box = line.boxes[j];
    Glyph glyph = ExtractGlyph(q.bitmap, box, MarkOf(j));
    AlignedBox aligned{.known = true, .text = {}, .width = box.Width, .height = box.Height};
    const size_t start = reading.text.size();
    if (const size_t k = MatchGlyph(glyph, box, matrix, settings); k > 0) {
      aligned.text = matrix.Entry(k).text;
      reading.text += aligned.text;
      bars.NoteEntry(reading.text, start, glyph);
    } else if (const SplitReading split =
                   settings.SplitTouching
                       ? ReadTouchingCharacters(q.bitmap, line, box, MarkOf(j), matrix, settings)
                       : SplitReading{};
               split.parts != 0) {
      aligned.text = split.text;
      reading.text += aligned.text;
      bars.NoteSplit(reading.text, start, split, q.bitmap, MarkOf(j));
    } else {
      aligned.known = false;
      reading.unknown.push_back(j);
      reading.unknownProposals.push_back(q.proposal ? q.proposal(j, glyph) : std::string{});
      reading.unknownGlyphs.push_back(std::move(glyph));
      aligned.text = reading.unknownProposals.back();
      reading.text += aligned.text;
    }
    // Spaces only between characters shown: an unknown box without a
    // proposal shows nothing.
    if (!reading.text.empty() && reading.text.back() != ' ' &&
        SpaceAfter(line, j, settings, spaceThreshold)) {
      reading.text += ' ';
    }
    reading.boxes.push_back(std::move(aligned));
  }
  while (!reading.text.empty() && reading.text.back() == ' ') reading.text.pop_back();
  // Plain bars shown as the finished line will read them.
  if (settings.IAndLByContext) bars.Decide(reading.text, q.before);
  return reading;
}

Rect OnScreen(const LineQuestion& q, int left, int top, int right, int bottom) {
  return Rect{q.screenX + left, q.screenY + top, q.screenX + right, q.screenY + bottom};
}

// Adds the boxes `assignment` settles, each unless the matrix already
// reads its shape with the same text.
void TeachSettledBoxes(const LineQuestion& q, const LineAssignment& assignment,
                       const RecognitionContext& context) {
  const TextLine& line = q.table.lines[q.lineIndex];
  for (size_t j = 0; j < assignment.size(); ++j) {
    if (!assignment[j]) continue;
    const CharBox& box = line.boxes[j];
    Glyph glyph = ExtractGlyph(q.bitmap, box, MarkOf(j));
    const size_t k = MatchGlyph(glyph, box, context.matrix, context.settings);
    if (k > 0 && context.matrix.Entry(k).text == *assignment[j]) continue;
    context.matrix.Add(MatrixEntry{std::move(glyph), *assignment[j]}, context.boxes);
  }
}

}  // namespace

TeachAnswer TeachWholeLine(const LineQuestion& q, const RecognitionContext& context) {
  TeachAnswer readOn{TeachStatus::Ok, {}, false};
  LineReading reading = ReadKnown(q, context);
  if (reading.unknown.empty()) return readOn;
  const TextLine& line = q.table.lines[q.lineIndex];
  const size_t first = reading.unknown.front();
  const CharBox& firstBox = line.boxes[first];
  TeachRequest request{
      reading.unknownGlyphs.front(),
      q.bitmap,
      q.table,
      q.lineIndex,
      first,
      context.matrix.Count() + 1,
      reading.unknownProposals.front(),
      OnScreen(q, firstBox.Left, firstBox.Top, firstBox.Right(), firstBox.Bottom()),
      q.start};
  request.wholeLine = true;
  request.reading = std::move(reading.text);
  request.unknownIndices = reading.unknown;
  for (size_t j : reading.unknown) {
    const CharBox& box = line.boxes[j];
    request.unknownScreenBoxes.push_back(OnScreen(q, box.Left, box.Top, box.Right(), box.Bottom()));
  }
  int right = 0;
  for (const CharBox& box : line.boxes) right = std::max(right, box.Right());
  request.lineScreenBox = OnScreen(q, line.boxes.front().Left, line.top, right, line.bottom);

  TeachAnswer answer = context.teacher.Teach(request);
  // A found matrix replaced the current one: the line is read against it.
  if (answer.status == TeachStatus::MatrixFound) return readOn;
  if (answer.status != TeachStatus::Ok) return answer;
  if (answer.text.size() > kMaxLineAnswer) answer.text.resize(kMaxLineAnswer);
  if (!answer.text.empty()) {
    TeachSettledBoxes(q, AlignLineAnswer(reading.boxes, answer.text, line.bottom - line.top + 1),
                      context);
  }
  return readOn;
}

}  // namespace capter
