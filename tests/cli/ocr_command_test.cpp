// capter-cli ocr on the corpus: taught from the expected text through the
// terminal questions, then read again with the saved matrix; and the
// answers, policies and errors of the command.
#include "cli/ocr_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <utility>

#include "tests/cli/cli_test_support.h"
#include "tests/support/corpus.h"

namespace capter::testing {
namespace {

int Ocr(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err) {
  return cli::RunOcrCommand(args, in, out, err);
}

// The recognition limits a user sets for each disc: spumux's own text
// rendering draws a thick outline that widens the gaps between letters, and
// DejaVu Sans draws "l" and "I" alike but for their height. Every
// recognition aid is off, as in a configuration written before they came.
std::string ConfigFor(const CorpusCase& c, const CorpusStream& s) {
  std::string ini = "[OCR SETTING]\r\n";
  for (const char* aid :
       {"WholeGlyphs", "BestMatch", "AutoSpaces", "SplitTouching", "KeepSmallMarks", "OtherSizes",
        "Proposals", "LayeredDetection", "IAndLByContext", "TeachWholeLines"}) {
    ini += std::string(aid) + "=0\r\n";
  }
  if (s.mode == "text") ini += c.name.starts_with("p03") ? "SpaceWidth=8\r\n" : "SpaceWidth=11\r\n";
  if (c.name.starts_with("p04") && s.index == 4) ini += "SpaceWidth=4\r\n";
  if (c.name.starts_with("p06")) ini += "SpaceWidth=8\r\nMaxCharDiffHeight=0\r\n";
  if (c.name.starts_with("p07")) ini += "SpaceWidth=6\r\n";
  return ini;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string NonSpace(const std::string& line) {
  std::string out;
  std::copy_if(line.begin(), line.end(), std::back_inserter(out), [](char c) { return c != ' '; });
  return out;
}

// Lines whose box count matches their text only by coincidence (a
// guillemet cut into two chevrons, an i with diaeresis cut into stem and
// dots while two other characters form one box), so the scripted answers
// shift and teach wrong texts that also misread later lines.
bool KnownMistaught(const CorpusCase& c, int subtitle, int line) {
  if (!c.name.starts_with("p02")) return false;
  const std::pair<int, int> lines[] = {{4, 1}, {5, 1}, {12, 0}, {14, 0}, {15, 0}, {16, 0}};
  return std::find(std::begin(lines), std::end(lines), std::pair{subtitle, line}) !=
         std::end(lines);
}

// Answers a question from the expected text, as a person reading the
// subtitle would: character J of line L when the line has as many boxes as
// its text has non-space characters; otherwise the line is skipped.
class ScriptedAnswers {
 public:
  explicit ScriptedAnswers(const std::vector<ExpectedSubtitle>& truth) {
    for (const ExpectedSubtitle& e : truth) byStart_[ToText(e.start)] = &e;
  }

  std::string Answer(const std::string& unknownLine) {
    UnknownQuestion q;
    if (!ParseUnknownLine(unknownLine, q)) {
      ADD_FAILURE() << "malformed question: " << unknownLine;
      return ":quit";
    }
    const auto found = byStart_.find(q.start);
    if (found == byStart_.end()) {
      ADD_FAILURE() << "no subtitle starts at " << q.start;
      return ":quit";
    }
    const std::vector<std::string>& lines = found->second->lines;
    const std::string text =
        static_cast<int>(lines.size()) == q.lines ? NonSpace(lines[q.line - 1]) : std::string();
    if (static_cast<int>(text.size()) != q.characters) {
      skipped.insert({q.start, q.line});
      return ":skipline";
    }
    return text.substr(q.character - 1, 1);
  }

  std::set<std::pair<std::string, int>> skipped;  // start, line from 1

 private:
  std::map<std::string, const ExpectedSubtitle*> byStart_;
};

struct StreamFiles {
  std::vector<std::string> args;  // --stream, --text-colour, --config and the VOB files
  std::vector<ExpectedSubtitle> truth;
  std::vector<ExpectedSubtitle> exact;
};

StreamFiles FilesOf(const CorpusCase& c, const CorpusStream& s, const ScratchDir& dir) {
  StreamFiles files;
  const std::string config = dir.Path("capter.ini");
  WriteFile(config, ConfigFor(c, s));
  files.args = {"--stream",      std::to_string(s.index + 1),
                "--text-colour", std::to_string(s.pixelCodes[1]),
                "--config",      config};
  files.args.insert(files.args.end(), c.vobFiles.begin(), c.vobFiles.end());
  files.truth = ReadExpectedSubtitles(s.truthFile);
  files.exact = ReadExpectedSubtitles(s.exactFile);
  return files;
}

std::vector<std::string> With(std::vector<std::string> args, std::vector<std::string> more) {
  more.insert(more.end(), args.begin(), args.end());
  return more;
}

// Compares the read file with the expected ones: every subtitle with the
// exact times, and the text of every line that was taught.
// Returns the number of lines compared.
size_t CompareWithExpected(const CorpusCase& c, const std::string& readFile,
                           const StreamFiles& files, const ScriptedAnswers& answers) {
  const std::vector<ExpectedSubtitle> read = ReadExpectedSubtitles(readFile);
  EXPECT_LE(read.size(), files.exact.size());
  size_t compared = 0;
  for (size_t i = 0, r = 0; i < files.exact.size() && r < read.size(); ++i) {
    SCOPED_TRACE("subtitle " + std::to_string(i + 1));
    const std::string start = ToText(files.truth[i].start);
    // A subtitle none of whose shapes was known holds no text and is not
    // listed at all.
    if (ToText(read[r].start) != ToText(files.exact[i].start)) {
      const auto skipped = answers.skipped.lower_bound({start, 0});
      EXPECT_TRUE(skipped != answers.skipped.end() && skipped->first == start);
      continue;
    }
    const ExpectedSubtitle& got = read[r++];
    EXPECT_EQ(ToText(got.stop), ToText(files.exact[i].stop));
    const std::vector<std::string>& want = files.truth[i].lines;
    // A line left untaught is missing from the read text when none of its
    // shapes was known; the other lines then pair up with the taught ones.
    std::vector<size_t> pairs;  // the truth line of each read line
    for (size_t l = 0; l < want.size(); ++l) {
      if (got.lines.size() == want.size() || answers.skipped.count({start, int(l + 1)}) == 0) {
        pairs.push_back(l);
      }
    }
    if (pairs.size() != got.lines.size()) {
      EXPECT_LT(got.lines.size(), want.size());
      continue;
    }
    for (size_t k = 0; k < pairs.size(); ++k) {
      const size_t l = pairs[k];
      if (answers.skipped.count({start, static_cast<int>(l + 1)}) > 0) continue;
      if (KnownMistaught(c, files.truth[i].number, static_cast<int>(l))) continue;
      EXPECT_EQ(got.lines[k], want[l]) << "line " << l + 1;
      ++compared;
    }
  }
  return compared;
}

TEST(OcrCommand, TaughtMatrixReadsEveryTeachableLineOfEveryCorpusStream) {
  size_t allLines = 0, allCompared = 0;
  for (const CorpusCase& c : CorpusCases()) {
    for (const CorpusStream& s : c.streams) {
      SCOPED_TRACE(c.name + " stream " + std::to_string(s.index + 1));
      ScratchDir dir("ocr-" + c.name);
      const StreamFiles files = FilesOf(c, s, dir);
      ScriptedAnswers answers(files.truth);
      const std::string matrix = dir.Path("taught.sum");

      const CommandResult taught = RunAnswering(
          Ocr, With(files.args, {"--matrix", matrix, "--teach", "--save-matrix", matrix}),
          [&answers](const std::string& line) { return answers.Answer(line); });
      ASSERT_EQ(taught.code, 0) << taught.err;
      ASSERT_TRUE(std::filesystem::exists(matrix));

      // Without a teacher, only a line that could not be taught may hold an
      // unknown character.
      const std::string readFile = dir.Path("read.cpt");
      const CommandResult strict = RunCommand(
          Ocr, With(files.args, {"--matrix", matrix, "--unknown", "fail", "-o", readFile}));
      if (strict.code != 0) {
        ASSERT_EQ(strict.code, 1) << strict.err;
        UnknownQuestion q;
        const size_t at = strict.err.find("unknown: ");
        ASSERT_NE(at, std::string::npos) << strict.err;
        ASSERT_TRUE(ParseUnknownLine(strict.err.substr(at, strict.err.find('\n', at) - at), q));
        EXPECT_EQ(answers.skipped.count({q.start, q.line}), 1u) << strict.err;
        EXPECT_FALSE(std::filesystem::exists(readFile));
        const CommandResult lenient = RunCommand(
            Ocr, With(files.args, {"--matrix", matrix, "--unknown", "skip", "-o", readFile}));
        ASSERT_EQ(lenient.code, 0) << lenient.err;
        EXPECT_NE(lenient.err.find("unknown characters left out"), std::string::npos);
      } else {
        // Only the text colour taken is said.
        EXPECT_EQ(strict.err.rfind("capter-cli ocr: text colour: ", 0), 0u) << strict.err;
        EXPECT_EQ(std::count(strict.err.begin(), strict.err.end(), '\n'), 1) << strict.err;
      }
      const size_t compared = CompareWithExpected(c, readFile, files, answers);
      EXPECT_GT(compared, 0u);
      allCompared += compared;
      for (const ExpectedSubtitle& e : files.truth) allLines += e.lines.size();
    }
  }
  EXPECT_GE(allCompared * 10, allLines * 8) << allCompared << " of " << allLines << " lines";
}

// The first case, with the colour and spacing its text needs.
class OcrOnFirstCase : public ::testing::Test {
 protected:
  OcrOnFirstCase()
      : case_(FindCorpusCase("p01_pal_text_dejavu")),
        dir_("ocr-first"),
        files_(FilesOf(case_, case_.streams[0], dir_)),
        matrix_(dir_.Path("m.sum")) {}

  std::vector<std::string> Args(std::vector<std::string> more) const {
    return With(files_.args, std::move(more));
  }
  CommandResult Teach(std::function<std::string(const std::string&)> answer) {
    return RunAnswering(Ocr, Args({"--matrix", matrix_, "--teach", "--save-matrix", matrix_}),
                        std::move(answer));
  }
  size_t Count(const std::string& text, const std::string& part) const {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
  }

  CorpusCase case_;
  ScratchDir dir_;
  StreamFiles files_;
  std::string matrix_;
};

TEST_F(OcrOnFirstCase, AQuestionShowsTheCharacterThenOneUnknownLineAndThePrompt) {
  const CommandResult r = Teach([](const std::string&) { return ":quit"; });
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "");
  const size_t unknown = r.err.find("unknown: start=00:00:01,000 line=1/1 char=1/12\ntext> ");
  ASSERT_NE(unknown, std::string::npos) << r.err;
  EXPECT_EQ(Count(r.err, "unknown: "), 1u);
  // The art before it: the character in full blocks above a row of carets.
  const std::string art = r.err.substr(0, unknown);
  EXPECT_NE(art.find("\u2588"), std::string::npos);
  EXPECT_NE(art.find("^^^^\n"), std::string::npos);
  // Quitting saves nothing.
  EXPECT_FALSE(std::filesystem::exists(matrix_));
}

// With whole lines, a line of unknown characters is asked once, and typing
// it teaches every character whose box the text settles: the run goes on
// asking only about lines it cannot read.
TEST_F(OcrOnFirstCase, AWholeLineIsAskedOnceAndItsTextTeachesItsCharacters) {
  std::vector<std::string> questions;
  const CommandResult r =
      RunAnswering(Ocr, Args({"--matrix", matrix_, "--teach", "--teach-whole-lines", "on"}),
                   [&](const std::string& question) {
                     questions.push_back(question);
                     char start[13] = {};
                     int line = 0, lines = 0;
                     if (std::sscanf(question.c_str(), "unknown-line: start=%12s line=%d/%d", start,
                                     &line, &lines) != 3) {
                       return std::string("x");
                     }
                     for (const ExpectedSubtitle& e : files_.truth) {
                       if (ToText(e.start) == start && line <= static_cast<int>(e.lines.size())) {
                         return e.lines[line - 1];
                       }
                     }
                     return std::string{};
                   });
  ASSERT_EQ(r.code, 0) << r.err;
  ASSERT_FALSE(questions.empty());
  // Nothing is known yet: an empty reading and the twelve boxes.
  EXPECT_EQ(questions[0].rfind("unknown-line: start=00:00:01,000 line=1/1 reading=\"\" boxes=", 0),
            0u)
      << questions[0];
  EXPECT_EQ(std::count(questions[0].begin(), questions[0].end(), ';'), 11) << questions[0];
  const size_t asked = r.err.find(questions[0] + "\nline> ");
  ASSERT_NE(asked, std::string::npos);
  // The line drawn before it: its characters in full blocks over carets.
  const std::string art = r.err.substr(0, asked);
  EXPECT_NE(art.find("\u2588"), std::string::npos);
  EXPECT_NE(art.find("^^^"), std::string::npos);
  // Far fewer questions than character by character.
  size_t byCharacter = 0;
  RunAnswering(Ocr, Args({"--matrix", matrix_, "--teach", "--teach-whole-lines", "off"}),
               [&](const std::string&) {
                 ++byCharacter;
                 return std::string("x");
               });
  EXPECT_LT(questions.size() * 2, byCharacter) << r.err;
  EXPECT_NE(r.out.find(files_.truth.front().lines.front()), std::string::npos) << r.out;
}

// A whole-line question answered empty asks the line character by
// character, as without whole lines.
TEST_F(OcrOnFirstCase, AnEmptyLineAnswerAsksCharacterByCharacter) {
  std::vector<std::string> questions;
  RunAnswering(Ocr, Args({"--matrix", matrix_, "--teach", "--teach-whole-lines", "on"}),
               [&](const std::string& question) {
                 questions.push_back(question);
                 return questions.size() < 3 ? std::string{} : std::string(":quit");
               });
  ASSERT_EQ(questions.size(), 3u);
  EXPECT_EQ(questions[0].rfind("unknown-line: ", 0), 0u);
  EXPECT_EQ(questions[1].rfind("unknown: start=00:00:01,000 line=1/1 char=1/12", 0), 0u);
  EXPECT_EQ(questions[2].rfind("unknown: start=00:00:01,000 line=1/1 char=2/12", 0), 0u);
}

TEST_F(OcrOnFirstCase, TheEndOfTheAnswersStopsLikeQuit) {
  const CommandResult r = RunCommand(Ocr, Args({"--matrix", matrix_, "--teach"}), "");
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("stopped; nothing written"), std::string::npos) << r.err;
}

TEST_F(OcrOnFirstCase, SkippingEverySubPictureAsksOncePerSubPicture) {
  size_t questions = 0;
  const CommandResult r = Teach([&](const std::string&) {
    ++questions;
    return ":skipsub";
  });
  EXPECT_EQ(questions, files_.truth.size());
  EXPECT_EQ(r.out, "");
  // Nothing was taught: an empty matrix is not saved, and that is said.
  EXPECT_EQ(r.code, 1) << r.err;
  EXPECT_NE(r.err.find("The Character Matrix is Empty !; " + matrix_ + " not written\n"),
            std::string::npos)
      << r.err;
  EXPECT_FALSE(std::filesystem::exists(matrix_));
}

TEST_F(OcrOnFirstCase, SkippingEveryLineAsksOncePerLine) {
  std::vector<UnknownQuestion> asked;
  const CommandResult r = Teach([&](const std::string& line) {
    asked.emplace_back();
    EXPECT_TRUE(ParseUnknownLine(line, asked.back())) << line;
    return ":skipline";
  });
  EXPECT_EQ(r.code, 1) << r.err;  // nothing taught, nothing saved
  size_t lines = 0;
  for (const ExpectedSubtitle& e : files_.truth) lines += e.lines.size();
  ASSERT_EQ(asked.size(), lines);
  for (const UnknownQuestion& q : asked) EXPECT_EQ(q.character, 1);
  EXPECT_EQ(asked[3].line, 2);  // the second line of subtitle 3
  EXPECT_EQ(asked[3].lines, 2);
}

TEST_F(OcrOnFirstCase, AnAnswerLongerThanTwentyCharactersIsAskedAgain) {
  std::vector<std::string> answers = {std::string(21, 'x'), std::string(20, 'x'), ":quit"};
  size_t next = 0;
  const CommandResult r = Teach([&](const std::string&) { return answers.at(next++); });
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(Count(r.err, "at most 20 characters"), 1u);
  // Asked twice about the first character, then about the second.
  EXPECT_EQ(Count(r.err, "char=1/12\ntext> "), 2u);
  EXPECT_EQ(Count(r.err, "char=2/12\ntext> "), 1u);
}

TEST_F(OcrOnFirstCase, UnknownFailStopsAtTheFirstUnknownCharacter) {
  const CommandResult r = RunCommand(Ocr, Args({"--matrix", matrix_, "--unknown", "fail"}));
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("unknown: start=00:00:01,000 line=1/1 char=1/12\n"), std::string::npos)
      << r.err;
}

