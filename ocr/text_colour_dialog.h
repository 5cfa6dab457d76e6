// TForm9, "Font color selection": asks which palette index of the decoded
// sub-picture is the text body. The main window's preview shows the
// picture recoloured for the selected index (that index white, the others
// black) and is enlarged, if needed, so that the picture fits; the text
// window is hidden while the dialog asks. When recognition takes whole
// glyphs, the user may also tick the antialias greys that are text too
// (proposed for the selected body, shown light grey in the preview).
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "ocr/text_colour_chooser.h"
#include "stream/palette_greys.h"

class QCheckBox;

namespace Ui {
class Form9;
}

namespace capter {

class TForm9 : public QDialog, public TextColourChooser {
  Q_OBJECT

 public:
  explicit TForm9(QWidget* parent = nullptr);
  ~TForm9() override;

  // The main window (enlarged for the preview), the subtitle text window
  // (hidden while asking) and the preview that shows a picture; each may
  // be left out.
  void SetMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }
  void SetTextWindow(QWidget* textWindow) { textWindow_ = textWindow; }
  void SetPreview(std::function<void(const Picture24&)> preview) { preview_ = std::move(preview); }

  std::optional<uint8_t> ChooseTextColour(const Picture24& bitmap, TextColourState& state) override;

  // The recoloured picture last shown.
  const Picture24& Preview() const { return recoloured_; }
  int SelectedIndex() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void reject() override;

 private:
  void ComboBoxColorChange(int index);
  void ButtonOKClick();
  void ButtonSkipPictureClick();
  void ButtonAutoDetectClick();
  void ExtraColorClick(uint8_t index, bool on);
  void ShowExtraColors();
  void ShowPreview();
  QCheckBox* ExtraBox(uint8_t index) const;
  void Detect();
  void FitMainWindow();

  std::unique_ptr<Ui::Form9> ui_;
  QWidget* mainWindow_ = nullptr;
  QWidget* textWindow_ = nullptr;
  std::function<void(const Picture24&)> preview_;
  const Picture24* bitmap_ = nullptr;
  TextColourState* state_ = nullptr;
  Picture24 recoloured_;
  PaletteGreys greys_ = kPaletteGreys;
  bool skipped_ = false;
};

}  // namespace capter
