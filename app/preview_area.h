// The main window's preview: a bevelled screen frame standing for the
// 720 x 576 screen, the background picture stretched inside it and the
// current sub-picture placed by the core's composition. It only paints what
// it is given.
#pragma once

#include <QImage>
#include <QWidget>
#include <optional>

#include "app/preview_composition.h"

namespace capter {

class PreviewArea : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewArea(QWidget* parent = nullptr);

  void SetLayout(const PreviewLayout& layout);
  // Nothing: no background (mode "None").
  void SetBackground(std::optional<QImage> background);
  void SetPicture(QImage picture);
  // The colour drawn transparent, or nothing for an opaque picture.
  void SetTransparentColour(std::optional<QRgb> colour);
  const QImage& Picture() const { return picture_; }
  const std::optional<QImage>& Background() const { return background_; }
  const PreviewLayout& Layout() const { return layout_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PreviewLayout layout_;
  std::optional<QImage> background_;
  QImage picture_;
  QImage shown_;  // the picture as drawn (with its transparent colour)
  std::optional<QRgb> transparent_;
};

// A core picture as a QImage (a copy, so the core may change its own).
QImage ToImage(const Picture24& picture);
QImage ToImage(const PalettedPicture& picture);

}  // namespace capter
