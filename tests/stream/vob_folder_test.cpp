#include "stream/vob_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace capter {
namespace {

TEST(VobFolder, EntryTextPadsTheNameAndTheSizeField) {
  EXPECT_EQ(VobEntryText("VTS_01_1.VOB", 1073739776), "VTS_01_1.VOB  [_1048574 Kb]");
  EXPECT_EQ(VobEntryText("a.vob", 1023), "a.vob         [_______0 Kb]");
  // Names and sizes past their fields keep every character.
  EXPECT_EQ(VobEntryText("VERY_LONG_NAME.VOB", 1024ull * 123456789),
            "VERY_LONG_NAME.VOB[123456789 Kb]");
}

TEST(VobFolder, ListsOnlyVobFilesInNameOrder) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("capter_vobs_" + std::to_string(::getpid()));
  fs::create_directories(dir / "sub.vob");  // a folder is not a file
  for (const char* name : {"VTS_01_2.VOB", "VTS_01_1.VOB", "vts_02_1.vob", "VTS_01_0.IFO"}) {
    std::ofstream(dir / name) << std::string(2048, 'x');
  }
  const VobListing listing = ListVobFolder(dir.string());
  EXPECT_EQ(listing.folder, dir.string() + "/");
  ASSERT_EQ(listing.entries.size(), 3u);
  EXPECT_EQ(listing.entries[0].path, listing.folder + "VTS_01_1.VOB");
  EXPECT_EQ(listing.entries[1].path, listing.folder + "VTS_01_2.VOB");
  EXPECT_EQ(listing.entries[2].path, listing.folder + "vts_02_1.vob");
  EXPECT_EQ(listing.entries[0].sizeKiB, 2u);
  EXPECT_TRUE(ListVobFolder((dir / "missing").string()).entries.empty());
  fs::remove_all(dir);
}

TEST(VobFolder, MovesExchangeWithANeighbourOnlyWhenThereIsOne) {
  std::vector<int> order = {1, 2, 3};
  EXPECT_EQ(MoveEntry(order, 2, true), 1);
  EXPECT_EQ(MoveEntry(order, 1, true), 0);
  EXPECT_EQ(order, (std::vector<int>{3, 1, 2}));
  EXPECT_EQ(MoveEntry(order, 0, true), 0);
  EXPECT_EQ(MoveEntry(order, 2, false), 2);
  EXPECT_EQ(MoveEntry(order, -1, false), -1);
  EXPECT_EQ(order, (std::vector<int>{3, 1, 2}));
}

}  // namespace
}  // namespace capter
