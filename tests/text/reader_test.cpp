// Reading the own format back: round trips, the expected-text files of the
// corpus, the fixed-column rules, the error prompt, and input that is not a
// subtitle file at all.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "base/atomic_file.h"
#include "base/message_table.h"
#include "tests/support/corpus.h"
#include "tests/support/scripted_message_boxes.h"
#include "tests/text/text_test_support.h"
#include "text/own_format_reader.h"
#include "text/save_as.h"

namespace capter {
namespace {

namespace fs = std::filesystem;
using testing::Crlf;
using testing::Entry;
using testing::Tc;

class Reader : public ::testing::Test {
 protected:
  Reader() : model_(table_, boxes_) {}

  ReadReport Read(const std::string& bytes, std::deque<Answer> answers = {},
                  Answer fallback = Answer::Ignore) {
    boxes_ = testing::ScriptedMessageBoxes(std::move(answers), fallback);
    table_.Clear();
    return ReadCapterText(bytes, model_);
  }

  SubtitleTable table_;
  testing::ScriptedMessageBoxes boxes_;
  SubtitleTextModel model_;
};

TEST_F(Reader, RoundTripWithAndWithoutCoordinates) {
  for (const bool extended : {true, false}) {
    SubtitleTable original = testing::SampleTable();
    if (!extended) {
      for (uint16_t i = 1; i <= original.Count(); ++i) original.At(i).area = Rect{};
    }
    // Coordinates wider than three digits do not survive the 3-digit form.
    original.At(4).area.x2 = extended ? 719 : 0;
    table_ = original;
    model_.Options().settings.extended = extended;
    model_.RefreshList();
    const std::string saved = SavedText(model_);

    model_.Options().settings.extended = !extended;
    const ReadReport report = Read(saved, {}, Answer::Cancel);
    EXPECT_TRUE(report.reachedEnd);
    EXPECT_TRUE(boxes_.asked.empty());
    ASSERT_EQ(table_.Count(), original.Count());
    for (uint16_t i = 1; i <= original.Count(); ++i) EXPECT_EQ(table_.At(i), original.At(i)) << i;
    EXPECT_EQ(model_.Options().settings.extended, extended);
  }
}

TEST_F(Reader, EveryCorpusTruthFileReopensWithoutAPrompt) {
  size_t files = 0;
  for (const testing::CorpusCase& c : testing::CorpusCases()) {
    for (const testing::CorpusStream& s : c.streams) {
      std::string bytes;
      ASSERT_TRUE(ReadWholeFile(s.truthFile, bytes).ok) << s.truthFile;
      const ReadReport report = Read(bytes, {}, Answer::Cancel);
      EXPECT_TRUE(report.reachedEnd) << s.truthFile;
      EXPECT_TRUE(boxes_.asked.empty()) << s.truthFile;
      const auto expected = testing::ReadExpectedSubtitles(s.truthFile);
      ASSERT_EQ(table_.Count(), expected.size()) << s.truthFile;
      for (uint16_t i = 1; i <= table_.Count(); ++i) {
        const SubtitleRecord& r = table_.At(i);
        EXPECT_EQ(r.start, expected[i - 1].start);
        EXPECT_EQ(r.stop, expected[i - 1].stop);
        EXPECT_EQ(std::vector<std::string>(r.lines.begin(), r.lines.begin() + r.lineCount),
                  expected[i - 1].lines);
      }
      ++files;
    }
  }
  EXPECT_GE(files, 11u);
}

TEST_F(Reader, FirstNumberSetsTheOffsetAndEntriesAreRenumbered) {
  const std::string body = Crlf({"101", "00:00:01,000 --> 00:00:02,000", "a", "",  //
                                 "102", "00:00:03,000 --> 00:00:04,000", "b", "",  //
                                 "105", "00:00:05,000 --> 00:00:06,000", "c", ""});
  Read(body);
  EXPECT_EQ(model_.Options().capterOffset, 100);
  EXPECT_EQ(table_.Count(), 3);
  model_.Options().capterOffset = 0;
  model_.RefreshList();
  EXPECT_EQ(model_.Lines()[0], "1");
  EXPECT_EQ(model_.Lines()[8], "3");
  Read(Crlf({"0", "00:00:01,000 --> 00:00:02,000", "a", ""}));
  EXPECT_EQ(model_.Options().capterOffset, 0);
}

TEST_F(Reader, TrimsLinesAndReadsFixedColumns) {
  const std::string body =
      "  7 \r\n\t00:01:02,345 --> 00:01:04,000   X1:160 X2:559 Y1:420 Y2:475\r\n"
      "   Good morning  \r\n \r\n"
      "8\n00:x1:02,000 --> 00:00:09,000\nno coordinates\n\n";
  EXPECT_TRUE(Read(body).reachedEnd);
  ASSERT_EQ(table_.Count(), 2);
  // The blanks before the coordinates do not matter: the rest after the
  // times is trimmed before its columns are read.
  EXPECT_EQ(table_.At(1),
            Entry(Tc(0, 1, 2, 345), Tc(0, 1, 4, 0), {"Good morning"}, Rect{160, 420, 559, 475}));
  // A bad minute field makes the start zero without a message; no
  // coordinates clear the rectangle and switch Extended off.
  EXPECT_EQ(table_.At(2), Entry({}, Tc(0, 0, 9, 0), {"no coordinates"}));
  EXPECT_FALSE(model_.Options().settings.extended);
  EXPECT_TRUE(boxes_.asked.empty());
}

TEST_F(Reader, ATrailerThatIsNotCoordinatesKeepsThePreviousRectangle) {
  Read(Crlf({"1", "00:00:01,000 --> 00:00:02,000  x1:001 x2:002 y1:003 y2:004", "a", "",  //
             "2", "00:00:03,000 --> 00:00:04,000  and something else", "b", ""}));
  ASSERT_EQ(table_.Count(), 2);
  EXPECT_EQ(table_.At(2).area, (Rect{1, 3, 2, 4}));
  EXPECT_TRUE(model_.Options().settings.extended);
}

TEST_F(Reader, BlockWithoutTextAddsNothing) {
  Read(Crlf({"1", "00:00:01,000 --> 00:00:02,000", "",  //
             "2", "00:00:03,000 --> 00:00:04,000", "b", ""}));
  ASSERT_EQ(table_.Count(), 1);
  EXPECT_EQ(table_.At(1).lines[0], "b");
}

TEST_F(Reader, ErrorPromptIgnoreYesToAllAndCancel) {
  const std::string body =
      Crlf({"1", "00:00:01,000 --> 00:00:02,000", "a", "",                               //
            "two", "00:00:03,000 --> 00:00:04,000", "b", "",                             //
            "3", "00:00:05,000 --> 00:00:06,000  X1:1a0 X2:000 Y1:000 Y2:000", "c", "",  //
            "4", "00:00:07,000 --> 00:00:08,000", "d", ""});
  // Ignore: each following line of the damaged block is taken as a number
  // line until a number is met again.
  Read(body, {}, Answer::Ignore);
  ASSERT_FALSE(boxes_.asked.empty());
  EXPECT_EQ(boxes_.asked[0].text, "Error in file at Subtitle N\xB0 2\rIgnore and Continue ?");
  EXPECT_EQ(boxes_.asked[0].buttons, ButtonSet::CancelIgnoreYesToAll);
  EXPECT_EQ(boxes_.asked[0].kind, MessageKind::Warning);
  EXPECT_EQ(table_.Count(), 2);  // a and d

  const ReadReport all = Read(body, {Answer::YesToAll}, Answer::Cancel);
  EXPECT_EQ(boxes_.asked.size(), 1u);
  EXPECT_TRUE(all.reachedEnd);
  EXPECT_EQ(table_.Count(), 2);

  const ReadReport cancelled = Read(body, {Answer::Cancel});
  EXPECT_FALSE(cancelled.reachedEnd);
  EXPECT_EQ(table_.Count(), 1);
}

TEST_F(Reader, EmptyFileAndTrailingEmptyLinesPrompt) {
  Read("");
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].text, "Error in file at Subtitle N\xB0 1\rIgnore and Continue ?");
  EXPECT_EQ(table_.Count(), 0);