TEST_F(OcrOnFirstCase, UnknownCharactersAreLeftOutAndCountedByDefault) {
  const CommandResult r = RunCommand(Ocr, Args({"--matrix", matrix_}));
  EXPECT_EQ(r.code, 0) << r.err;
  // Every character is unknown: what is left are the spaces between words,
  // and a line of only spaces is never listed.
  EXPECT_EQ(Count(r.out, " --> "), 0u) << r.out;
  EXPECT_NE(r.err.find("unknown characters left out"), std::string::npos);
  EXPECT_NE(r.err.find(matrix_ + " does not exist; a new matrix is started\n"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(matrix_));  // not asked to save
}

TEST_F(OcrOnFirstCase, StartTimeFormatAndOutputFile) {
  // Every shape taught as "x", so that every subtitle has text.
  ASSERT_EQ(Teach([](const std::string&) { return "x"; }).code, 0);
  const std::string out = dir_.Path("out.sub");
  const CommandResult r = RunCommand(Ocr, Args({"--matrix", matrix_, "--start-time", "01:00:00,000",
                                                "--format", "subviewer", "-o", out}));
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "");
  std::ifstream in(out, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text.rfind("[TITLE]\r\n", 0), 0u);
  EXPECT_NE(text.find("[01:00:01]\r\n"), std::string::npos) << text;
}

