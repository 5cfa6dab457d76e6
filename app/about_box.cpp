#include "app/about_box.h"

#include <QPainter>
#include <QPainterPath>
#include <QRegion>

#include "app/window_dragger.h"
#include "ui_about_box.h"

namespace capter {
namespace {

constexpr int kCornerEllipse = 20;

}  // namespace

QPixmap ProgramPicture(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal s = size / 64.0;
  painter.scale(s, s);
  // A screen with a subtitle line in it.
  painter.setPen(QPen(QColor(40, 44, 60), 2));
  painter.setBrush(QColor(60, 72, 110));
  painter.drawRoundedRect(QRectF(4, 10, 56, 40), 5, 5);
  painter.setBrush(QColor(40, 44, 60));
  painter.drawRect(QRectF(26, 50, 12, 6));
  painter.drawRoundedRect(QRectF(18, 55, 28, 4), 2, 2);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(250, 250, 250));
  painter.drawRoundedRect(QRectF(14, 36, 36, 6), 3, 3);
  painter.setBrush(QColor(255, 210, 80));
  painter.drawRoundedRect(QRectF(20, 28, 24, 5), 2.5, 2.5);
  return pixmap;
}

TForm12::TForm12(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::TForm12>()) {
  ui_->setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  ui_->ImageAbout->setPixmap(ProgramPicture(96));
  setAutoFillBackground(true);
  auto* dragger = new WindowDragger(this);  // owned by the box
  dragger->AddHandle(this);
  for (QWidget* child : findChildren<QWidget*>()) dragger->AddHandle(child);
  connect(dragger, &WindowDragger::ClickedWithoutDrag, this, &QDialog::accept);
}

TForm12::~TForm12() = default;

void TForm12::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  QPainterPath rounded;
  rounded.addRoundedRect(rect(), kCornerEllipse / 2.0, kCornerEllipse / 2.0);
  setMask(QRegion(rounded.toFillPolygon().toPolygon()));
}

}  // namespace capter