  Read(Crlf({"41", "00:00:01,000 --> 00:00:02,000", "a", "", ""}));
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_NE(boxes_.asked[0].text.find("N\xB0 42\r"), std::string::npos);
  EXPECT_EQ(table_.Count(), 1);
}

TEST_F(Reader, BadInputNeverCrashes) {
  std::string garbage;
  for (int i = 0; i < 200000; ++i) garbage += static_cast<char>((i * 7919 + i / 13) & 0xFF);
  const ReadReport report = Read(garbage, {Answer::YesToAll});
  EXPECT_TRUE(report.reachedEnd);
  EXPECT_LE(boxes_.asked.size(), 1u);

  Read(std::string(10 * 1024 * 1024, 'x'), {Answer::YesToAll});
  EXPECT_EQ(table_.Count(), 0);

  // A number too long for any integer is an error, not a crash.
  Read(std::string(10 * 1024 * 1024, '7'), {Answer::YesToAll});
  EXPECT_EQ(boxes_.asked.size(), 1u);

  Read("1\r\n00:00:01,000 --> 00:00:02,000\r\n" + std::string(10 * 1024 * 1024, 'y') + "\r\n");
  ASSERT_EQ(table_.Count(), 1);
  EXPECT_EQ(table_.At(1).lines[0].size(), 10u * 1024 * 1024);

  Read(Crlf({"1", "aa:bb:cc,ddd --> 1", "letters", ""}));
  ASSERT_EQ(table_.Count(), 1);
  EXPECT_EQ(table_.At(1).start, kZeroTimeCode);
  EXPECT_EQ(table_.At(1).stop, kZeroTimeCode);

  // A timing line cut short inside the coordinates.
  Read(Crlf({"1", "00:00:01,000 --> 00:00:02,000  X1:", "cut", ""}), {Answer::YesToAll});
  EXPECT_EQ(table_.Count(), 0);
  EXPECT_EQ(boxes_.asked.size(), 1u);
}