TEST_F(OcrOnFirstCase, BadOptionsAreUsageErrors) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"--stream", "0", "--matrix", matrix_, "x.vob"},
      {"--stream", "33", "--matrix", matrix_, "x.vob"},
      {"--stream", "one", "--matrix", matrix_, "x.vob"},
      {"--stream"},
      {"--stream", "1", "x.vob"},
      {"--stream", "1", "--matrix", matrix_},
      {"--stream", "1", "--matrix", matrix_, "--teach", "--unknown", "skip", "x.vob"},
      {"--stream", "1", "--matrix", matrix_, "--unknown", "ask", "x.vob"},
      {"--stream", "1", "--matrix", matrix_, "--format", "srt", "x.vob"},
      {"--stream", "1", "--matrix", matrix_, "--start-time", "0:00:01,000", "x.vob"},
      {"--stream", "1", "--matrix", matrix_, "--start-time", "00:60:00,000", "x.vob"},
      {"--stream", "1", "--matrix", matrix_, "--text-colour", "4", "x.vob"},
      {"--stream", "1", "--matrix", matrix_, "--verbose", "x.vob"},
  };
  for (const std::vector<std::string>& args : bad) {
    const CommandResult r = RunCommand(Ocr, args);
    EXPECT_EQ(r.code, 2) << ::testing::PrintToString(args);
    EXPECT_EQ(r.err.rfind("capter-cli ocr: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("usage: capter-cli ocr"), std::string::npos);
  }
  const CommandResult help = RunCommand(Ocr, {"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_EQ(help.out.rfind("usage: capter-cli ocr", 0), 0u);
}

TEST_F(OcrOnFirstCase, MissingAndUnreadableInputsFail) {
  const std::string garbage = dir_.Path("garbage.sum");
  WriteFile(garbage, std::string(300, 'x'));
  const std::vector<std::vector<std::string>> failing = {
      {"--stream", "1", "--matrix", matrix_, dir_.Path("missing.vob")},
      {"--stream", "1", "--matrix", matrix_, dir_.Path("")},
      Args({"--matrix", garbage, "--save-matrix", garbage}),
      {"--stream", "1", "--matrix", matrix_, "--config", dir_.Path("missing.ini"),
       case_.vobFiles[0]},
      Args({"--matrix", matrix_, "--save-matrix", dir_.Path("no/such/folder/m.sum")}),
      Args({"--matrix", matrix_, "-o", dir_.Path("no/such/folder/out.cpt")}),
  };
  for (const std::vector<std::string>& args : failing) {
    const CommandResult r = RunCommand(Ocr, args);
    EXPECT_EQ(r.code, 1) << ::testing::PrintToString(args) << r.err;
    EXPECT_NE(r.err.find("capter-cli"), std::string::npos);
  }
  const CommandResult absent =
      RunCommand(Ocr, {"--stream", "2", "--matrix", matrix_, case_.vobFiles[0]});
  EXPECT_EQ(absent.code, 1);
  EXPECT_TRUE(absent.err.ends_with("capter-cli ocr: stream 2 is not in the files\n")) << absent.err;
  EXPECT_EQ(absent.out, "");
  // The file that is not a matrix is left as it was.
  EXPECT_EQ(std::filesystem::file_size(garbage), 300u);
}

// The text colour taken is shown with the pixels of each code, so that a
// wrong guess is seen at once; an IFO among the files changes no time.
TEST_F(OcrOnFirstCase, TheTextColourIsShownAndAnIfoChangesNoTime) {
  ASSERT_EQ(Teach([](const std::string&) { return "x"; }).code, 0);
  std::vector<std::string> args = {"--stream", "1", "--matrix", matrix_, case_.ifoFile};
  args.insert(args.end(), case_.vobFiles.begin(), case_.vobFiles.end());
  const CommandResult r = RunCommand(Ocr, args);
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "capter-cli ocr: text colour: 2 (pixels of codes 0 1 2 3: 4597 2274 1221 0)\n");
  const std::string read = dir_.Path("read.cpt");
  std::ofstream(read, std::ios::binary) << r.out;
  const std::vector<ExpectedSubtitle> subtitles = ReadExpectedSubtitles(read);
  ASSERT_EQ(subtitles.size(), files_.exact.size());
  for (size_t i = 0; i < subtitles.size(); ++i) {
    EXPECT_EQ(ToText(subtitles[i].start), ToText(files_.exact[i].start)) << i;
  }
}

TEST_F(OcrOnFirstCase, ASettingOutOfRangeIsNamed) {
  const std::string config = dir_.Path("bad.ini");
  std::ofstream(config, std::ios::binary) << "[OCR SETTING]\r\nSensibility=5000\r\n";
  std::vector<std::string> args = {"--stream", "1", "--matrix", matrix_, "--config", config};
  args.insert(args.end(), case_.vobFiles.begin(), case_.vobFiles.end());
  const CommandResult r = RunCommand(Ocr, args);
  EXPECT_NE(r.err.find("capter-cli: " + config +
                       ": [OCR SETTING] Sensibility=5000 is outside 0..1000; 1000 is used\n"),
            std::string::npos)
      << r.err;
}

}  // namespace
}  // namespace capter::testing

