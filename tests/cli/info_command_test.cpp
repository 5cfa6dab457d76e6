// capter-cli info on the corpus and on bad input.
#include "cli/info_command.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/corpus.h"

namespace capter::testing {
namespace {

struct Result {
  int code;
  std::string out;
  std::string err;
};

Result RunInfo(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = cli::RunInfoCommand(args, out, err);
  return {code, out.str(), err.str()};
}

std::vector<std::string> TitleArgs(const CorpusCase& c, std::vector<std::string> options) {
  options.push_back(c.ifoFile);
  options.insert(options.end(), c.vobFiles.begin(), c.vobFiles.end());
  return options;
}

TEST(InfoCommand, ListsEveryStreamWithItsLanguageAndTimes) {
  const Result r = RunInfo(TitleArgs(FindCorpusCase("p04_pal_five_streams"), {}));
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("system: PAL\n"), std::string::npos);
  EXPECT_NE(r.out.find("bad pack headers: 0\n"), std::string::npos);
  for (const char* row :
       {"1       0x20  English               7      00:00:02,000  00:00:25,103  0\n",
        "4       0x23  eo                    7      ",
        "5       0x24                        7      "}) {
    EXPECT_NE(r.out.find(row), std::string::npos) << row << "\n" << r.out;
  }
  EXPECT_EQ(r.out.find("0x25"), std::string::npos);
}

TEST(InfoCommand, JsonUnitsOfASplitTitleFollowTheStartTime) {
  const CorpusCase title = FindCorpusCase("p05_ntsc_split3");
  const Result r =
      RunInfo(TitleArgs(title, {"--json", "--units", "1", "--start-time", "01:00:00,000"}));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out.rfind(
                "{\"system\": \"NTSC\", \"bad_headers\": 0, \"streams\": [{\"number\": 1, \"id\": "
                "\"0x20\", \"language\": \"English\", \"units\": 18, \"first_start\": ",
                0),
            0u)
      << r.out;
  // Every unit of the expected file, shifted by one hour.
  size_t at = 0;
  for (const ExpectedSubtitle& e : ReadExpectedSubtitles(title.streams[0].exactFile)) {
    TimeCode hour = ParseTimeCode("01:00:00,000");
    const std::string unit = "{\"start\": \"" + ToText(Add(e.start, hour)) + "\", \"stop\": \"" +
                             ToText(Add(e.stop, hour)) + "\", \"x1\": ";
    at = r.out.find(unit, at);
    ASSERT_NE(at, std::string::npos) << unit;
  }
  EXPECT_NE(r.out.find("\"worth\": true}]}\n"), std::string::npos);
}

TEST(InfoCommand, UnitListingInText) {
  const Result r = RunInfo({"--units", "1", FindCorpusCase("p02_pal_image_latin1").vobFiles[0]});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("1      00:00:01,500  00:00:04,003  210   508   509   535   1314   yes\n"),
            std::string::npos)
      << r.out;
}

TEST(InfoCommand, MissingFilesAndBadOptionsFail) {
  Result r = RunInfo({"/nonexistent/VTS_01_1.VOB"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "capter-cli: /nonexistent/VTS_01_1.VOB: no such file\n");
  EXPECT_TRUE(r.out.empty());
  r = RunInfo({std::filesystem::temp_directory_path().string()});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("is a folder"), std::string::npos);
  EXPECT_EQ(RunInfo({}).code, 2);
  EXPECT_EQ(RunInfo({"--units", "33", "x.vob"}).code, 2);
  EXPECT_EQ(RunInfo({"--start-time", "1:00:00", "x.vob"}).code, 2);
  EXPECT_EQ(RunInfo({"--bogus", "x.vob"}).code, 2);
}

