// Recognition of the real corpus pictures: teach a matrix from the expected
// text, then read the same stream again with it and no teacher.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "ocr/character_matrix.h"
#include "ocr/recogniser.h"
#include "ocr/segmentation.h"
#include "ocr/text_colour.h"
#include "stream/crop.h"
#include "tests/ocr/ocr_test_support.h"
#include "tests/ocr/truth_teacher.h"
#include "tests/support/corpus.h"
#include "tests/support/corpus_units.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter::testing {
namespace {

// The settings a user sets for each disc: spumux's own text rendering draws
// a thick outline, which widens the gaps between the letters' bodies, and
// DejaVu Sans draws "l" and "I" alike but for their height.
OcrSettings SettingsFor(const CorpusCase& c, const CorpusStream& s) {
  OcrSettings settings = SettingsWithoutAids();
  if (s.mode == "text") settings.SpaceWidth = c.name.starts_with("p03") ? 8 : 11;
  if (c.name.starts_with("p04") && s.index == 4) settings.SpaceWidth = 4;
  if (c.name.starts_with("p06")) {
    settings.SpaceWidth = 8;
    settings.MaxCharDiffHeight = 0;
  }
  if (c.name.starts_with("p07")) settings.SpaceWidth = 6;
  return settings;
}

// Answers the colour question with the stream's fill code, as a user does
// after looking at the preview.
class FillCodeChooser : public TextColourChooser {
 public:
  explicit FillCodeChooser(int code) : code_(static_cast<uint8_t>(code)) {}
  std::optional<uint8_t> ChooseTextColour(const Picture24&, TextColourState&) override {
    return code_;
  }

 private:
  uint8_t code_;
};

// One run over a stream with its own recognition state, as one job.
class StreamRun {
 public:
  StreamRun(const CorpusCase& c, const CorpusStream& s, CharacterMatrix& matrix,
            CharacterTeacher& teacher)
      : settings_(SettingsFor(c, s)),
        chooser_(s.pixelCodes[1]),
        recogniser_({matrix, settings_, colour_, chooser_, teacher, sink_, boxes_}) {}

  RecognitionOutcome Recognise(const DecodedCorpusUnit& unit) {
    Picture24 picture = unit.picture;
    return recogniser_.RecogniseSubPicture(picture, unit.area, unit.start, unit.stop);
  }
  const Recogniser& recogniser() const { return recogniser_; }

