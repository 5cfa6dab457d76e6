// Shared by the text window tests: a Subtitles window over a model with
// scripted message boxes and file names chosen in advance, and access to
// the rows its list shows.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/configuration.h"
#include "app/qt_text.h"
#include "tests/gui/qstring_printer.h"
#include "tests/support/scripted_message_boxes.h"
#include "text/subtitles_window.h"

namespace capter::testing {

class ChosenFiles : public CommonDialogs {
 public:
  std::optional<std::string> SaveFileName(QWidget*, const FileDialogRequest& request) override {
    saveRequests.push_back(request);
    return save;
  }
  std::optional<std::string> OpenFileName(QWidget*, const FileDialogRequest& request) override {
    openRequests.push_back(request);
    return open;
  }
  std::optional<Colour> ChooseColour(QWidget*, Colour) override { return std::nullopt; }
  std::optional<std::string> save;
  std::optional<std::string> open;
  std::vector<FileDialogRequest> saveRequests;
  std::vector<FileDialogRequest> openRequests;
};

class TextWindowTest : public ::testing::Test {
 protected:
  TextWindowTest()
      : configuration_(DefaultConfiguration("/nowhere/")),
        model_(table_, boxes_),
        dir_(std::filesystem::temp_directory_path() /
             ("capter_text_window_" + std::to_string(::getpid()) + "_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    model_.SetClock([] { return std::string("08/12/2026 10:00:00"); });
    std::filesystem::create_directories(dir_);
    window_ = std::make_unique<TForm3>(model_, configuration_, nullptr);
    window_->SetFileDialogs(&files_);
  }
  ~TextWindowTest() override {
    window_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

  QAbstractItemView* List() const {
    return window_->findChild<QAbstractItemView*>("ListBoxSubtitle");
  }

  // The rows the list view shows, as the model's Windows-1252 lines.
  std::vector<std::string> Rows() const {
    const QAbstractItemModel* rows = List()->model();
    std::vector<std::string> out;
    for (int r = 0; r < rows->rowCount(); ++r) {
      out.push_back(FromQt(rows->data(rows->index(r, 0)).toString()));
    }
    return out;
  }

  int SelectedRow() const {
    const QModelIndex current = List()->currentIndex();
    return current.isValid() ? current.row() : -1;
  }

  ScriptedMessageBoxes boxes_;
  Configuration configuration_;
  SubtitleTable table_;
  SubtitleTextModel model_;
  ChosenFiles files_;
  std::filesystem::path dir_;
  std::unique_ptr<TForm3> window_;
};

}  // namespace capter::testing
