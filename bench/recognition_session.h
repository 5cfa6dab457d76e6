// A recognition run over decoded corpus units for the evaluation tool and
// the benchmark: one matrix, one set of settings, a teacher answering from
// the truth until it is frozen, and a sink that keeps the last subtitle.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/message_box.h"
#include "bench/label_teacher.h"
#include "ocr/character_matrix.h"
#include "ocr/recogniser.h"
#include "tests/ocr/truth_teacher.h"
#include "tests/support/corpus_units.h"

namespace capter::bench {

class RecognitionSession {
 public:
  // `textColour`: the palette index of the text body, or nothing to take
  // the detection's proposal on the first picture.
  RecognitionSession(const OcrSettings& settings, std::optional<uint8_t> textColour);

  // Answers from the corpus's character labels (SetLabels before every
  // Read) instead of from the truth text.
  void UseLabelTeacher() { active_.to = &labelTeacher_; }
  void SetLabels(const SubtitleLabels* labels, int dx, int dy, const Rect& area) {
    labelTeacher_.SetSubtitle(labels, dx, dy, area);
  }
  const LabelTeacher& Labels() const { return labelTeacher_; }
  size_t Prompts() const { return teacher_.prompts + labelTeacher_.prompts; }
  size_t LinePrompts() const { return labelTeacher_.linePrompts; }
  size_t FrozenUnknowns() const { return teacher_.frozenUnknowns + labelTeacher_.frozenUnknowns; }

  // Recognises `picture` (a copy of the unit's picture, changed in place),
  // teaching from `expected` unless the session is frozen.
  RecognitionOutcome Read(Picture24& picture, const testing::DecodedCorpusUnit& unit,
                          const std::vector<std::string>& expected);

  // From now on nothing is taught; unknown shapes read as kUnknownShape.
  void Freeze() {
    teacher_.Freeze();
    labelTeacher_.Freeze();
  }

  const std::vector<std::string>& Lines() const { return recogniser_.Lines(); }
  const LineTable& Table() const { return recogniser_.Table(); }
  const CharacterMatrix& Matrix() const { return matrix_; }
  const testing::TruthTeacher& Teacher() const { return teacher_; }
  uint8_t TextColourIndex() const { return colour_.TextColourIndex; }

 private:
  class Chooser : public TextColourChooser {
   public:
    explicit Chooser(std::optional<uint8_t> index) : index_(index) {}
    std::optional<uint8_t> ChooseTextColour(const Picture24& bitmap,
                                            TextColourState& state) override;

   private:
    std::optional<uint8_t> index_;
  };
  class NoSink : public SubtitleSink {
   public:
    void AddSubtitle(const std::vector<std::string>&, bool, const Rect&, const TimeCode&,
                     const TimeCode&) override {}
  };
  class Forward : public CharacterTeacher {
   public:
    explicit Forward(CharacterTeacher* teacher) : to(teacher) {}
    TeachAnswer Teach(const TeachRequest& request) override { return to->Teach(request); }
    CharacterTeacher* to;
  };
  class QuietBoxes : public MessageBoxes {
   public:
    Answer Ask(MessageKind, ButtonSet, const std::string&) override { return Answer::Ok; }
  };

  CharacterMatrix matrix_;
  OcrSettings settings_;
  TextColourState colour_;
  Chooser chooser_;
  testing::TruthTeacher teacher_;
  LabelTeacher labelTeacher_;
  Forward active_{&teacher_};
  NoSink sink_;
  QuietBoxes boxes_;
  Recogniser recogniser_;
};

}  // namespace capter::bench