namespace capter::testing {
namespace {

TEST_F(OcrOnFirstCase, WithProposalsAQuestionGivesItsScreenBoxAndAcceptTakesTheProposal) {
  std::vector<std::string> questions;
  const CommandResult r = RunAnswering(
      Ocr,
      Args({"--matrix", matrix_, "--teach", "--aids", "recommended", "--teach-whole-lines", "off"}),
      [&](const std::string& line) {
        questions.push_back(line);
        return line.find(" suggest=") != std::string::npos ? ":accept" : "x";
      });
  EXPECT_EQ(r.code, 0) << r.err;
  ASSERT_FALSE(questions.empty());
  char start[13] = {};
  int line = 0, lines = 0, character = 0, characters = 0, x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  ASSERT_EQ(
      std::sscanf(questions[0].c_str(), "unknown: start=%12s line=%d/%d char=%d/%d box=%d,%d,%d,%d",
                  start, &line, &lines, &character, &characters, &x1, &y1, &x2, &y2),
      9)
      << questions[0];
  EXPECT_EQ(questions[0].find(" suggest="), std::string::npos);  // nothing known yet
  // The first character of a centred line near the bottom of a PAL frame.
  EXPECT_LE(x1, x2);
  EXPECT_LE(y1, y2);
  EXPECT_GT(y1, 288);
  EXPECT_LT(x2, 360);
  EXPECT_LT(y2, 576);
  // Everything taught reads "x", so every proposal is x's and accepting
  // one asks nothing more about that character.
  size_t proposed = 0;
  for (const std::string& q : questions) {
    const size_t at = q.find(" suggest=\"");
    if (at == std::string::npos) continue;
    ++proposed;
    EXPECT_EQ(q.find_first_not_of('x', at + 10), q.size() - 1) << q;
  }
  EXPECT_GT(proposed, 0u);
  EXPECT_EQ(r.err.find("no proposal"), std::string::npos);
}

TEST_F(OcrOnFirstCase, TextColourTakesAListOfIndices) {
  const CommandResult listed =
      RunCommand(Ocr, With(files_.args, {"--matrix", matrix_, "--text-colour", "2,3"}));
  EXPECT_EQ(listed.code, 0) << listed.err;
  const CommandResult bad =
      RunCommand(Ocr, With(files_.args, {"--matrix", matrix_, "--text-colour", "2,4"}));
  EXPECT_NE(bad.code, 0);
  const CommandResult aid = RunCommand(Ocr, Args({"--matrix", matrix_, "--best-match", "maybe"}));
  EXPECT_NE(aid.code, 0);
}

}  // namespace
}  // namespace capter::testing

namespace capter::testing {
namespace {

// Without a configuration or options the recommended aids are on: a
// question carries its box on the screen (proposals), and a configuration
// written before the aids came turns them off again key by key.
TEST_F(OcrOnFirstCase, TheRecommendedAidsAreOnUnlessTheConfigurationTurnsThemOff) {
  const CorpusStream& s = case_.streams[0];
  std::vector<std::string> args = {
      "--stream", "1",     "--text-colour", std::to_string(s.pixelCodes[1]),
      "--matrix", matrix_, "--teach",       "--teach-whole-lines",
      "off"};
  args.insert(args.end(), case_.vobFiles.begin(), case_.vobFiles.end());
  std::string question;
  const auto quit = [&question](const std::string& line) {
    question = line;
    return std::string(":quit");
  };
  RunAnswering(Ocr, args, quit);
  EXPECT_NE(question.find(" box="), std::string::npos) << question;
  RunAnswering(Ocr, Args({"--matrix", matrix_, "--teach"}), quit);  // every aid key 0
  EXPECT_EQ(question.find(" box="), std::string::npos) << question;
}

}  // namespace
}  // namespace capter::testing
