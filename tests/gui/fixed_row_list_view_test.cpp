// The subtitle list's view: rows are placed by their number, the last row
// comes into view when selected, and mouse and keys pick the rows they point
// at.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QStringListModel>
#include <QTest>

#include "text/fixed_row_list_view.h"

namespace capter {
namespace {

class FixedRowList : public ::testing::Test {
 protected:
  FixedRowList() {
    QStringList rows;
    for (int i = 0; i < 200; ++i) rows << QString("line %1").arg(i);
    model_.setStringList(rows);
    view_.setModel(&model_);
    view_.resize(300, 200);
    view_.show();
  }

  QStringListModel model_;
  FixedRowListView view_;
};

TEST_F(FixedRowList, SelectingTheLastRowScrollsItIntoView) {
  const QModelIndex last = model_.index(199, 0);
  view_.setCurrentIndex(last);
  view_.scrollTo(last);
  const QRect rect = view_.visualRect(last);
  EXPECT_GE(rect.top(), 0);
  EXPECT_LE(rect.bottom(), view_.viewport()->height());
  EXPECT_EQ(view_.verticalScrollBar()->value(), view_.verticalScrollBar()->maximum());
  EXPECT_EQ(view_.indexAt(rect.center()), last);
}

TEST_F(FixedRowList, AppendedRowsExtendTheScrollRangeByTheirHeight) {
  const int before = view_.verticalScrollBar()->maximum();
  model_.insertRows(200, 3);
  EXPECT_EQ(view_.verticalScrollBar()->maximum(), before + 3 * view_.RowHeight());
  model_.removeRows(200, 3);
  EXPECT_EQ(view_.verticalScrollBar()->maximum(), before);
}

TEST_F(FixedRowList, ClicksAndKeysSelectTheRowsTheyPointAt) {
  const int h = view_.RowHeight();
  QTest::mouseClick(view_.viewport(), Qt::LeftButton, {}, QPoint(10, 2 * h + h / 2));
  EXPECT_EQ(view_.currentIndex().row(), 2);
  EXPECT_TRUE(view_.selectionModel()->isSelected(model_.index(2, 0)));
  QTest::keyClick(&view_, Qt::Key_Down);
  EXPECT_EQ(view_.currentIndex().row(), 3);
  QTest::keyClick(&view_, Qt::Key_End);
  EXPECT_EQ(view_.currentIndex().row(), 199);
  QTest::keyClick(&view_, Qt::Key_Home);
  EXPECT_EQ(view_.currentIndex().row(), 0);
  // Below the last row there is nothing to pick.
  model_.setStringList({"only"});
  EXPECT_FALSE(view_.indexAt(QPoint(10, 5 * h)).isValid());
}

}  // namespace
}  // namespace capter
