#include "base/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <sys/stat.h>

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

std::string Contents(const fs::path& path) {
  std::string bytes;
  return ReadWholeFile(path.string(), bytes).ok ? bytes : "<unreadable>";
}

TEST_F(AtomicFile, ALinkIsFollowedAndItsTargetReplacedKeepingItsMode) {
  const fs::path target = dir_ / "target.txt";
  ASSERT_TRUE(WriteFileAtomically(target.string(), "old").ok);
  ::chmod(target.c_str(), 0640);
  fs::create_symlink("target.txt", dir_ / "link.txt");
  ASSERT_TRUE(WriteFileAtomically((dir_ / "link.txt").string(), "new").ok);
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.txt"));
  EXPECT_EQ(Contents(target), "new");
  struct stat info {};
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  // A link to a name that does not exist yet creates that name.
  fs::create_symlink(dir_ / "later.txt", dir_ / "dangling");
  ASSERT_TRUE(WriteFileAtomically((dir_ / "dangling").string(), "made").ok);
  EXPECT_EQ(Contents(dir_ / "later.txt"), "made");
  EXPECT_TRUE(fs::is_symlink(dir_ / "dangling"));
}

// FIFOs, devices and read-only files are tried with the tool itself
// (tests/cli/cli_process_test.cpp).
TEST_F(AtomicFile, AFolderIsRefused) {
  const FileResult folder = WriteFileAtomically(dir_.string(), "x");
  EXPECT_EQ(folder.error, dir_.string() + ": Is a directory");
  EXPECT_FALSE(CheckWritableDestination(dir_.string()).ok);
}

TEST_F(AtomicFile, DestinationCheckLeavesNothingBehind) {
  EXPECT_TRUE(CheckWritableDestination((dir_ / "new.txt").string()).ok);
  const FileResult missing = CheckWritableDestination((dir_ / "no" / "a.txt").string());
  EXPECT_EQ(missing.error, (dir_ / "no" / "a.txt").string() + ": No such file or directory");
  EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(AtomicFile, SameFileSeesThroughLinksAndSpellings) {
  const fs::path path = dir_ / "a.vob";
  ASSERT_TRUE(WriteFileAtomically(path.string(), "v").ok);
  fs::create_hard_link(path, dir_ / "hard.vob");
  fs::create_symlink(path, dir_ / "soft.vob");
  EXPECT_TRUE(SameFile(path.string(), (dir_ / "." / "a.vob").string()));
  EXPECT_TRUE(SameFile(path.string(), (dir_ / "hard.vob").string()));
  EXPECT_TRUE(SameFile(path.string(), (dir_ / "soft.vob").string()));
  EXPECT_FALSE(SameFile(path.string(), (dir_ / "missing.vob").string()));
  ASSERT_TRUE(WriteFileAtomically((dir_ / "b.vob").string(), "v").ok);
  EXPECT_FALSE(SameFile(path.string(), (dir_ / "b.vob").string()));
}

}  // namespace
}  // namespace capter
