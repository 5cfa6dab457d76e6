// Saving: nothing for an empty list, the replace question, the footer, and
// a failed write that leaves the old file and the unsaved flag as they were.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "base/atomic_file.h"
#include "tests/support/scripted_message_boxes.h"
#include "tests/text/text_test_support.h"
#include "text/save_as.h"

namespace capter {
namespace {

namespace fs = std::filesystem;

class SaveAs : public ::testing::Test {
 protected:
  SaveAs() : model_(table_, boxes_) {}
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("capter_save_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    table_ = testing::SampleTable();
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Contents(const fs::path& path) {
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(path.string(), bytes).ok);
    return bytes;
  }

  SubtitleTable table_;
  testing::ScriptedMessageBoxes boxes_;
  SubtitleTextModel model_;
  fs::path dir_;
};

TEST_F(SaveAs, EmptyListSavesNothing) {
  EXPECT_EQ(SaveTextAs(model_, (dir_ / "a.cpt").string()), SaveOutcome::NothingToSave);
  EXPECT_FALSE(fs::exists(dir_ / "a.cpt"));
  EXPECT_TRUE(boxes_.asked.empty());
}

TEST_F(SaveAs, WritesTheListAndNamesTheFile) {
  model_.RefreshList();
  const fs::path path = dir_ / "film.cpt";
  EXPECT_EQ(SaveTextAs(model_, path.string()), SaveOutcome::Saved);
  EXPECT_EQ(Contents(path), SavedText(model_));
  EXPECT_FALSE(model_.TextModified());
  EXPECT_EQ(model_.CurrentFileName(), path.string());
  EXPECT_EQ(model_.Caption(), "Subtitles - film -");
  EXPECT_EQ(model_.SaveDialogFolder(), dir_.string());
  EXPECT_TRUE(boxes_.asked.empty());
}

TEST_F(SaveAs, ReplacingAsksFirst) {
  const fs::path path = dir_ / "old.sub";
  ASSERT_TRUE(WriteFileAtomically(path.string(), "old").ok);
  model_.SetOutputFormat(OutputFormatCode::SubViewer);
  model_.RefreshList();

  boxes_ = testing::ScriptedMessageBoxes({Answer::No});
  EXPECT_EQ(SaveTextAs(model_, path.string()), SaveOutcome::Declined);
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].text, "File old.sub already exists ! Replace file ?");
  EXPECT_EQ(boxes_.asked[0].kind, MessageKind::Warning);
  EXPECT_EQ(Contents(path), "old");
  EXPECT_TRUE(model_.TextModified());

  boxes_ = testing::ScriptedMessageBoxes({Answer::Yes});
  EXPECT_EQ(SaveTextAs(model_, path.string()), SaveOutcome::Saved);
  // The footer follows the last list line.
  const std::string saved = Contents(path);
  EXPECT_TRUE(saved.ends_with("sub0004.bmp\r\n[END]\r\n******** End Script ********\r\n"));
}

TEST_F(SaveAs, FailedWriteKeepsTheOldFileAndTheUnsavedText) {
  const fs::path path = dir_ / "keep.cpt";
  ASSERT_TRUE(WriteFileAtomically(path.string(), "old").ok);
  model_.RefreshList();
  model_.SetCurrentFileName("/elsewhere/previous.cpt");

  // A file-size limit makes the write fail even for root.
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  auto* previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 16;
  ::setrlimit(RLIMIT_FSIZE, &small);
  boxes_ = testing::ScriptedMessageBoxes({Answer::Yes});
  const SaveOutcome outcome = SaveTextAs(model_, path.string());
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);

  EXPECT_EQ(outcome, SaveOutcome::Failed);
  ASSERT_EQ(boxes_.asked.size(), 2u);  // replace question, then the error
  EXPECT_EQ(boxes_.asked[1].kind, MessageKind::Error);
  EXPECT_NE(boxes_.asked[1].text.find("keep.cpt"), std::string::npos);
  EXPECT_EQ(Contents(path), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
  EXPECT_TRUE(model_.TextModified());
  EXPECT_EQ(model_.Caption(), "Subtitles - previous -");

  // A folder that does not exist fails the same way.
  boxes_ = testing::ScriptedMessageBoxes();
  EXPECT_EQ(SaveTextAs(model_, (dir_ / "no" / "a.cpt").string()), SaveOutcome::Failed);
  EXPECT_TRUE(model_.TextModified());
}

}  // namespace
}  // namespace capter