TEST(InfoCommand, BadPackHeadersAreAnsweredAndCounted) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "capter_info_bad";
  std::filesystem::create_directories(dir);
  const std::string copy = (dir / "VTS_01_1.VOB").string();
  std::filesystem::copy_file(FindCorpusCase("p01_pal_text_dejavu").vobFiles[0], copy,
                             std::filesystem::copy_options::overwrite_existing);
  {
    std::fstream f(copy, std::ios::in | std::ios::out | std::ios::binary);
    for (int sector : {3, 9}) {
      f.seekp(sector * 2048);
      f.write("JUNK", 4);
    }
  }
  const Result r = RunInfo({"--json", copy});
  std::filesystem::remove_all(dir);
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("\"bad_headers\": 2,"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"units\": 15,"), std::string::npos) << r.out;
}

// Files that are not a title: the report would only show "unknown".
TEST(InfoCommand, WhatIsNotAVobOrNotInTheFilesFails) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("capter-info-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream((dir / "empty.vob").string());
  std::ofstream((dir / "text.vob").string()) << std::string(5000, 'x');
  for (const char* name : {"empty.vob", "text.vob"}) {
    const Result r = RunInfo({(dir / name).string()});
    EXPECT_EQ(r.code, 1) << name;
    EXPECT_EQ(r.err, "capter-cli info: no MPEG program-stream pack found; not a VOB file\n");
    EXPECT_EQ(r.out, "");
  }
  std::filesystem::remove_all(dir);
  const CorpusCase c = FindCorpusCase("p01_pal_text_dejavu");
  const Result phantom = RunInfo({"--units", "2", c.vobFiles[0]});
  EXPECT_EQ(phantom.code, 1);
  EXPECT_EQ(phantom.err, "capter-cli info: stream 2 is not in the files\n");
}

// VIDEO_TS/*: the IFO names the streams, the BUP files are passed over with
// a note and the times are those of the VOBs alone.
TEST(InfoCommand, IfoAndBupFilesAreNeverReadAsVobs) {
  const CorpusCase c = FindCorpusCase("p04_pal_five_streams");
  std::vector<std::string> all;
  for (const auto& entry : std::filesystem::directory_iterator(c.dir + "/VIDEO_TS")) {
    all.push_back(entry.path().string());
  }
  std::sort(all.begin(), all.end());
  const Result r = RunInfo(all);
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_NE(
      r.out.find("1       0x20  English               7      00:00:02,000  00:00:25,103  0\n"),
      std::string::npos)
      << r.out;
  EXPECT_NE(r.err.find("VTS_01_0.BUP: the backup of an IFO file, passed over\n"), std::string::npos)
      << r.err;
}

// A unit cut off by the end of the last file is counted as left out and
// named in the summary line.
TEST(InfoCommand, AUnitCutOffAtTheEndIsCountedAndSummed) {
  const CorpusCase c = FindCorpusCase("p02_pal_image_latin1");
  std::ifstream in(c.vobFiles[0], std::ios::binary);
  std::string bytes(std::istreambuf_iterator<char>(in), {});
  const std::string cut = (std::filesystem::temp_directory_path() /
                           ("capter-cut-" + std::to_string(::getpid()) + ".vob"))
                              .string();
  std::ofstream(cut, std::ios::binary) << bytes.substr(0, 75 * 2048 + 700);
  const Result r = RunInfo({cut});
  std::filesystem::remove(cut);
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("1       0x20  "), std::string::npos);
  EXPECT_TRUE(r.out.ends_with("  1\n")) << r.out;
  EXPECT_NE(r.err.find("capter-cli info: passed over: "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(" ends inside a unit starting at "), std::string::npos) << r.err;
}

TEST(InfoCommand, HelpDescribesTheOptions) {
  const Result r = RunInfo({"--help"});
  EXPECT_EQ(r.code, 0);
  for (const char* option : {"--json", "--units N", "--start-time T", "BUP"}) {
    EXPECT_NE(r.out.find(option), std::string::npos) << option;
  }
}

}  // namespace
}  // namespace capter::testing
