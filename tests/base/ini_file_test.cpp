#include "base/ini_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

namespace capter {
namespace {

TEST(IniFile, NamesMatchWithoutRegardToCaseAndBlanksAreIgnored) {
  const IniFile ini(
      "[Preview Cfg]\r\n  Zoom = 500 \r\nBackImageName=  \"  x \"  \r\n"
      "[\xC9T\xC9]\r\n\xE9t\xE9=1\r\n");
  EXPECT_EQ(ini.ReadInteger("PREVIEW CFG", "zoom", 0), 500);
  EXPECT_EQ(ini.ReadString("preview cfg", "BACKIMAGENAME", ""), "  x ");
  // Accented letters of the code page fold too.
  EXPECT_EQ(ini.ReadString("\xE9t\xE9", "\xC9T\xC9", ""), "1");
  EXPECT_FALSE(ini.HasSection("Preview"));
}

TEST(IniFile, FirstOfDuplicateSectionsAndKeysWins) {
  const IniFile ini("[A]\nk=1\nk=2\n[a]\nk=3\nj=4\n");
  EXPECT_EQ(ini.ReadInteger("A", "k", 0), 1);
  EXPECT_EQ(ini.ReadInteger("A", "j", 0), 0);
}

TEST(IniFile, IntegersAreDecimalOrHexadecimalAndOtherwiseTheDefault) {
  struct Case {
    const char* text;
    int32_t expected;
  };
  const Case cases[] = {
      {"1000", 1000},
      {"0x3E8", 1000},
      {"0X3e8", 1000},
      {"-5", -5},
      {"+7", 7},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"0xFFFFFFFF", -1},
      {"0x", 99},
      {"2147483648", 99},
      {"0x123456789", 99},
      {"", 99},
      {"12a", 99},
      {"abc", 99},
      {"-", 99},
      {"0x-1", 99},
      {"1 2", 99},
      {"007", 7},
  };
  for (const Case& c : cases) {
    const IniFile ini(std::string("[S]\r\nK=") + c.text + "\r\n");
    EXPECT_EQ(ini.ReadInteger("S", "K", 99), c.expected) << '"' << c.text << '"';
  }
  EXPECT_EQ(IniFile("[S]\r\n").ReadInteger("S", "K", 99), 99);
}

TEST(IniFile, BooleansAreAnyNonZeroInteger) {
  const IniFile ini("[S]\r\nA=2\r\nB=0\r\nC=yes\r\n");
  EXPECT_TRUE(ini.ReadBool("S", "A", false));
  EXPECT_FALSE(ini.ReadBool("S", "B", true));
  EXPECT_TRUE(ini.ReadBool("S", "C", true));
  EXPECT_FALSE(ini.ReadBool("S", "C", false));
}

TEST(IniFile, WritingKeepsEveryOtherLineAndEndsLinesWithCrLf) {
  IniFile ini("; comment\n[Keep]\nOther = x\n\n[Mine]\nA=1\nB=2\n\n\n[Last]\nZ=9");
  ini.WriteInteger("mine", "b", 20);    // in place, keeps its position
  ini.WriteString("Mine", "C", "new");  // after the section's last key
  ini.WriteBool("New Section", "On", true);
  EXPECT_EQ(ini.Serialise(),
            "; comment\r\n[Keep]\r\nOther = x\r\n\r\n[Mine]\r\nA=1\r\nb=20\r\nC=new\r\n\r\n\r\n"
            "[Last]\r\nZ=9\r\n\r\n[New Section]\r\nOn=1\r\n");
  EXPECT_EQ(ini.ReadInteger("Mine", "B", 0), 20);
}

TEST(IniFile, ValuesSurviveWritingAndReadingBack) {
  const std::string values[] = {" leading", "trailing\t", "\"quoted\"",
                                "\"",       "a \"b\" c",  "x=y;z",
                                "caf\xE9",  "",           "[not a section]"};
  IniFile ini;
  for (size_t i = 0; i < std::size(values); ++i)
    ini.WriteString("S", "K" + std::to_string(i), values[i]);
  const IniFile reread(ini.Serialise());
  for (size_t i = 0; i < std::size(values); ++i) {
    EXPECT_EQ(reread.ReadString("S", "K" + std::to_string(i), "?"), values[i]) << i;
  }
}

TEST(IniFile, ALineBreakInAValueCannotAddAKey) {
  IniFile ini;
  ini.WriteString("S", "K", "one\r\nInjected=1\n[Other]");
  const IniFile reread(ini.Serialise());
  EXPECT_FALSE(reread.Find("S", "Injected").has_value());
  EXPECT_FALSE(reread.HasSection("Other"));
  EXPECT_EQ(reread.ReadString("S", "K", ""), "one  Injected=1 [Other]");
}

TEST(IniFile, MissingFileReadsEmptyButAnUnreadableOneIsAnError) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("capter_ini_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir / "folder.ini");
  IniFile ini("[S]\nK=1\n");
  EXPECT_TRUE(IniFile::Load((dir / "none.ini").string(), ini).ok);
  EXPECT_FALSE(ini.HasSection("S"));
  const FileResult unreadable = IniFile::Load((dir / "folder.ini").string(), ini);
  EXPECT_FALSE(unreadable.ok);
  EXPECT_NE(unreadable.error.find("folder.ini"), std::string::npos);
  // Editing an unreadable file must not replace it.
  EXPECT_FALSE(IniFile::Edit((dir / "folder.ini").string(), [](IniFile&) {}).ok);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.ini"));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace capter
