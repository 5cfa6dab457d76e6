// The "Output Format" dialog, TForm13: one tab per output format with its
// options. "&Convert to this Format" stores the settings record, makes the
// visible tab's format current and renders the whole table in it; "&Cancel"
// keeps the stored record. The fields the renderers read directly (index
// offset, SubViewer and SubViewer 2 fields and font, Philips title) apply
// from the next rendering whichever button closes the dialog.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "text/subtitle_text_model.h"

class QLabel;

namespace Ui {
class Form13;
}

namespace capter {

class TForm13 : public QDialog {
  Q_OBJECT

 public:
  // A colour dialog starting at `current`; nothing when cancelled.
  using ColourPicker = std::function<std::optional<Colour>(Colour current)>;
  // A font dialog starting at `current`; nothing when cancelled.
  using FontPicker = std::function<std::optional<FontDescription>(const FontDescription& current)>;

  TForm13(SubtitleTextModel& model, QWidget* parent);
  ~TForm13() override;

  // Loads the controls and runs the dialog modally; true after a conversion.
  bool Execute();
  // What showing the dialog does: the controls take the stored settings and
  // the tab of the current format becomes the visible one.
  void FormShow();
  void BitBtnConvertClick();

  void SetColourPicker(ColourPicker picker) { pickColour_ = std::move(picker); }
  void SetFontPicker(FontPicker picker) { pickFont_ = std::move(picker); }

  // The colour a panel shows (PanelPColor0..3, PanelPhilipsColor0..3).
  Colour PanelColour(const QLabel* panel) const;

  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LoadDirectFields();
  void StoreDirectFields();
  OutputFormatSettings SettingsFromControls() const;
  void SetPanelColour(QLabel* panel, Colour colour);
  void ShowFont(const FontDescription& font);
  void PhilipsFrameRateChange();
  void SonicFrameRateChange();
  void UseBmpColorClick();
  void ChangeFontClick();

  std::unique_ptr<Ui::Form13> ui_;
  SubtitleTextModel& model_;
  std::array<QLabel*, 4> iauthorPanels_{};
  std::array<QLabel*, 4> philipsPanels_{};
  FontDescription font_;
  ColourPicker pickColour_;
  FontPicker pickFont_;
};

}  // namespace capter
