#include "app/preview_area.h"

#include <qdrawutil.h>
#include <QPainter>

namespace capter {
namespace {

QImage WithTransparency(const QImage& picture, std::optional<QRgb> colour) {
  if (!colour || picture.isNull()) return picture;
  QImage shown = picture.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = *colour | 0xFF000000u;
  for (int y = 0; y < shown.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(shown.scanLine(y));
    for (int x = 0; x < shown.width(); ++x) {
      if ((row[x] | 0xFF000000u) == key) row[x] = 0;
    }
  }
  return shown;
}

QRect RectOf(const Placement& p) {
  return QRect(p.left, p.top, p.width, p.height);
}

}  // namespace

PreviewArea::PreviewArea(QWidget* parent) : QWidget(parent) {
  SetLayout(ComposePreview(1000, true, Rect{}, 0, 0));
}

void PreviewArea::SetLayout(const PreviewLayout& layout) {
  const bool sameFrame = layout.frame == layout_.frame;
  const QRect before = RectOf(layout_.picture);
  layout_ = layout;
  if (!sameFrame) {
    setFixedSize(layout.frame.width, layout.frame.height);
    update();
    return;
  }
  // Only where the old and the new picture lie needs painting again.
  update(before.united(RectOf(layout_.picture)));
}

void PreviewArea::SetBackground(std::optional<QImage> background) {
  background_ = std::move(background);
  update();
}

void PreviewArea::SetPicture(QImage picture) {
  picture_ = std::move(picture);
  shown_ = WithTransparency(picture_, transparent_);
  update(RectOf(layout_.picture));
}

void PreviewArea::SetTransparentColour(std::optional<QRgb> colour) {
  if (transparent_ == colour) return;
  transparent_ = colour;
  shown_ = WithTransparency(picture_, transparent_);
  update();
}

void PreviewArea::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  qDrawShadePanel(&painter, RectOf(layout_.frame), palette(), true, 2);
  const QRect inside = RectOf(layout_.background);
  painter.setClipRect(inside);
  if (background_) {
    painter.drawImage(inside, *background_);
  } else {
    painter.fillRect(inside, palette().color(QPalette::Window));
  }
  if (shown_.isNull()) return;
  if (layout_.stretched) {
    painter.drawImage(RectOf(layout_.picture), shown_);
  } else {
    painter.drawImage(QPoint(layout_.picture.left, layout_.picture.top), shown_);
  }
}

QImage ToImage(const Picture24& picture) {
  if (picture.Empty()) return {};
  QImage image(picture.Width(), picture.Height(), QImage::Format_RGB32);
  for (int y = 0; y < picture.Height(); ++y) {
    const uint8_t* in = picture.Row(y);
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < picture.Width(); ++x)
      out[x] = qRgb(in[3 * x + 2], in[3 * x + 1], in[3 * x]);
  }
  return image;
}

QImage ToImage(const PalettedPicture& picture) {
  if (picture.Width() == 0 || picture.Height() == 0) return {};
  QImage image(picture.Width(), picture.Height(), QImage::Format_RGB32);
  for (int y = 0; y < picture.Height(); ++y) {
    const uint8_t* in = picture.Row(y);
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < picture.Width(); ++x) {
      const Colour c = picture.palette[in[x]];
      out[x] = qRgb(RedOf(c), GreenOf(c), BlueOf(c));
    }
  }
  return image;
}

}  // namespace capter
