// Every output format renders the sample table to exactly the bytes a saved
// file holds: CR LF line ends, Windows-1252 letters, headers and footers.
#include <gtest/gtest.h>

#include "tests/support/scripted_message_boxes.h"
#include "tests/text/text_test_support.h"
#include "text/save_as.h"

namespace capter {
namespace {

using testing::Crlf;
using testing::Tc;

constexpr const char* kNow = "08/12/2026 10:00:00";

class FormatsGolden : public ::testing::Test {
 protected:
  FormatsGolden() : model_(table_, boxes_) {
    table_ = testing::SampleTable();
    model_.SetClock([] { return std::string(kNow); });
  }

  std::string Saved(OutputFormatCode format) {
    model_.SetOutputFormat(format);
    model_.RefreshList();
    return SavedText(model_);
  }

  SubtitleTable table_;
  testing::ScriptedMessageBoxes boxes_;
  SubtitleTextModel model_;
};

TEST_F(FormatsGolden, OwnFormat) {
  EXPECT_EQ(Saved(OutputFormatCode::Capter),
            Crlf({"1", "00:00:01,000 --> 00:00:03,200", "Good evening.", "",  //
                  "2", "00:00:10,700 --> 00:00:12,501", "First line", "Second line", "", "3",
                  "00:00:12,400 --> 00:00:15,999", "Tr\xE8s dr\xF4le", "one", "two", "", "4",
                  "00:01:00,020 --> 00:01:02,345", "sub0004.bmp", ""}));
}

TEST_F(FormatsGolden, OwnFormatExtendedWithOffsetAndSplit) {
  model_.Options().settings.extended = true;
  model_.Options().capterOffset = 99;
  model_.SetSplit(SplitRange{true, Tc(0, 0, 5, 0), Tc(0, 0, 15, 0)});
  // Entries keep their table numbers; times are clipped to the range's stop
  // and moved back by its start.
  EXPECT_EQ(Saved(OutputFormatCode::Capter),
            Crlf({"101", "00:00:05,700 --> 00:00:07,501  X1:005 X2:714 Y1:010 Y2:099", "First line",
                  "Second line", "",  //
                  "102", "00:00:07,400 --> 00:00:10,000  X1:000 X2:000 Y1:000 Y2:000",
                  "Tr\xE8s dr\xF4le", "one", "two", ""}));
}

TEST_F(FormatsGolden, SubViewer) {
  SubViewerFields& f = model_.Options().subViewer;
  f.title = "My Film";
  f.author = "Me";
  f.delay = -5;
  EXPECT_EQ(Saved(OutputFormatCode::SubViewer),
            Crlf({"[TITLE]",    "My Film",
                  "[AUTHOR]",   "Me",
                  "[SOURCE]",   "Subtitles captured by Capter 0.96b",
                  "[PRG]",      "",
                  "[FILEPATH]", "",
                  "[DELAY]",    "-5",
                  "[CD TRACK]", "0",
                  "[BEGIN]",    "******** START SCRIPT ********",  //
                  "[00:00:01]", "Good evening.",                   //
                  "[00:00:03]", "",
                  "[00:00:11]", "First line|Second line",    //
                  "[00:00:12]", "Tr\xE8s dr\xF4le|one two",  //
                  "[00:00:16]", "",
                  "[00:01:00]", "sub0004.bmp",  //
                  "[END]",      "******** End Script ********"}));
}

TEST_F(FormatsGolden, SubViewerWithoutRoundingOrLineJoin) {
  model_.Options().subViewer.roundTimeCode = false;
  model_.Options().subViewer.twoLineMax = false;
  const std::string saved = Saved(OutputFormatCode::SubViewer);
  const std::string body = saved.substr(saved.find("[00:00:01]"));
  EXPECT_EQ(body, Crlf({"[00:00:01]", "Good evening.",                             //
                        "[00:00:03]", "", "[00:00:10]", "First line|Second line",  //
                        "[00:00:12]", "Tr\xE8s dr\xF4le|one|two",                  //
                        "[00:00:15]", "", "[00:01:00]", "sub0004.bmp",             //
                        "[END]", "******** End Script ********"}));
}

TEST_F(FormatsGolden, SubViewer2) {
  model_.Options().subViewer2.title = "My Film";
  model_.Options().subViewer2.cdTrack = 2;
  EXPECT_EQ(Saved(OutputFormatCode::SubViewer2),
            Crlf({"[INFORMATION]",
                  "[TITLE]My Film",
                  "[AUTHOR]",
                  "[SOURCE]Subtitles captured by Capter 0.96b",
                  "[PRG]",
                  "[FILEPATH]",
                  "[DELAY]0",
                  "[CD TRACK]2",
                  "[COMMENT]",
                  "[END INFORMATION]",
                  "[SUBTITLE]",
                  "[COLF]&HFFFFFF,[STYLE]bd,[SIZE]18,[FONT]Arial",
                  "00:00:00.00,00:00:00.10",
                  "",
                  "",  //
                  "00:00:01.00,00:00:03.20",
                  "Good evening.",
                  "",
                  "00:00:10.70,00:00:12.50",
                  "First line[br]Second line",
                  "",
                  "00:00:12.40,00:00:15.99",
                  "Tr\xE8s dr\xF4le[br]one[br]two",
                  "",
                  "00:01:00.02,00:01:02.34",
                  "sub0004.bmp",
                  ""}));
}

TEST_F(FormatsGolden, PhilipsPal) {
  model_.Options().philipsTitle = "Film";
  EXPECT_EQ(Saved(OutputFormatCode::Philips),
            Crlf({"# PHILIPS SVCD DESIGNER 1.5 - 2.0 SUBTITLES FILE", "#",
                  "# GENERATED BY CAPTER 0.96b on 08/12/2026 10:00:00", "#", "[HEADER]",
                  "TITLE\t\tFilm", "FRAMERATE\tPAL", "CONTRAST\t(0 15 15 15)", "", "[LIST]",
                  "Good evening. 00:00:01:00 00:00:03:05 400 056 160 420",
                  "First line 00:00:10:17 00:00:12:12 710 090 005 010",
                  "Tr\xE8s dr\xF4le 00:00:12:10 00:00:15:24 001 001 000 000",
                  "sub0004.bmp 00:01:00:00 00:01:02:08 113 051 100 200"}));
}

TEST_F(FormatsGolden, PhilipsNtscDropFrameWithPalette) {
  OutputFormatSettings& s = model_.Options().settings;
  s.philipsFrameRate = kFrameRateNtsc;
  s.philipsUseBmpColor = false;
  s.philipsContrasts = {1, 2, 3, 4};
  EXPECT_EQ(Saved(OutputFormatCode::Philips),
            Crlf({"# PHILIPS SVCD DESIGNER 1.5 - 2.0 SUBTITLES FILE",
                  "#",
                  "# GENERATED BY CAPTER 0.96b on 08/12/2026 10:00:00",
                  "#",
                  "[HEADER]",
                  "TITLE\t\t",
                  "FRAMERATE\tNTSC",
                  "DROPFRAME\tYES",
                  "CONTRAST\t(1 2 3 4)",
                  "COLOR\t\t(0 1 2 3)",
                  "",
                  "[PALETTE]",
                  "0 (0, 0, 0)",
                  "1 (255, 255, 255)",
                  "2 (0, 0, 0)",
                  "3 (128, 128, 128)",
                  "",
                  "[LIST]",
                  "Good evening. 00:00:01:00 00:00:03:06 400 056 160 420",
                  "First line 00:00:10:21 00:00:12:15 710 090 005 010",
                  "Tr\xE8s dr\xF4le 00:00:12:12 00:00:15:29 001 001 000 000",
                  "sub0004.bmp 00:01:00:02 00:01:02:10 113 051 100 200"}));
}

TEST_F(FormatsGolden, Sonic) {
  EXPECT_EQ(Saved(OutputFormatCode::Sonic),
            Crlf({"0001  00:00:01:00  00:00:03:05  Good evening.", "",
                  "0002  00:00:10:17  00:00:12:12  First line", "Second line", "",
                  "0003  00:00:12:10  00:00:15:24  Tr\xE8s dr\xF4le", "one", "two", "",
                  "0004  00:01:00:00  00:01:02:08  sub0004.bmp", ""}));
}

TEST_F(FormatsGolden, SonicNtscDropFrameKeepsTableNumbersUnderSplit) {
  model_.Options().settings.sonicFrameRate = kFrameRateNtsc;
  model_.Options().settings.sonicDropFrame = true;
  model_.Options().capterOffset = 500;  // the own format's offset does not apply
  model_.SetSplit(SplitRange{true, Tc(0, 0, 50, 0), Tc(0, 2, 0, 0)});
  EXPECT_EQ(Saved(OutputFormatCode::Sonic),
            Crlf({"0004  00:00:10:00  00:00:12:10  sub0004.bmp", ""}));
}

// The IAuthor page of one entry: every line followed by an empty line.
std::string Page(const std::string& bmp, const std::string& t, const std::string& u,
                 const std::string& region, int page) {
  std::string bytes;
  for (const std::string& line :
       {"BMPFILE: " + bmp, "STARTTIME: " + t, "TIME: " + t + " SETCOLOR Primary 0, 16, 128, 128",
        "TIME: " + t + " SETCOLOR Primary 1, 234, 128, 128",
        "TIME: " + t + " SETCOLOR Primary 2, 16, 128, 128",
        "TIME: " + t + " SETCOLOR Primary 3, 125, 128, 128",
        "TIME: " + t + " SETCOLOR Highlight 0, 16, 128, 128",
        "TIME: " + t + " SETCOLOR Highlight 1, 209, 146, 17",
        "TIME: " + t + " SETCOLOR Highlight 2, 81, 239, 91",
        "TIME: " + t + " SETCOLOR Highlight 3, 144, 35, 54", "TIME: " + t + " region " + region,
        "TIME: " + t + " SETBLEND Primary 0, 15, 15, 15",
        "TIME: " + t + " SETBLEND Hightlight 0, 15, 15, 15", "TIME: " + t + " FIELDINDEX 0, 1",
        "TIME: " + t + " ENABLE_OGT", "TIME: " + u + " DISABLE_OGT",
        "************ Page #" + std::to_string(page) + " Finished ***************"}) {
    bytes += line + "\r\n\r\n";
  }
  return bytes;
}

TEST_F(FormatsGolden, IAuthorScriptUnderSplit) {
  model_.SetSplit(SplitRange{true, Tc(0, 0, 5, 0), Tc(0, 0, 20, 0)});
  const std::string expected =
      Crlf({"*******IAUTHOR OGT GENERATED BY CAPTER 0.96b on 08/12/2026 10:00:00",
            std::string(72, '*'), ""}) +
      Page("First line", "5.80", "7.60", "5, 10 to 714, 99", 2) +
      Page("Tr\xE8s dr\xF4le", "7.50", "11.09", "0, 0 to 0, 0", 3) + "\r\n";
  EXPECT_EQ(Saved(OutputFormatCode::IAuthor), expected);
  // The list shows the own format with coordinates, and Extended stays on.
  EXPECT_EQ(model_.Lines()[1], "00:00:05,700 --> 00:00:07,501  X1:005 X2:714 Y1:010 Y2:099");
  EXPECT_TRUE(model_.Options().settings.extended);
}

TEST_F(FormatsGolden, IAuthorMinimumIntervalAndSkippedEntries) {
  table_.Clear();
  table_.Append(testing::Entry(Tc(0, 0, 9, 0), Tc(0, 0, 10, 0), {"a.bmp"}));
  table_.Append(testing::Entry(Tc(0, 0, 10, 5), Tc(0, 0, 10, 990), {"b.bmp"}));
  table_.Append(testing::Entry(Tc(0, 0, 11, 0), Tc(0, 0, 12, 0), {}));  // no line: no page
  table_.Append(testing::Entry(Tc(0, 0, 12, 5), Tc(0, 0, 12, 400), {"d.bmp"}));
  const std::string saved = Saved(OutputFormatCode::IAuthor);
  // Gap 5 < 10: stop moves to 10,005 - 10 = 9,995, written 100 ms later.
  EXPECT_NE(saved.find("TIME: 10.09 DISABLE_OGT"), std::string::npos);
  // Gap 10 is not below the minimum: the stop stays.
  EXPECT_NE(saved.find("TIME: 11.09 DISABLE_OGT"), std::string::npos);
  EXPECT_EQ(saved.find("Page #3 "), std::string::npos);
  // The last entry keeps its stop.
  EXPECT_NE(saved.find("TIME: 12.50 DISABLE_OGT"), std::string::npos);
  EXPECT_NE(saved.find("Page #4 "), std::string::npos);
}

}  // namespace
}  // namespace capter
