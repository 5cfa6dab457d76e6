// capter-cli export on the corpus: file names, file contents, timing files,
// profiles and errors.
#include "cli/export_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "tests/cli/cli_test_support.h"
#include "tests/support/corpus.h"

namespace capter::testing {
namespace {

int Export(const std::vector<std::string>& args, std::istream&, std::ostream& out,
           std::ostream& err) {
  return cli::RunExportCommand(args, out, err);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string Numbered(const std::string& beginning, size_t n, const std::string& extension) {
  const std::string digits = std::to_string(n);
  return beginning + std::string(6 - digits.size(), '0') + digits + extension;
}

std::vector<std::string> Files(const CorpusCase& c, std::vector<std::string> options) {
  options.insert(options.end(), c.vobFiles.begin(), c.vobFiles.end());
  return options;
}

// The timing file names every picture with the times the stream stores.
void ExpectTimingEntries(const std::string& timingFile, const std::string& exactFile,
                         const std::string& beginning, const std::string& extension) {
  const std::vector<ExpectedSubtitle> timing = ReadExpectedSubtitles(timingFile);
  const std::vector<ExpectedSubtitle> exact = ReadExpectedSubtitles(exactFile);
  ASSERT_EQ(timing.size(), exact.size());
  for (size_t i = 0; i < exact.size(); ++i) {
    EXPECT_EQ(ToText(timing[i].start), ToText(exact[i].start));
    EXPECT_EQ(ToText(timing[i].stop), ToText(exact[i].stop));
    EXPECT_EQ(timing[i].lines, std::vector<std::string>{Numbered(beginning, i + 1, extension)});
  }
}

TEST(ExportCommand, BmpRunOfEveryStreamWritesNumberedPicturesAndTheirTimes) {
  for (const CorpusCase& c : CorpusCases()) {
    for (const CorpusStream& s : c.streams) {
      SCOPED_TRACE(c.name + " stream " + std::to_string(s.index + 1));
      ScratchDir dir("bmp");
      const CommandResult r =
          RunCommand(Export, Files(c, {"--stream", std::to_string(s.index + 1), "--bmp",
                                       dir.Path("pic"), "--timing", dir.Path("timing.cpt")}));
      ASSERT_EQ(r.code, 0) << r.err;
      EXPECT_EQ(r.out + r.err, "");
      const size_t count = ReadExpectedSubtitles(s.exactFile).size();
      for (size_t n = 1; n <= count; ++n) {
        const std::string bmp = ReadFile(dir.Path(Numbered("pic", n, ".bmp")));
        ASSERT_GT(bmp.size(), 54u) << n;
        EXPECT_EQ(bmp.substr(0, 2), "BM");
        EXPECT_EQ(bmp[28], 4);  // the default profile's 16 colours
      }
      EXPECT_FALSE(std::filesystem::exists(dir.Path(Numbered("pic", count + 1, ".bmp"))));
      ExpectTimingEntries(dir.Path("timing.cpt"), s.exactFile, "pic", ".bmp");
    }
  }
}

TEST(ExportCommand, SupRunOfASplitTitleKeepsEveryUnitWhole) {
  const CorpusCase c = FindCorpusCase("p05_ntsc_split3");
  ScratchDir dir("sup");
  const CommandResult r =
      RunCommand(Export, Files(c, {"--stream", "1", "--sup", dir.Path("unit"), "--timing", "-"}));
  ASSERT_EQ(r.code, 0) << r.err;
  const std::string timing = dir.Path("timing.cpt");
  std::ofstream(timing, std::ios::binary) << r.out;
  ExpectTimingEntries(timing, c.streams[0].exactFile, "unit", ".sup");
  // A unit begins with its own size, big-endian: units 7 and 13 run across
  // two files of the title and still come out whole.
  for (size_t n = 1; n <= 18; ++n) {
    const std::string sup = ReadFile(dir.Path(Numbered("unit", n, ".sup")));
    ASSERT_GE(sup.size(), 4u) << n;
    const size_t size = static_cast<uint8_t>(sup[0]) * 256u + static_cast<uint8_t>(sup[1]);
    EXPECT_EQ(sup.size(), size) << n;
  }
}

TEST(ExportCommand, AProfileChangesThePictures) {
  const CorpusCase c = FindCorpusCase("p04_pal_five_streams");
  ScratchDir dir("profile");
  const std::string profile = dir.Path("profile.ini");
  std::ofstream(profile, std::ios::binary) << "[BMP OUT COLOR]\r\nBitPerPixel=8\r\n";
  const CommandResult r =
      RunCommand(Export, Files(c, {"--stream", "3", "--bmp", dir.Path("p"), "--profile", profile}));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(ReadFile(dir.Path("p000001.bmp"))[28], 8);
  EXPECT_FALSE(std::filesystem::exists(dir.Path("timing.cpt")));
}

// The pictures' folder is checked before the run starts: one message, and
// nothing is read or written.
TEST(ExportCommand, AFileThatCannotBeWrittenStopsTheRunWithOneMessage) {
  const CorpusCase c = FindCorpusCase("p01_pal_text_dejavu");
  ScratchDir dir("unwritable");
  const std::string timing = dir.Path("timing.cpt");
  const CommandResult r = RunCommand(
      Export,
      Files(c, {"--stream", "1", "--sup", dir.Path("no/such/folder/u"), "--timing", timing}));
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "capter-cli: " + dir.Path("no/such/folder/u000001.sup") +
                       ": No such file or directory\n");
  EXPECT_FALSE(std::filesystem::exists(timing));
}

TEST(ExportCommand, BadOptionsAndMissingInputs) {
  const CorpusCase c = FindCorpusCase("p01_pal_text_dejavu");
  ScratchDir dir("export-errors");
  const std::string vob = c.vobFiles[0];
  const std::vector<std::vector<std::string>> usage = {
      {},
      {"--stream", "1", vob},
      {"--bmp", dir.Path("p"), vob},
      {"--stream", "1", "--bmp", dir.Path("p")},
      {"--stream", "1", "--bmp", dir.Path("p"), "--sup", dir.Path("s"), vob},
      {"--stream", "1", "--bmp", "", vob},
      {"--stream", "40", "--bmp", dir.Path("p"), vob},
      {"--stream", "1", "--bmp", dir.Path("p"), "--format", "vtt", vob},
      {"--stream", "1", "--bmp", dir.Path("p"), "--colour", vob},
  };
  for (const std::vector<std::string>& args : usage) {
    const CommandResult r = RunCommand(Export, args);
    EXPECT_EQ(r.code, 2) << ::testing::PrintToString(args);
    EXPECT_NE(r.err.find("usage: capter-cli export"), std::string::npos);
  }
  const std::vector<std::vector<std::string>> failing = {
      {"--stream", "1", "--bmp", dir.Path("p"), dir.Path("missing.vob")},
      {"--stream", "1", "--bmp", dir.Path("p"), "--profile", dir.Path("missing.ini"), vob},
      {"--stream", "5", "--bmp", dir.Path("p"), vob},
  };
  for (const std::vector<std::string>& args : failing) {
    const CommandResult r = RunCommand(Export, args);
    EXPECT_EQ(r.code, 1) << ::testing::PrintToString(args);
    EXPECT_TRUE(r.err.find("no such file") != std::string::npos ||
                r.err == "capter-cli export: stream 5 is not in the files\n")
        << r.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.Path("p000001.bmp")));
  EXPECT_EQ(RunCommand(Export, {"--help"}).code, 0);
}

// The IFO file given with the VOBs names the streams and is never read as
// sectors, whose packs would shift every time; a BUP file is passed over.
TEST(ExportCommand, IfoAndBupFilesAmongTheInputsChangeNoTime) {
  const CorpusCase c = FindCorpusCase("p02_pal_image_latin1");
  ScratchDir dir("export-ifo");
  std::vector<std::string> args = {
      "--stream", "1", "--sup", dir.Path("u"), "--timing", dir.Path("timing.cpt"), c.ifoFile};
  std::string bup = c.ifoFile;
  bup.replace(bup.size() - 3, 3, "BUP");
  args.push_back(bup);
  args.insert(args.end(), c.vobFiles.begin(), c.vobFiles.end());
  const CommandResult r = RunCommand(Export, args);
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "capter-cli: " + bup + ": the backup of an IFO file, passed over\n");
  ExpectTimingEntries(dir.Path("timing.cpt"), c.streams[0].exactFile, "u", ".sup");
}

