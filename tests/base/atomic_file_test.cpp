#include "base/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

namespace capter {
namespace {

namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("capter_atomic_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all);
    fs::remove_all(dir_);
  }
  fs::path dir_;
};

TEST_F(AtomicFile, ReplacesContentsAndLeavesNoTemporaryFile) {
  const std::string path = (dir_ / "a.txt").string();
  ASSERT_TRUE(WriteFileAtomically(path, "first").ok);
  ASSERT_TRUE(WriteFileAtomically(path, std::string("sec\0nd", 6)).ok);
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(path, bytes).ok);
  EXPECT_EQ(bytes, std::string("sec\0nd", 6));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(AtomicFile, FailedWriteKeepsTheOldFileAndSaysWhy) {
  const std::string path = (dir_ / "a.txt").string();
  ASSERT_TRUE(WriteFileAtomically(path, "old").ok);
  // A file-size limit makes the write fail even for root.
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  auto* previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4;
  ::setrlimit(RLIMIT_FSIZE, &small);
  const FileResult result = WriteFileAtomically(path, "much longer new contents");
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.error.find("a.txt"), std::string::npos);
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(path, bytes).ok);
  EXPECT_EQ(bytes, "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(AtomicFile, MissingFolderAndMissingFileAreReported) {
  EXPECT_FALSE(WriteFileAtomically((dir_ / "no" / "a.txt").string(), "x").ok);
  std::string bytes = "kept";
  EXPECT_FALSE(ReadWholeFile((dir_ / "none").string(), bytes).ok);
  const FileResult folder = ReadWholeFile(dir_.string(), bytes);
  EXPECT_FALSE(folder.ok);
  EXPECT_NE(folder.error.find("directory"), std::string::npos);
  EXPECT_EQ(bytes, "kept");
}

}  // namespace
}  // namespace capter
