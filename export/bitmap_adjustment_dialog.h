// TForm18, "Bitmap adjustment": edits the export settings and the colour
// roles on the current sub-picture while the preview shows the result, saves
// and loads them as profile files, and decides whether a BMP run keeps the
// current picture. A run shows it modally through the BitmapAdjustment
// interface while its ask-again flag is set; OK clears the flag (and, under
// the "I-Author" and "Philips" presets, switches the subtitle text to that
// format), "&Skip this Picture" drops the picture and leaves the flag set.
// The window is borderless, moved by dragging its pages or panels, and cut
// to the outline of its tab strip and body.
#pragma once

#include <QDialog>
#include <QPoint>
#include <array>
#include <memory>
#include <string>

#include "app/common_dialogs.h"
#include "app/run_dispatch.h"
#include "export/bmp_export_settings.h"
#include "text/subtitle_text_model.h"

class QFrame;
class QComboBox;

namespace Ui {
class TForm18;
}

namespace capter {

class RunSession;

class TForm18 : public QDialog, public BitmapAdjustment {
  Q_OBJECT

 public:
  explicit TForm18(QWidget* parent = nullptr);
  ~TForm18() override;

  // What the window edits: the session's export settings and colour roles,
  // and the subtitle text whose format a preset switches.
  void Attach(BmpExportSettings& settings, ColourRoles& roles, SubtitleTextModel& text);
  void Attach(RunSession& session);
  // The main window's preview (nothing is shown without one).
  void SetPreview(PicturePreview* preview) { preview_ = preview; }
  // The subtitle text window, hidden while this window is shown.
  void SetTextWindow(QWidget* textWindow) { textWindow_ = textWindow; }
  // File and colour dialogs (nullptr: Qt's).
  void SetDialogs(CommonDialogs* dialogs);
  // Initial folder of the profile dialogs.
  void SetProgramDirectory(std::string folder) { programDirectory_ = std::move(folder); }

  // The job dialog sets the flag when a BMP or show-only run starts.
  void SetAskAgain(bool on) { askAgain_ = on; }
  bool AskAgain() const { return askAgain_; }
  bool KeepPicture() const { return keepPicture_; }
  bool Compact() const { return compact_; }
  // The current picture as rendered for the preview, and its screen place.
  const PalettedPicture& Rendition() const { return rendition_; }
  const Rect& RenditionArea() const { return renditionArea_; }

  // BitmapAdjustment.
  bool Due() const override { return askAgain_; }
  bool Adjust(const Picture24& decoded, const Rect& area) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void done(int result) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormShow();
  void LoadControls();
  void LoadRoleCombos();
  void EnableGroups();
  void Refresh();
  void CroppingChange();
  void PositioningChange();
  void DVDColorChange(int role);
  void ButtonAutoSortColorClick();
  void PanelColorClick(int swatch);
  void ColorIndexChange(int role);
  void PresetPaletteIndexClick();
  void BitPerPixelChange();
  void ButtonSaveBMPClick();
  void ButtonSaveProfileClick();
  void ButtonLoadProfileClick();
  void BitBtn1Click();
  void ButtonSkipPictClick();
  void ButtonReduceWindowClick();
  void ApplyOutline();
  void ShowSwatch(int swatch, Colour colour);
  void ShowTextWindowAgain();
  void ReportError(const std::string& error);
  void ConnectControls();

  std::unique_ptr<Ui::TForm18> ui_;
  std::array<QFrame*, 5> swatches_{};  // PanelColor0..3, PanelUnusedColor
  std::array<Colour, 5> swatchColours_{};
  std::array<QComboBox*, 4> roleCombos_{};
  std::array<QComboBox*, 4> indexCombos_{};

  BmpExportSettings ownSettings_;
  ColourRoles ownRoles_;
  BmpExportSettings* settings_ = &ownSettings_;
  ColourRoles* roles_ = &ownRoles_;
  SubtitleTextModel* text_ = nullptr;
  PicturePreview* preview_ = nullptr;
  QWidget* textWindow_ = nullptr;
  CommonDialogs* dialogs_ = &WindowDialogs();
  std::string programDirectory_;

  Picture24 decoded_;
  Rect area_{};
  bool hasPicture_ = false;
  PalettedPicture rendition_;
  Rect renditionArea_{};

  bool ready_ = false;
  bool keepPicture_ = true;
  bool askAgain_ = false;
  bool textWasVisible_ = false;
  bool compact_ = false;
  QSize fullSize_;
  QPoint dragOffset_;
  bool dragging_ = false;
};

}  // namespace capter