TEST_F(Reader, RefusesLinesAndEntriesBeyondTheTable) {
  std::string body = "1\r\n00:00:01,000 --> 00:00:02,000\r\n";
  for (int i = 1; i <= 12; ++i) body += "line " + std::to_string(i) + "\r\n";
  body += "\r\n";
  ReadReport report = Read(body);
  ASSERT_EQ(table_.Count(), 1);
  EXPECT_EQ(table_.At(1).lineCount, 10);
  EXPECT_EQ(table_.At(1).lines[9], "line 10");
  EXPECT_EQ(report.blocksTruncated, 1u);
  EXPECT_EQ(report.linesDropped, 2u);
  EXPECT_NE(ExcessWarning(report).find("more than 10 lines"), std::string::npos);
  // The warning's texts come from the message table, so languages reach them.
  Messages().Set(57, " Untertitel mit mehr als 10 Zeilen.");
  EXPECT_EQ(ExcessWarning(report), "1 Untertitel mit mehr als 10 Zeilen.");
  Messages().BuildDefaultMessages();

  std::string many;
  for (int i = 1; i <= kMaxSubtitles + 5; ++i) {
    many += std::to_string(i) + "\r\n00:00:01,000 --> 00:00:02,000\r\nx\r\n\r\n";
  }
  report = Read(many);
  EXPECT_EQ(table_.Count(), kMaxSubtitles);
  EXPECT_TRUE(report.tableFull);
  EXPECT_FALSE(report.reachedEnd);
  EXPECT_NE(ExcessWarning(report).find("15000"), std::string::npos);
}

class OpenFile : public Reader {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("capter_open_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(OpenFile, ReplacesTheTableAndCountsAsSaved) {
  const std::string path = (dir_ / "film.cpt").string();
  ASSERT_TRUE(WriteFileAtomically(path, Crlf({"1", "00:00:01,000 --> 00:00:02,000", "a", ""})).ok);
  table_ = testing::SampleTable();
  model_.SetOutputFormat(OutputFormatCode::Sonic);
  model_.RefreshList();
  model_.SetSplit(SplitRange{true, Tc(0, 0, 0, 0), Tc(0, 0, 1, 0)});

  boxes_ = testing::ScriptedMessageBoxes({Answer::No});
  EXPECT_FALSE(ConfirmOpenAnother(model_));
  EXPECT_EQ(boxes_.asked[0].text, "Text NOT Saved !\rDo you really want to open another file ?");
  EXPECT_TRUE(model_.TextModified());

  boxes_ = testing::ScriptedMessageBoxes({Answer::Yes});
  ASSERT_TRUE(ConfirmOpenAnother(model_));
  EXPECT_EQ(OpenCapterFile(model_, path), OpenOutcome::Complete);
  EXPECT_EQ(table_.Count(), 1);
  EXPECT_FALSE(model_.SplitEnabled());
  EXPECT_FALSE(model_.TextModified());
  EXPECT_EQ(model_.Caption(), "Subtitles - film -");
  EXPECT_EQ(model_.OpenDialogFolder(), dir_.string());
  EXPECT_EQ(model_.Lines(), (TextLines{"0001  00:00:01:00  00:00:02:00  a", ""}));
}

TEST_F(OpenFile, MissingFileChangesNothingAndCancelKeepsWhatWasRead) {
  table_ = testing::SampleTable();
  EXPECT_EQ(OpenCapterFile(model_, (dir_ / "none.cpt").string()), OpenOutcome::NotAFile);
  EXPECT_EQ(table_.Count(), 4);

  const std::string path = (dir_ / "bad.cpt").string();
  ASSERT_TRUE(
      WriteFileAtomically(path, Crlf({"1", "00:00:01,000 --> 00:00:02,000", "a", "", "x"})).ok);
  boxes_ = testing::ScriptedMessageBoxes({Answer::Cancel});
  EXPECT_EQ(OpenCapterFile(model_, path), OpenOutcome::Stopped);
  EXPECT_EQ(table_.Count(), 1);
  EXPECT_TRUE(model_.TextModified());
}

}  // namespace
}  // namespace capter
