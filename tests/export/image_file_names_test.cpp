#include <gtest/gtest.h>

#include "base/atomic_file.h"
#include "export/run_file_name.h"
#include "export/sup_file.h"
#include "tests/export/temp_folder.h"
#include "tests/support/corpus_units.h"

namespace capter {
namespace {

TEST(RunFileName, CountsArePaddedToSixDigitsAndNeverCut) {
  EXPECT_EQ(RunFileName("/out/film", 1, kBmpRunExtension), "/out/film000001.bmp");
  EXPECT_EQ(RunFileName("film", 999999, kSupRunExtension), "film999999.sup");
  EXPECT_EQ(RunFileName("film", 1234567, kBmpRunExtension), "film1234567.bmp");
  EXPECT_EQ(RunFileName("", 0, ""), "000000");
}

class SupFile : public testing::TempFolderTest {};

TEST_F(SupFile, IsTheCollectedUnitByteForByte) {
  // The corpus records the size of every unit of its one stream in order.
  const testing::CorpusCase corpusCase = testing::FindCorpusCase("p01_pal_text_dejavu");
  const auto units = testing::DecodeCorpusStream(corpusCase, 0);
  ASSERT_GE(units.size(), 2u);
  std::string json;
  ASSERT_TRUE(ReadWholeFile(corpusCase.dir + "/case.json", json).ok);
  size_t at = 0;
  for (size_t i = 0; i < units.size(); ++i) {
    const std::string path = Path(RunFileName("unit", static_cast<uint32_t>(i + 1), ".sup"));
    ASSERT_TRUE(WriteSupFile(units[i].bytes, path).ok);
    std::string written;
    ASSERT_TRUE(ReadWholeFile(path, written).ok);
    EXPECT_EQ(written, std::string(units[i].bytes.begin(), units[i].bytes.end()));
    at = json.find("\"bytes\":", at);
    ASSERT_NE(at, std::string::npos);
    at += 8;
    const size_t size = std::stoul(json.substr(at));
    ASSERT_EQ(written.size(), size) << "unit " << i + 1;
    // The unit begins with its own size, big-endian.
    EXPECT_EQ(static_cast<uint8_t>(written[0]) << 8 | static_cast<uint8_t>(written[1]),
              static_cast<int>(size));
  }
}

TEST_F(SupFile, ReplacesAnEarlierFileOfTheSameName) {
  const std::string path = Path("film000001.sup");
  std::vector<uint8_t> unit(1500, 0xAA);
  unit[0] = 0x05, unit[1] = 0xDC;
  ASSERT_TRUE(WriteSupFile(std::vector<uint8_t>(3000, 1), path).ok);
  ASSERT_TRUE(WriteSupFile(unit, path).ok);
  std::string written;
  ASSERT_TRUE(ReadWholeFile(path, written).ok);
  ASSERT_EQ(written.size(), 1500u);
  EXPECT_EQ(written.substr(0, 2), "\x05\xDC");
  EXPECT_FALSE(WriteSupFile(unit, Path("no/such/folder.sup")).ok);
}

}  // namespace
}  // namespace capter
