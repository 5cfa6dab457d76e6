// TForm4, "OCR Advanced Setup": edits the live recognition settings it is
// given, the limits and a check box per recognition aid. OK keeps the
// fields, Cancel forgets them, "Reload Default Values" puts the built-in
// values back at once, and "Save these Values" also writes them to the
// configuration file, the only way they outlive the program.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "ocr/ocr_settings.h"

class QCheckBox;

namespace Ui {
class Form4;
}

namespace capter {

class NumericEdit;
struct OcrAidInfo;

class TForm4 : public QDialog {
  Q_OBJECT

 public:
  // `configurationPath`: the file "Save these Values" writes to.
  TForm4(OcrSettings& settings, std::string configurationPath, QWidget* parent = nullptr);
  ~TForm4() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void reject() override;

 private:
  void ButtonOKClick();
  void ButtonCancelClick();
  void ButtonReloadDefaultClick();
  void ButtonSaveValuesClick();
  void TrackBarSensibilityChange(int value);
  void Word_uSensibilityChange();
  void LoadFields();
  void StoreFields();
  NumericEdit* Field(size_t index) const;
  QCheckBox* Aid(const OcrAidInfo& info) const;

  std::unique_ptr<Ui::Form4> ui_;
  OcrSettings& settings_;
  std::string configurationPath_;
};

}  // namespace capter
