// capter-cli convert: own-format files read back and written in each format.
#include "cli/convert_command.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/cli/cli_test_support.h"
#include "tests/support/corpus.h"

namespace capter::testing {
namespace {

int Convert(const std::vector<std::string>& args, std::istream&, std::ostream& out,
            std::ostream& err) {
  return cli::RunConvertCommand(args, out, err);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(ConvertCommand, OwnFormatComesBackByteForByte) {
  for (const CorpusCase& c : CorpusCases()) {
    for (const CorpusStream& s : c.streams) {
      for (const std::string& file : {s.exactFile, s.truthFile}) {
        const CommandResult r = RunCommand(Convert, {"--format", "own", file});
        EXPECT_EQ(r.code, 0) << file << r.err;
        EXPECT_EQ(r.out, ReadFile(file)) << file;
      }
    }
  }
}

TEST(ConvertCommand, EveryFormatWithItsHeaderAndTimes) {
  const std::string exact = FindCorpusCase("p04_pal_five_streams").streams[0].exactFile;
  const struct {
    const char* format;
    const char* begins;
    const char* contains;
  } formats[] = {
      {"subviewer", "[TITLE]\r\n", "[00:00:02]\r\nWhere did you put the map?\r\n"},
      {"subviewer2", "[INFORMATION]\r\n", "Where did you put the map?"},
      {"iauthor", "", "Where did you put the map?"},
      {"philips", "# ", "Where did you put the map?"},
      {"sonic", "", "Where did you put the map?"},
  };
  for (const auto& f : formats) {
    SCOPED_TRACE(f.format);
    const CommandResult r = RunCommand(Convert, {"--format", f.format, exact});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.rfind(f.begins, 0), 0u) << r.out.substr(0, 200);
    EXPECT_NE(r.out.find(f.contains), std::string::npos) << r.out.substr(0, 400);
    EXPECT_EQ(r.out.substr(r.out.size() - 2), "\r\n");
  }
}

TEST(ConvertCommand, OffsetRenumbersAndOutputGoesToTheFile) {
  ScratchDir dir("convert");
  const std::string exact = FindCorpusCase("p01_pal_text_dejavu").streams[0].exactFile;
  const std::string out = dir.Path("renumbered.cpt");
  const CommandResult r =
      RunCommand(Convert, {"--offset", "100", "--format", "own", "-o", out, exact});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "");
  const std::vector<ExpectedSubtitle> renumbered = ReadExpectedSubtitles(out);
  const std::vector<ExpectedSubtitle> original = ReadExpectedSubtitles(exact);
  ASSERT_EQ(renumbered.size(), original.size());
  EXPECT_EQ(renumbered.front().number, 101);
  EXPECT_EQ(renumbered.back().number, 100 + static_cast<int>(original.size()));
  EXPECT_EQ(renumbered.back().lines, original.back().lines);
}

TEST(ConvertCommand, BadOptionsAndInputs) {
  ScratchDir dir("convert-errors");
  const std::string exact = FindCorpusCase("p01_pal_text_dejavu").streams[0].exactFile;
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{},
                                             {exact},
                                             {"--format", "own"},
                                             {"--format", "own", exact, exact},
                                             {"--format", "ass", exact},
                                             {"--format", "own", "--offset", "70000", exact},
                                             {"--format", "own", "--offset", "-1", exact},
                                             {"--format", "own", "-x", exact}}) {
    const CommandResult r = RunCommand(Convert, args);
    EXPECT_EQ(r.code, 2) << ::testing::PrintToString(args);
    EXPECT_NE(r.err.find("usage: capter-cli convert"), std::string::npos);
  }
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--format", "own", dir.Path("missing.cpt")},
           {"--format", "own", dir.Path("")},
           {"--format", "own", "-o", dir.Path("no/such/folder/out.cpt"), exact}}) {
    const CommandResult r = RunCommand(Convert, args);
    EXPECT_EQ(r.code, 1) << ::testing::PrintToString(args);
    EXPECT_NE(r.err.find("capter-cli: "), std::string::npos) << r.err;
  }
  EXPECT_EQ(RunCommand(Convert, {"--help"}).code, 0);
}

// What the reader passes over is said; a file it finds nothing in fails.
TEST(ConvertCommand, DamagedForeignAndEmptyFilesAreReported) {
  ScratchDir dir("convert-damage");
  const std::string damaged = dir.Path("damaged.cpt");
  std::ofstream(damaged, std::ios::binary) << "1\r\n00:00:01,000 --> 00:00:02,000\r\nOne\r\n\r\n"
                                              "x2\r\n00:00:03,000 --> 00:00:04,000\r\nTwo\r\n\r\n"
                                              "3\r\n00:00:05,000 --> 00:00:06,000\r\nThree\r\n\r\n";
  CommandResult r = RunCommand(Convert, {"--format", "own", damaged});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "capter-cli convert: " + damaged + ": passed over 1 damaged block at line 5\n");
  EXPECT_NE(r.out.find("Three"), std::string::npos);
  EXPECT_EQ(r.out.find("Two"), std::string::npos);

  const std::string subviewer = dir.Path("film.sub");
  std::ofstream(subviewer, std::ios::binary)
      << "[INFORMATION]\r\n[TITLE]\r\n[END INFORMATION]\r\n00:00:01.00,00:00:02.00\r\nOne\r\n";
  const std::string empty = dir.Path("empty.cpt");
  std::ofstream(empty, std::ios::binary) << "";
  for (const std::string& file : {subviewer, empty}) {
    r = RunCommand(Convert, {"--format", "sonic", "-o", dir.Path("out.sst"), file});
    EXPECT_EQ(r.code, 1) << file;
    EXPECT_NE(r.err.find(file + ": no subtitle entry found"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.Path("out.sst")));
  }
}

// A UTF-8 file with its byte-order mark reads as the same text in
// Windows-1252.
TEST(ConvertCommand, AUtf8ByteOrderMarkIsSkippedAndTheTextConverted) {
  ScratchDir dir("convert-bom");
  const std::string marked = dir.Path("marked.cpt");
  std::ofstream(marked, std::ios::binary)
      << "\xEF\xBB\xBF"
         "1\r\n00:00:01,000 --> 00:00:02,000\r\nCaf\xC3\xA9\r\n\r\n";
  const CommandResult r = RunCommand(Convert, {"--format", "own", marked});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "1\r\n00:00:01,000 --> 00:00:02,000\r\nCaf\xE9\r\n\r\n");
}

}  // namespace
}  // namespace capter::testing