// A damaged title: the intact pictures are written and one summary line
// says what was passed over.
TEST(ExportCommand, WhatADamagedTitlePassesOverIsSummedUp) {
  const CorpusCase c = FindCorpusCase("p02_pal_image_latin1");
  ScratchDir dir("export-damage");
  std::string bytes = ReadFile(c.vobFiles[0]);
  for (size_t i = 75 * 2048; i < 76 * 2048; ++i) bytes[i] = static_cast<char>(i * 7);
  const std::string vob = dir.Path("damaged.vob");
  std::ofstream(vob, std::ios::binary) << bytes;
  const CommandResult r = RunCommand(Export, {"--stream", "1", "--sup", dir.Path("u"), vob});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err,
            "capter-cli export: passed over: 1 bad pack header (the first at sector 76 of "
            "damaged.vob), 1 damaged unit\n");
  EXPECT_TRUE(std::filesystem::exists(dir.Path(Numbered("u", 15, ".sup"))));
  EXPECT_FALSE(std::filesystem::exists(dir.Path(Numbered("u", 16, ".sup"))));
}

// --text-colour picks the pixel code that plays the Font role.
TEST(ExportCommand, TheTextColourDecidesTheFontColour) {
  const CorpusCase c = FindCorpusCase("p01_pal_text_dejavu");
  ScratchDir dir("export-colour");
  const std::string font = std::to_string(c.streams[0].pixelCodes[1]);
  const std::string other = font == "3" ? "2" : "3";
  ASSERT_EQ(
      RunCommand(Export, Files(c, {"--stream", "1", "--bmp", dir.Path("a"), "--text-colour", font}))
          .code,
      0);
  ASSERT_EQ(RunCommand(Export,
                       Files(c, {"--stream", "1", "--bmp", dir.Path("b"), "--text-colour", other}))
                .code,
            0);
  ASSERT_EQ(RunCommand(Export, Files(c, {"--stream", "1", "--bmp", dir.Path("d")})).code, 0);
  EXPECT_NE(ReadFile(dir.Path("a000001.bmp")), ReadFile(dir.Path("b000001.bmp")));
  EXPECT_EQ(
      RunCommand(Export, Files(c, {"--stream", "1", "--bmp", dir.Path("e"), "--text-colour", "4"}))
          .code,
      2);
}

}  // namespace
}  // namespace capter::testing
