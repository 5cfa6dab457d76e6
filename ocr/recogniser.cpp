#include "ocr/recogniser.h"

#include "ocr/matcher.h"
#include "stream/crop.h"

namespace capter {

RecognitionOutcome Recogniser::RecogniseSubPicture(Picture24& bitmap, const Rect& area,
                                                   const TimeCode& start, const TimeCode& stop) {
  lines_.clear();
  TextColourState& colour = context_.colour;
  if (!colour.Chosen()) {
    const std::optional<uint8_t> index = context_.chooser.ChooseTextColour(bitmap, colour);
    if (!index) return RecognitionOutcome::ColourSkipped;
    colour.TextColourIndex = *index & 3;
    SelectTextColour(colour, colour.TextColourIndex, context_.greys);
  }
  Rect textArea;
  CropToContent(bitmap, CropMode::Text, colour.TextColour, textArea, context_.greys);
  if (preview_) preview_(bitmap);
  segmenter_.Segment(bitmap, colour.TextColour, context_.settings, table_);

  for (int i = 0; i < table_.count; ++i) {
    lines_.emplace_back();
    RecognitionOutcome outcome = RecognitionOutcome::NoText;
    if (!ReadLine(bitmap, i, lines_.back(), outcome)) {
      lines_.clear();
      return outcome;
    }
    if (lines_.back().empty()) lines_.pop_back();
  }
  if (lines_.empty()) return RecognitionOutcome::NoText;
  context_.sink.AddSubtitle(lines_, true, area, start, stop);
  return RecognitionOutcome::Added;
}

bool Recogniser::ReadLine(const Picture24& bitmap, int lineIndex, std::string& text,
                          RecognitionOutcome& outcome) {
  const TextLine& line = table_.lines[lineIndex];
  CharacterMatrix& matrix = context_.matrix;
  for (size_t j = 0; j < line.boxes.size(); ++j) {
    const CharBox& box = line.boxes[j];
    const Glyph glyph = ExtractGlyph(bitmap, box, MarkOf(j));
    const size_t k = MatchGlyph(glyph, box, matrix, context_.settings);
    if (k > 0) {
      text += matrix.Entry(k).text;
    } else {
      TeachAnswer answer = context_.teacher.Teach(
          TeachRequest{glyph, bitmap, table_, lineIndex, j, matrix.Count() + 1});
      if (answer.text.size() > CharacterMatrix::kMaxEntryText) {
        answer.text.resize(CharacterMatrix::kMaxEntryText);
      }
      switch (answer.status) {
        case TeachStatus::Ok:
          matrix.Add(MatrixEntry{glyph, answer.text}, context_.boxes);
          break;
        case TeachStatus::MatrixFound:
          break;
        case TeachStatus::SkipLine:
          text.clear();
          return true;
        case TeachStatus::SkipSubPicture:
          outcome = RecognitionOutcome::SubPictureSkipped;
          return false;
        case TeachStatus::Pause:
        default:
          if (answer.changeTextColour) context_.colour.Reset();
          outcome = RecognitionOutcome::Paused;
          return false;
      }
      text += answer.text;
    }
    if (SpaceAfter(line, j, context_.settings)) text += ' ';
  }
  return true;
}

}  // namespace capter
