#include <QMouseEvent>

#include "app/about_box.h"
#include "tests/gui/program_fixture.h"

namespace capter::testing {
namespace {

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::LeftButton, held,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

using AboutBoxTest = ProgramFixture;

TEST_F(AboutBoxTest, DraggingMovesTheBoxAndAClickWithoutDragClosesIt) {
  TForm12& about = Start().About();
  about.setModal(false);
  about.show();
  QApplication::processEvents();
  EXPECT_TRUE(about.windowFlags() & Qt::FramelessWindowHint);
  const QPoint before = about.pos();

  SendMouse(&about, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
  SendMouse(&about, QEvent::MouseMove, {40, 30}, Qt::LeftButton);
  SendMouse(&about, QEvent::MouseButtonRelease, {40, 30}, Qt::NoButton);
  EXPECT_EQ(about.pos(), before + QPoint(30, 20));
  EXPECT_TRUE(about.isVisible());  // a drag does not close it

  SendMouse(&about, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
  SendMouse(&about, QEvent::MouseButtonRelease, {10, 10}, Qt::NoButton);
  EXPECT_FALSE(about.isVisible());
}

}  // namespace
}  // namespace capter::testing
