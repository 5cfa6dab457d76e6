// Stream names from an IFO and the stream list texts.
#include "stream/ifo_languages.h"

#include <gtest/gtest.h>

#include <vector>

namespace capter {
namespace {

std::vector<uint8_t> IfoWithCodes(const std::vector<std::string>& codes) {
  std::vector<uint8_t> ifo(600 + 6 * 32, 0xEE);
  for (size_t n = 0; n < 32; ++n) {
    const std::string code = n < codes.size() ? codes[n] : std::string(2, '\0');
    ifo[600 + 6 * n] = static_cast<uint8_t>(code[0]);
    ifo[601 + 6 * n] = static_cast<uint8_t>(code[1]);
  }
  return ifo;
}

TEST(IfoLanguages, KnownUnknownAndMissingCodes) {
  const auto names =
      ReadIfoStreamNames(IfoWithCodes({"en", "fr", "xx", std::string(2, '\0'), "pt"}));
  ASSERT_TRUE(names);
  EXPECT_EQ((*names)[0], "English");
  EXPECT_EQ((*names)[1], "French");
  EXPECT_EQ((*names)[2], "xx");
  EXPECT_EQ((*names)[3], "");
  EXPECT_EQ((*names)[4], "Portugese");
  EXPECT_EQ((*names)[31], "");
  EXPECT_EQ(StreamListItem(2, (*names)[1]), "2  - French");
  EXPECT_EQ(StreamListItem(3, (*names)[2]), "3  - xx");
  EXPECT_EQ(StreamListItem(4, (*names)[3]), "4  - ");
  EXPECT_EQ(StreamListItem(9, "Dutch"), "9  - Dutch");
  EXPECT_EQ(StreamListItem(10, "French"), "10 - French");
}

TEST(IfoLanguages, CodesAreCaseSensitive) {
  EXPECT_EQ(LanguageName('E', 'N'), "EN");
}

TEST(IfoLanguages, ShortFileIsAnError) {
  std::vector<uint8_t> ifo = IfoWithCodes({"en"});
  ifo.resize(600 + 6 * 31 + 1);
  EXPECT_FALSE(ReadIfoStreamNames(ifo));
  ifo.resize(600 + 6 * 31 + 2);
  EXPECT_TRUE(ReadIfoStreamNames(ifo));
  EXPECT_FALSE(ReadIfoStreamNames({}));
}

}  // namespace
}  // namespace capter
