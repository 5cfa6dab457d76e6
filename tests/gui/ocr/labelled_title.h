// Answers the teaching dialog as a person looking at the corpus picture
// would: the framed group of text pixels holds the characters that have
// more than half of their labelled pixels inside it, in reading order (two
// letters for two touching letters, nothing for a stray piece).
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

#include "ocr/character_teacher.h"
#include "stream/time_code.h"
#include "tests/support/corpus.h"

namespace capter::testing {

class LabelledTitle {
 public:
  // An image stream of a corpus case (its pictures, labels and glyph list).
  LabelledTitle(const CorpusCase& c, int streamIndex);

  size_t Count() const { return subtitles_.size(); }
  // What a person types for the character `request` asks about, in the
  // sub-picture that starts at `start`.
  QString Answer(const TeachRequest& request, const TimeCode& start) const;
  // What a person types for the whole line of a whole-line request: the
  // characters with more than half of their labelled pixels within the
  // line's rows, in reading order, without spaces.
  QString LineAnswer(const TeachRequest& request, const TimeCode& start) const;

 private:
  struct Subtitle {
    TimeCode start;
    QImage labels;           // 8-bit: character number (from 1) or 0
    QPoint fillOrigin;       // top-left of the fill pixels' bounding box
    QStringList glyphs;      // character k is glyphs[k - 1]
    std::vector<int> total;  // labelled pixels of each character
  };
  const Subtitle* Find(const TimeCode& start) const;

  std::vector<Subtitle> subtitles_;
};

}  // namespace capter::testing