 private:
  OcrSettings settings_;
  TextColourState colour_;
  FillCodeChooser chooser_;
  CollectingSink sink_;
  ScriptedMessageBoxes boxes_;
  Recogniser recogniser_;
};

struct SubtitleResult {
  const ExpectedSubtitle* expected = nullptr;
  std::vector<bool> teachable;    // per expected line, from the first pass
  std::vector<std::string> read;  // the second pass's lines
  std::vector<int> promptLines;   // lines the second pass asked about
};

// Teaches a fresh matrix over the whole stream, then reads the stream again
// with the trained matrix and a teacher that teaches nothing.
std::vector<SubtitleResult> TrainThenRead(const CorpusCase& c, const CorpusStream& s,
                                          const std::vector<ExpectedSubtitle>& expected) {
  const std::vector<DecodedCorpusUnit> units = DecodeCorpusStream(c, s.index);
  EXPECT_EQ(units.size(), expected.size());
  const size_t count = std::min(units.size(), expected.size());
  std::vector<SubtitleResult> results(count);
  CharacterMatrix matrix;

  TruthTeacher teacher;
  StreamRun training(c, s, matrix, teacher);
  for (size_t i = 0; i < count; ++i) {
    results[i].expected = &expected[i];
    teacher.SetExpected(expected[i].lines);
    training.Recognise(units[i]);
    for (int l = 0; l < static_cast<int>(expected[i].lines.size()); ++l) {
      results[i].teachable.push_back(
          LineIsTeachable(training.recogniser().Table(), l, expected[i].lines));
    }
  }

  TruthTeacher noTeacher;
  noTeacher.Freeze();
  StreamRun reading(c, s, matrix, noTeacher);
  for (size_t i = 0; i < count; ++i) {
    noTeacher.promptLines.clear();
    reading.Recognise(units[i]);
    results[i].read = reading.recogniser().Lines();
    results[i].promptLines = noTeacher.promptLines;
  }
  return results;
}

// Lines whose box count matches their text only by coincidence: in p02
// subtitle 4 line 2 the opening guillemet is cut into its two chevrons and
// in subtitle 14 the i with diaeresis into stem and dots while two other
// characters form one box, so the scripted answers shift by one and teach
// wrong texts; the wrongly taught shapes then misread later lines too.
bool KnownMistaught(const CorpusCase& c, int subtitle, size_t line) {
  if (!c.name.starts_with("p02")) return false;
  const std::pair<int, size_t> lines[] = {{4, 1}, {5, 1}, {12, 0}, {14, 0}, {15, 0}, {16, 0}};
  return std::find(std::begin(lines), std::end(lines), std::pair{subtitle, line}) !=
         std::end(lines);
}

TEST(CorpusRecognition, TrainedMatrixReadsEveryTeachableLineWithoutPrompt) {
  size_t allLines = 0, allTaught = 0;
  for (const CorpusCase& c : CorpusCases()) {
    for (const CorpusStream& s : c.streams) {
      SCOPED_TRACE(c.name + " stream " + std::to_string(s.index));
      const std::vector<ExpectedSubtitle> expected = ReadExpectedSubtitles(s.truthFile);
      size_t taught = 0;
      for (const SubtitleResult& r : TrainThenRead(c, s, expected)) {
        SCOPED_TRACE("subtitle " + std::to_string(r.expected->number));
        const std::vector<std::string>& lines = r.expected->lines;
        allLines += lines.size();
        ASSERT_EQ(r.read.size(), lines.size());
        for (size_t l = 0; l < lines.size(); ++l) {
          if (!r.teachable[l]) continue;
          ++taught;
          EXPECT_EQ(std::count(r.promptLines.begin(), r.promptLines.end(), l), 0);
          if (!KnownMistaught(c, r.expected->number, l)) {
            EXPECT_EQ(r.read[l], lines[l]);
          }
        }
      }
      EXPECT_GT(taught, 0u);
      allTaught += taught;
    }
  }
  EXPECT_GE(allTaught * 10, allLines * 8) << allTaught << " of " << allLines << " lines teachable";
}

// Italic lines of the picture streams: slanted letters whose boxes overlap
// are flagged and spaced by the italic threshold.
TEST(CorpusRecognition, ItalicLinesReadWithTheirSpaces) {
  const struct {
    const char* caseName;
    int subtitle;
    size_t line;
  } italicLines[] = {{"p02_pal_image_latin1", 3, 0},
                     {"p05_ntsc_split3", 5, 1},
                     {"p02_pal_image_latin1", 11, 1},
                     {"p07_pal_dialogue_serif", 5, 0},
                     {"p07_pal_dialogue_serif", 34, 0}};
  for (const auto& italic : italicLines) {
    SCOPED_TRACE(std::string(italic.caseName) + " subtitle " + std::to_string(italic.subtitle));
    const CorpusCase c = FindCorpusCase(italic.caseName);
    const std::vector<ExpectedSubtitle> expected = ReadExpectedSubtitles(c.streams[0].truthFile);
    const SubtitleResult r = TrainThenRead(c, c.streams[0], expected)[italic.subtitle - 1];
    ASSERT_TRUE(r.teachable[italic.line]);
    EXPECT_EQ(r.read[italic.line], r.expected->lines[italic.line]);
  }
}

// The space rule on its own, on every line whose boxes are its characters.
TEST(CorpusRecognition, SpacesFallWhereTheTextHasThem) {
  Segmenter segmenter;
  LineTable table;
  size_t italicPairs = 0;
  for (const CorpusCase& c : CorpusCases()) {
    for (const CorpusStream& s : c.streams) {
      SCOPED_TRACE(c.name + " stream " + std::to_string(s.index));
      const OcrSettings settings = SettingsFor(c, s);
      const Colour text = kPaletteGreys[s.pixelCodes[1]];
      const std::vector<ExpectedSubtitle> expected = ReadExpectedSubtitles(s.truthFile);
      std::vector<DecodedCorpusUnit> units = DecodeCorpusStream(c, s.index);
      for (size_t i = 0; i < std::min(units.size(), expected.size()); ++i) {
        Rect area;
        CropToContent(units[i].picture, CropMode::Text, text, area);
        segmenter.Segment(units[i].picture, text, settings, table);
        for (int l = 0; l < table.count; ++l) {
          if (!LineIsTeachable(table, l, expected[i].lines)) continue;
          const std::string& want = expected[i].lines[l];
          const TextLine& line = table.lines[l];
          std::string got;
          for (size_t j = 0; j < line.boxes.size(); ++j) {
            got += NonSpaceCharacters(want)[j];
            if (SpaceAfter(line, j, settings)) got += ' ';
            if (j + 1 < line.boxes.size() && line.boxes[j].Italic && line.boxes[j + 1].Italic) {
              ++italicPairs;
            }
          }
          if (KnownMistaught(c, expected[i].number, l)) continue;
          EXPECT_EQ(got, want) << "subtitle " << expected[i].number;
        }
      }
    }
  }
  EXPECT_GT(italicPairs, 0u);
}

TEST(CorpusRecognition, DetectionProposesTheFillCodeWhenTheBackgroundDominates) {
  for (const CorpusCase& c : CorpusCases()) {
    for (const CorpusStream& s : c.streams) {
      SCOPED_TRACE(c.name + " stream " + std::to_string(s.index));
      for (const DecodedCorpusUnit& unit : DecodeCorpusStream(c, s.index)) {
        const std::array<uint8_t, 4> order = DetectTextColour(unit.picture, kPaletteGreys);
        // Tight pictures with a thick outline have more outline than
        // background; there the heuristic proposes the background and the
        // user corrects it.
        if (order[0] == 0) {
          EXPECT_EQ(order[1], s.pixelCodes[1]);
        }
      }
    }
  }
}

}  // namespace
}  // namespace capter::testing
