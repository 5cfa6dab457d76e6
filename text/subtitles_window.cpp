#include "text/subtitles_window.h"

#include <QFont>
#include <QShowEvent>
#include <QStyle>

#include "app/qt_text.h"
#include "text/output_format_dialog.h"
#include "text/own_format_reader.h"
#include "text/post_ocr_correction_dialog.h"
#include "text/save_as.h"
#include "text/split_dialog.h"
#include "text/subtitle_list_model.h"
#include "text/text_window_actions.h"
#include "text/time_correction_dialog.h"
#include "ui_subtitles_window.h"

namespace capter {
namespace {

// "Courier New" 13 pixels, or the closest fixed-pitch font installed.
QFont ListFont() {
  QFont font("Courier New");
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPixelSize(13);
  return font;
}

}  // namespace

TForm3::TForm3(SubtitleTextModel& model, Configuration& configuration, QWidget* mainWindow,
               QWidget* parent)
    : QMainWindow(parent),
      ui_(std::make_unique<Ui::Form3>()),
      model_(model),
      configuration_(configuration),
      mainWindow_(mainWindow),
      list_(new SubtitleListModel(model, this)) {
  ui_->setupUi(this);
  ui_->ListBoxSubtitle->setFont(ListFont());
  ui_->ListBoxSubtitle->setModel(list_);
  ui_->CoolButtonSaveAs->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  ui_->CoolButtonClearSub->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
  ApplyConfiguration();
  model_.SetListener(this);

  form13_ = new TForm13(model_, this);
  form14_ = new TForm14(model_, this);
  form17_ = new TForm17(model_, this);
  form10_ = new TForm10(model_, this);
  Connect();
  // The window starts as a new file with the list the model holds.
  FileNameChanged(model_.Caption(), model_.ProposedFileName());
  SubtitleIndexChanged(model_.ShownSubtitleIndex());
}

TForm3::~TForm3() {
  model_.SetListener(nullptr);
}

void TForm3::Connect() {
  connect(ui_->Saveas1, &QAction::triggered, this, &TForm3::Saveas1Click);
  connect(ui_->CoolButtonSaveAs, &QToolButton::clicked, this, &TForm3::Saveas1Click);
  connect(ui_->OpenCapterFormat1, &QAction::triggered, this, &TForm3::OpenCapterFormat1Click);
  connect(ui_->Clear1, &QAction::triggered, this, &TForm3::Clear1Click);
  connect(ui_->CoolButtonClearSub, &QToolButton::clicked, this, &TForm3::Clear1Click);
  connect(ui_->PostOCRCorrection1, &QAction::triggered, this, &TForm3::PostOCRCorrection1Click);
  connect(ui_->CoolButtonSpellingCorrection, &QToolButton::clicked, this,
          &TForm3::PostOCRCorrection1Click);
  connect(ui_->TimeCorrection1, &QAction::triggered, this, &TForm3::TimeCorrection1Click);
  connect(ui_->CoolButtonTimeCorrection, &QToolButton::clicked, this,
          &TForm3::TimeCorrection1Click);
  connect(ui_->SetOutputFormat1, &QAction::triggered, this, &TForm3::SetOutputFormat1Click);
  connect(ui_->CoolButtonOutputFormat, &QToolButton::clicked, this, &TForm3::SetOutputFormat1Click);
  connect(ui_->Splitoutputfile1, &QAction::triggered, this, &TForm3::Splitoutputfile1Click);
  connect(ui_->CoolButtonSplitText, &QToolButton::clicked, this, &TForm3::Splitoutputfile1Click);
  connect(ui_->UpDown1Up, &QToolButton::clicked, this, [this] { UpDown1Click(true); });
  connect(ui_->UpDown1Down, &QToolButton::clicked, this, [this] { UpDown1Click(false); });
  connect(ui_->CheckBoxScrollDown, &QCheckBox::toggled, this, [this](bool on) {
    model_.SetAutoScrollDown(on);
    configuration_.shell.AutoScrollDown = on;
  });
}

void TForm3::ApplyConfiguration() {
  model_.Options().settings = configuration_.output;
  model_.SetAutoScrollDown(configuration_.shell.AutoScrollDown);
  model_.SetSaveDialogFolder(configuration_.shell.SaveDialogText);
  model_.SetOpenDialogFolder(configuration_.shell.OpenDialogCapterText);
  ui_->CheckBoxScrollDown->setChecked(configuration_.shell.AutoScrollDown);
}

void TForm3::SetFileDialogs(CommonDialogs* dialogs) {
  dialogs_ = dialogs ? dialogs : &WindowDialogs();
}

bool TForm3::ConfirmQuit() {
  if (ConfirmQuitWithUnsavedText(model_)) return true;
  show();
  raise();
  return false;
}

void TForm3::KeepSettings() {
  configuration_.output = model_.Options().settings;
  configuration_.shell.SaveDialogText = model_.SaveDialogFolder();
  configuration_.shell.OpenDialogCapterText = model_.OpenDialogFolder();
}

void TForm3::Saveas1Click() {
  if (!HasTextToSave(model_)) return;
  const SaveDialogSetup setup = SaveDialogFor(model_.OutputFormat());
  const std::optional<std::string> path =
      dialogs_->SaveFileName(this, {.title = {},
                                    .filter = setup.filter,
                                    .defaultExtension = setup.defaultExtension,
                                    .folder = model_.SaveDialogFolder(),
                                    .proposedName = model_.ProposedFileName()});
  if (!path) return;
  SaveTextAs(model_, *path);
  KeepSettings();
}

void TForm3::OpenCapterFormat1Click() {
  const bool unsaved = model_.TextModified();
  if (!ConfirmOpenAnother(model_)) return;
  const std::optional<std::string> path =
      dialogs_->OpenFileName(this, {.title = {},
                                    .filter = kOpenCapterTextFilter,
                                    .defaultExtension = {},
                                    .folder = model_.OpenDialogFolder(),
                                    .proposedName = {}});
  const OpenOutcome outcome = path ? OpenCapterFile(model_, *path) : OpenOutcome::NotAFile;
  // Text that was not replaced stays unsaved, so that quitting still asks.
  if (outcome == OpenOutcome::NotAFile || outcome == OpenOutcome::ReadFailed) {
    model_.SetTextModified(unsaved);
  }
  KeepSettings();
}

void TForm3::Clear1Click() {
  model_.Clear();
}

void TForm3::PostOCRCorrection1Click() {
  form10_->Execute();
}

void TForm3::TimeCorrection1Click() {
  form14_->Execute();
}

void TForm3::SetOutputFormat1Click() {
  form13_->Execute();
}

void TForm3::Splitoutputfile1Click() {
  form17_->Execute();
}

void TForm3::UpDown1Click(bool up) {
  if (list_->rowCount() == 0) return;
  SelectRow(up ? 0 : list_->rowCount() - 1);
}

void TForm3::SelectRow(int row) {
  const QModelIndex index = list_->index(row, 0);
  ui_->ListBoxSubtitle->setCurrentIndex(index);
  ui_->ListBoxSubtitle->scrollTo(index);
}

void TForm3::showEvent(QShowEvent* event) {
  PlaceUnderMainWindow();
  QMainWindow::showEvent(event);
}

void TForm3::PlaceUnderMainWindow() {
  if (mainWindow_ == nullptr) return;
  // The main window's width and left edge; both bottom edges meet.
  const QRect main = mainWindow_->frameGeometry();
  const int frameWidth = frameGeometry().width() - geometry().width();
  const int frameHeight = frameGeometry().height() - geometry().height();
  resize(main.width() - frameWidth, height());
  move(main.left(), main.top() + main.height() - (height() + frameHeight));
}

void TForm3::ListCleared() {
  list_->ListCleared();
}

void TForm3::ListRefreshed() {
  list_->ListRefreshed();
  // Converting, reopening and the IAuthor format end with a refresh and may
  // have changed the stored settings.
  KeepSettings();
}

void TForm3::LinesAppended(size_t first, size_t count) {
  list_->LinesAppended(first, count);
}

void TForm3::LinesRemoved(size_t count) {
  list_->LinesRemoved(count);
}

void TForm3::SelectLastLine(bool onlyIfShown) {
  if (onlyIfShown && !isVisible()) return;
  if (list_->rowCount() > 0) SelectRow(list_->rowCount() - 1);
}

void TForm3::SubtitleIndexChanged(uint16_t index) {
  ui_->LabelNbSubTitle->setText(QString::number(index));
}

void TForm3::FileNameChanged(const std::string& caption, const std::string&) {
  // The caption names a file: its bytes are in the file system's encoding.
  setWindowTitle(PathToQt(caption));
}

}  // namespace capter
