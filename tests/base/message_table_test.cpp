#include "base/message_table.h"

#include <gtest/gtest.h>

namespace capter {
namespace {

TEST(MessageTable, BuiltInEntriesAreTheEnglishTexts) {
  MessageTable table;
  ASSERT_EQ(table.Size(), 61u);
  EXPECT_EQ(table.GetMessage(0), "Maximum Number of Characters reached : ");
  EXPECT_EQ(table.GetMessage(15), "Error in file at Subtitle N\xB0 ");
  EXPECT_EQ(table.GetMessage(26), "Bad Packet Header at LBA: ");
  EXPECT_EQ(table.GetMessage(56),
            "You should try again on the next character, if still not found then you must "
            "create a new Matrix.");
  EXPECT_EQ(table.GetMessage(58), "The file holds more than ");
  EXPECT_EQ(table.GetMessage(60), "Type the text of the whole line");
  EXPECT_EQ(table.GetMessage(61), "");
}

TEST(MessageTable, SetReplacesOrAppendsButNeverLeavesHoles) {
  MessageTable table;
  table.Set(3, "Fichier ");
  table.Set(61, "extra");
  table.Set(63, "ignored");
  EXPECT_EQ(table.GetMessage(3), "Fichier ");
  EXPECT_EQ(table.GetMessage(11), "File ");
  EXPECT_EQ(table.Size(), 62u);
  table.BuildDefaultMessages();
  EXPECT_EQ(table.GetMessage(3), "File ");
  EXPECT_EQ(table.Size(), 61u);
}

}  // namespace
}  // namespace capter
