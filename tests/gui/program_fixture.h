// The desktop program's windows in a fresh program folder (no "Capter.ini",
// no "lang" folder), with every message box answered from a script.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include "app/program_windows.h"
#include "app/qt_message_boxes.h"
#include "base/message_table.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter::testing {

class ProgramFixture : public ::testing::Test {
 protected:
  ProgramFixture() {
    static int counter = 0;
    folder_ = std::filesystem::temp_directory_path() /
              ("capter_gui_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
    std::filesystem::create_directories(folder_);
    SetWindowBoxes(&boxes_);
  }
  ~ProgramFixture() override {
    windows_.reset();
    SetWindowBoxes(nullptr);
    Messages().BuildDefaultMessages();
    std::filesystem::remove_all(folder_);
  }

  // The program folder, ending in a separator.
  std::string Folder() const { return folder_.string() + "/"; }

  ProgramWindows& Start() {
    windows_ = std::make_unique<ProgramWindows>(Folder());
    windows_->Main().show();
    QApplication::processEvents();
    return *windows_;
  }

  // Processes events until `done` or 30 s have passed.
  static bool WaitFor(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
      if (timer.elapsed() > 30000) return false;
      QTest::qWait(10);
    }
    return true;
  }

  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  ScriptedMessageBoxes boxes_;
  std::filesystem::path folder_;
  std::unique_ptr<ProgramWindows> windows_;
};

}  // namespace capter::testing
