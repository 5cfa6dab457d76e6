#include <gtest/gtest.h>

#include <QApplication>

#include "app/main_window.h"

namespace capter {
namespace {

TEST(MainWindow, OpensWithItsDocumentedNameAndCloses) {
  TForm1 window;
  window.show();
  QApplication::processEvents();
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.objectName(), "Form1");
  EXPECT_EQ(window.windowTitle(), "Capter");
  EXPECT_TRUE(window.close());
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace capter
