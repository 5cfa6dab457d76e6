#include "ocr/recogniser.h"

#include <algorithm>
#include <optional>

#include "ocr/line_teaching.h"
#include "ocr/mark_above.h"
#include "ocr/matcher.h"
#include "ocr/text_colour.h"
#include "ocr/touching_split.h"
#include "stream/crop.h"

namespace capter {

namespace {

// The closest entry is proposed only from this similarity up; below it the
// proposal would more likely mislead than help.
constexpr int kProposalFloor = 800;

// At most this many stray pieces are joined per sub-picture, each costing a
// new cut of the picture.
constexpr size_t kMaxStrayJoins = 32;

bool JoinsStrayPieces(const OcrSettings& settings) {
  return settings.SplitTouching && !settings.WholeGlyphs;
}

// What an answer that is neither Ok nor MatrixFound does to the line: it is
// skipped (the line empty, reading goes on: true) or the sub-picture is
// abandoned (false, `outcome` says how).
bool LeaveLine(const TeachAnswer& answer, TextColourState& colour, std::string& text,
               RecognitionOutcome& outcome) {
  switch (answer.status) {
    case TeachStatus::SkipLine:
      text.clear();
      return true;
    case TeachStatus::SkipSubPicture:
      outcome = RecognitionOutcome::SubPictureSkipped;
      return false;
    case TeachStatus::Pause:
    default:
      if (answer.changeTextColour) colour.Reset();
      outcome = RecognitionOutcome::Paused;
      return false;
  }
}

}  // namespace

RecognitionOutcome Recogniser::RecogniseSubPicture(Picture24& bitmap, const Rect& area,
                                                   const TimeCode& start, const TimeCode& stop) {
  lines_.clear();
  TextColourState& colour = context_.colour;
  const OcrSettings& settings = context_.settings;
  if (!colour.Chosen()) {
    colour.ExtraTextIndices = 0;
    colour.LayeredDetection = settings.LayeredDetection;
    colour.ProposeExtraIndices = settings.WholeGlyphs;
    const std::optional<uint8_t> index = context_.chooser.ChooseTextColour(bitmap, colour);
    if (!index) return RecognitionOutcome::ColourSkipped;
    colour.TextColourIndex = *index & 3;
    SelectTextColour(colour, colour.TextColourIndex, context_.greys);
  }
  area_ = area;
  start_ = start;
  textArea_ = Rect{};
  CropToText(bitmap);
  if (preview_) preview_(bitmap);
  joins_.clear();
  strayJoins_ = 0;
  antialiasKnown_ = false;
  if (JoinsStrayPieces(settings)) unmarked_ = bitmap;
  segmenter_.Segment(bitmap, CurrentTextGreys(), settings, table_);

  for (int i = 0; i < table_.count; ++i) {
    lines_.emplace_back();
    RecognitionOutcome outcome = RecognitionOutcome::NoText;
    bars_.Clear();
    if (!ReadLine(bitmap, i, lines_.back(), outcome)) {
      lines_.clear();
      return outcome;
    }
    if (lines_.back().empty()) {
      lines_.pop_back();
    } else if (settings.IAndLByContext) {
      bars_.Decide(lines_.back(), lines_.size() > 1 ? lines_[lines_.size() - 2].back() : '.');
    }
  }
  if (lines_.empty()) return RecognitionOutcome::NoText;
  context_.sink.AddSubtitle(lines_, true, area, start, stop);
  return RecognitionOutcome::Added;
}

TextGreys Recogniser::CurrentTextGreys() const {
  const TextColourState& colour = context_.colour;
  TextGreys text(colour.TextColour);
  if (!context_.settings.WholeGlyphs) return text;
  for (uint8_t i = 0; i < 4; ++i) {
    if (colour.ExtraTextIndices & (1u << i)) text.Add(context_.greys[i]);
  }
  return text;
}

void Recogniser::CropToText(Picture24& bitmap) {
  const TextGreys text = CurrentTextGreys();
  if (text.Count() > 1) {
    CropToTextGreys(bitmap, text, textArea_);
  } else {
    CropToContent(bitmap, CropMode::Text, context_.colour.TextColour, textArea_, context_.greys);
  }
}

Rect Recogniser::ScreenBox(const CharBox& box) const {
  const int x = area_.x1 + textArea_.x1 + box.Left;
  const int y = area_.y1 + textArea_.y1 + box.Top;
  return Rect{x, y, x + box.Width - 1, y + box.Height - 1};
}

std::string Recogniser::Proposal(const Picture24& bitmap, const TextLine& line, size_t index,
                                 const Glyph& glyph) const {
  const OcrSettings& settings = context_.settings;
  if (!settings.Proposals) return {};
  const CharacterMatrix& matrix = context_.matrix;
  const CharBox& box = line.boxes[index];
  const Colour mark = MarkOf(index);
  const EntryMatch closest = BestEntry(glyph, box, matrix, settings, kProposalFloor);
  // A near split: each part matched from halfway between the floor and a
  // perfect match, a little below what an automatic split needs.
  OcrSettings lenient = settings;
  lenient.Sensibility = static_cast<uint16_t>(kProposalFloor);
  const SplitReading split = settings.SplitTouching
                                 ? ReadTouchingCharacters(bitmap, line, box, mark, matrix, lenient)
                                 : SplitReading{};
  if (split.parts != 0 && split.similarity > closest.similarity) return split.text;
  if (closest.number != 0) return matrix.Entry(closest.number).text;
  // Failing both, an entry of another size that came near but did not
  // read the box (too little similarity or margin).
  const size_t nearest =
      settings.OtherSizes ? KeepIfSameMarkKind(otherSizes_.Nearest(index), glyph, matrix) : 0;
  return nearest != 0 ? matrix.Entry(nearest).text : std::string{};
}

TeachAnswer Recogniser::AskWholeLine(const Picture24& bitmap, int lineIndex) {
  const TextLine& line = table_.lines[lineIndex];
  const LineQuestion question{
      bitmap,
      table_,
      lineIndex,
      start_,
      area_.x1 + textArea_.x1,
      area_.y1 + textArea_.y1,
      [&](size_t j, const Glyph& glyph) { return Proposal(bitmap, line, j, glyph); },
      lines_.size() > 1 ? lines_[lines_.size() - 2].back() : '.'};
  return TeachWholeLine(question, context_);
}

bool Recogniser::JoinStrayPiece(Picture24& bitmap, int lineIndex, size_t index,
                                const std::string* namedBefore) {
  if (!JoinsStrayPieces(context_.settings) || strayJoins_ >= kMaxStrayJoins) return false;
  if (!antialiasKnown_) {
    antialiasKnown_ = true;
    antialias_ = TextGreys{};
    const TextColourState& colour = context_.colour;
    const uint8_t extra =
        ProposeExtraTextIndices(unmarked_, context_.greys, colour.TextColourIndex);
    for (uint8_t i = 0; i < 4; ++i) {
      if ((extra & (1u << i)) && i != colour.TextColourIndex) antialias_.Add(context_.greys[i]);
    }
  }
  if (antialias_.Count() == 0) return false;
  const TextLine& line = table_.lines[lineIndex];
  const auto linked = [&](size_t a, size_t b) {
    return FindAntialiasLink(bitmap, antialias_, line.boxes[a], MarkOf(a), line.boxes[b], MarkOf(b),
                             link_);
  };
  const bool withBefore = index > 0 && linked(index - 1, index);
  if (!withBefore && !(index + 1 < line.boxes.size() && linked(index, index + 1))) return false;
  const CharBox a = line.boxes[withBefore ? index - 1 : index];
  const CharBox b = line.boxes[withBefore ? index : index + 1];
  ++strayJoins_;
  joins_.insert(joins_.end(), link_.begin(), link_.end());
  bitmap = unmarked_;
  segmenter_.Segment(bitmap, CurrentTextGreys(), context_.settings, table_, joins_);
  if (withBefore && namedBefore != nullptr) TeachJoined(bitmap, lineIndex, a, b, *namedBefore);
  return true;
}

void Recogniser::TeachJoined(const Picture24& bitmap, int lineIndex, const CharBox& a,
                             const CharBox& b, const std::string& text) {
  const TextLine& line = table_.lines[lineIndex];
  const int left = std::min(a.Left, b.Left), right = std::max(a.Right(), b.Right());
  const int top = std::min(a.Top, b.Top), bottom = std::max(a.Bottom(), b.Bottom());
  for (size_t j = 0; j < line.boxes.size(); ++j) {
    const CharBox& box = line.boxes[j];
    if (box.Left > left || box.Right() < right || box.Top > top || box.Bottom() < bottom) continue;
    const Glyph glyph = ExtractGlyph(bitmap, box, MarkOf(j));
    if (MatchGlyph(glyph, box, context_.matrix, context_.settings) == 0) {
      context_.matrix.Add(MatrixEntry{glyph, text}, context_.boxes);
    }
    return;
  }
}

Recogniser::BoxReading Recogniser::ReadBox(const Picture24& bitmap, const TextLine& line,
                                           size_t index, const Glyph& glyph) {
  const CharacterMatrix& matrix = context_.matrix;
  const OcrSettings& settings = context_.settings;
  const CharBox& box = line.boxes[index];
  BoxReading r;
  r.entry = MatchGlyph(glyph, box, matrix, settings);
  if (r.entry != 0) return r;
  if (settings.OtherSizes) {
    r.entry =
        KeepIfSameMarkKind(otherSizes_.Read(bitmap, line, index, matrix, settings), glyph, matrix);
    if (r.entry == 0) r.entry = slants_.Read(bitmap, line, index, matrix, settings);
    if (r.entry == 0) {
      r.entry = KeepIfSameMarkKind(otherSizes_.ReadUpright(bitmap, line, index, matrix, settings),
                                   glyph, matrix);
    }
    if (r.entry != 0) return r;
  }
  if (settings.SplitTouching) {
    r.split = ReadTouchingCharacters(bitmap, line, box, MarkOf(index), matrix, settings,
                                     settings.OtherSizes ? &slants_ : nullptr);
    if (r.split.parts == 0 && settings.OtherSizes) {
      r.split = otherSizes_.ReadUprightTouching(bitmap, line, index, matrix, settings);
    }
    if (r.split.parts != 0) return r;
  }
  if (settings.OtherSizes) {
    r.entry = slants_.ReadBar(bitmap, line, index, matrix, settings);
    r.leaningBar = r.entry != 0;
    if (r.entry == 0) r.entry = slants_.ReadByShape(bitmap, line, index, matrix, settings);
  }
  return r;
}

bool Recogniser::ReadLine(Picture24& bitmap, int lineIndex, std::string& text,
                          RecognitionOutcome& outcome, bool lineAsked) {
  const TextLine& line = table_.lines[lineIndex];
  CharacterMatrix& matrix = context_.matrix;
  const OcrSettings& settings = context_.settings;
  const int spaceThreshold = settings.AutoSpaces ? LineSpaceThreshold(line, settings) : 0;
  otherSizes_.StartLine();
  slants_.StartLine();
  std::optional<std::string> namedBefore;  // the answer for the box before
  for (size_t j = 0; j < line.boxes.size(); ++j) {
    const CharBox& box = line.boxes[j];
    const Glyph glyph = ExtractGlyph(bitmap, box, MarkOf(j));
    const BoxReading reading = ReadBox(bitmap, line, j, glyph);
    const size_t k = reading.entry;
    const SplitReading& split = reading.split;
    const size_t start = text.size();
    std::optional<std::string> named;  // what the person answered for this box
    if (k > 0) {
      text += matrix.Entry(k).text;
      // A leaning bar is noted as it reads: set upright.
      if (settings.IAndLByContext) {
        bars_.NoteEntry(text, start, reading.leaningBar ? slants_.UprightBar() : glyph);
      }
    } else if (split.parts != 0) {
      text += split.text;
      if (settings.IAndLByContext) bars_.NoteSplit(text, start, split, bitmap, MarkOf(j));
    } else if (settings.TeachWholeLines && !lineAsked) {
      // The line's first unknown box: the whole line is asked once, then
      // read again from its start with what its text taught.
      const TeachAnswer answer = AskWholeLine(bitmap, lineIndex);
      if (answer.status != TeachStatus::Ok) {
        return LeaveLine(answer, context_.colour, text, outcome);
      }
      text.clear();
      bars_.Clear();
      return ReadLine(bitmap, lineIndex, text, outcome, true);
    } else {
      TeachAnswer answer = context_.teacher.Teach(
          TeachRequest{glyph, bitmap, table_, lineIndex, j, matrix.Count() + 1,
                       Proposal(bitmap, line, j, glyph), ScreenBox(box), start_});
      otherSizes_.StartLine();  // the matrix may change
      if (answer.text.size() > CharacterMatrix::kMaxEntryText) {
        answer.text.resize(CharacterMatrix::kMaxEntryText);
      }
      switch (answer.status) {
        case TeachStatus::Ok:
          matrix.Add(MatrixEntry{glyph, answer.text}, context_.boxes);
          named = answer.text;
          break;
        case TeachStatus::MatrixFound:
          break;
        default:
          return LeaveLine(answer, context_.colour, text, outcome);
      }
      text += answer.text;
    }
    // A piece that reads as nothing may be the rest of a letter broken at
    // its antialias: joined, the line is read again. When the person has
    // just named both pieces, the joined letter is what they named.
    if (text.size() == start && split.parts == 0 &&
        JoinStrayPiece(bitmap, lineIndex, j, named && namedBefore ? &*namedBefore : nullptr)) {
      text.clear();
      bars_.Clear();
      return ReadLine(bitmap, lineIndex, text, outcome, lineAsked);
    }
    namedBefore = std::move(named);
    if (SpaceAfter(line, j, settings, spaceThreshold)) text += ' ';
  }
  return true;
}

}  // namespace capter
