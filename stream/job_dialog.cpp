#include "stream/job_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <fstream>
#include <iterator>

#include "app/job_action.h"
#include "app/qt_message_boxes.h"
#include "app/qt_text.h"
#include "app/window_dragger.h"
#include "base/file_filter.h"
#include "base/message_ids.h"
#include "base/message_table.h"
#include "base/path_names.h"
#include "text/text_window_actions.h"
#include "ui_job_dialog.h"

namespace capter {
namespace {

constexpr const char* kVobFilter =
    "VOB (*.vob)|*.vob|VTS Ifo (vts_*.ifo)|vts_*.ifo|All Ifo (*.ifo)|*.ifo|All (*.*)|*.*";
constexpr int kVobFilterIndex = 0;
constexpr int kIfoFilterIndex = 1;

std::string FolderOf(const std::string& path) {
  return FromQt(QFileInfo(ToQt(path)).absolutePath());
}

std::optional<std::string> QtOpenFile(QWidget* parent, const std::string& title,
                                      const std::string& folder, const std::string& filter,
                                      int index) {
  QString selected = ToQt(QtFileFilterEntry(filter, static_cast<size_t>(index)));
  const QString path = QFileDialog::getOpenFileName(parent, ToQt(title), ToQt(folder),
                                                    ToQt(QtFileFilter(filter)), &selected);
  if (path.isEmpty()) return std::nullopt;
  return FromQt(path);
}

std::optional<std::string> QtSaveFile(QWidget* parent, const std::string& title,
                                      const std::string& folder) {
  const QString path = QFileDialog::getSaveFileName(parent, ToQt(title), ToQt(folder));
  if (path.isEmpty()) return std::nullopt;
  return FromQt(path);
}

}  // namespace

TForm6::TForm6(RunSession& session, RunDisplay& display, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TForm6>()), session_(session), display_(display) {
  ui_->setupUi(this);
  choosers_.open = [this](const std::string& title, const std::string& folder,
                          const std::string& filter,
                          int index) { return QtOpenFile(this, title, folder, filter, index); };
  choosers_.save = [this](const std::string& title, const std::string& folder) {
    return QtSaveFile(this, title, folder);
  };
  Ui::TForm6& u = *ui_;
  u.ComboBoxLanguage->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // Room below each line, so the size field's underscores are not cut off.
  u.CheckListBoxVob->setSpacing(1);
  u.RadioGroupAction->SetItemIndex(0);
  const std::pair<TWord_u*, int> fields[] = {
      {u.Word_uHour, 24}, {u.Word_uMin, 59}, {u.Word_uSec, 59}, {u.Word_uMSec, 999}};
  for (const auto& [field, max] : fields) {
    field->SetValMax(max);
    connect(field, &QLineEdit::textChanged, this, &TForm6::TimeFieldChanged);
  }
  RebuildStreamList();
  ButtonResetTCClick();

  auto* dragger = new WindowDragger(this);  // owned by the dialog
  dragger->AddHandle(u.PanelBottom);
  u.CheckListBoxVob->installEventFilter(this);
  connect(u.UpDownFilePose, &UpDownArrows::Up, this, [this] { MoveSelected(true); });
  connect(u.UpDownFilePose, &UpDownArrows::Down, this, [this] { MoveSelected(false); });
  connect(u.ButtonOpenDir, &QPushButton::clicked, this, &TForm6::ButtonOpenDirClick);
  connect(u.ButtonOpenIfo, &QPushButton::clicked, this, &TForm6::ButtonOpenIfoClick);
  connect(u.ButtonResetTC, &QPushButton::clicked, this, &TForm6::ButtonResetTCClick);
  connect(u.BitBtnStart, &QPushButton::clicked, this, &TForm6::BitBtnStartClick);
  connect(u.BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(u.RadioGroupAction, &RadioGroup::ItemIndexChanged, this, &TForm6::ActionChanged);
  connect(u.ButtonOpenCharMatrixFile, &QPushButton::clicked, this, &TForm6::OpenMatrixRequested);
  connect(u.ButtonNewMatrix, &QPushButton::clicked, this, &TForm6::NewMatrixRequested);
  connect(u.ButtonClearText, &QPushButton::clicked, this, [this] { session_.Text().Clear(); });
  connect(u.Button1, &QPushButton::clicked, this, [this] {
    reject();
    emit ViewTextRequested();
  });
}

TForm6::~TForm6() = default;

void TForm6::TakeSettings(const ProgramSettings& settings) {
  const ShellSettings& shell = settings.configuration.shell;
  openDialogVob_ = shell.OpenDialogVob;
  saveDialogBmpSup_ = shell.SaveDialogBmpSup;
  ui_->RadioGroupAction->SetItemIndex(static_cast<int>(ActionModeFromStored(shell.ActionMode)));
  ui_->CheckBoxPictTiming->setChecked(settings.configuration.timingEntries);
  ActionChanged();
}

void TForm6::PutSettings(ProgramSettings& settings) const {
  ShellSettings& shell = settings.configuration.shell;
  shell.OpenDialogVob = openDialogVob_;
  shell.SaveDialogBmpSup = saveDialogBmpSup_;
  shell.ActionMode = std::max(ui_->RadioGroupAction->ItemIndex(), 0);
  settings.configuration.timingEntries = ui_->CheckBoxPictTiming->isChecked();
}

// ---------------------------------------------------------------- files

std::optional<std::string> TForm6::ChooseOpen(const std::string& title, int filterIndex) {
  const std::optional<std::string> path =
      choosers_.open(title, openDialogVob_, kVobFilter, filterIndex);
  if (path) openDialogVob_ = FolderOf(*path);
  return path;
}

void TForm6::ButtonOpenDirClick() {
  if (const auto path = ChooseOpen(FromQt(ui_->ButtonOpenDir->text()), kVobFilterIndex)) {
    ListFolder(FolderOf(*path));
  }
}

void TForm6::ButtonOpenIfoClick() {
  if (const auto path = ChooseOpen(FromQt(ui_->ButtonOpenIfo->text()), kIfoFilterIndex)) {
    OpenIfo(*path);
  }
}

void TForm6::ListFolder(const std::string& folder) {
  listing_ = ListVobFolder(folder);
  ui_->LabelVobPath->setText(ToQt(listing_.folder));
  ui_->CheckListBoxVob->clear();
  for (const VobEntry& entry : listing_.entries) {
    auto* item = new QListWidgetItem(ToQt(entry.text), ui_->CheckListBoxVob);  // owned by list
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    item->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  }
}

bool TForm6::OpenIfo(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    RebuildStreamList();  // a missing file leaves the names as they were
    return false;
  }
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
  const std::optional<StreamNames> names = ReadIfoStreamNames(bytes);
  bool ok = true;
  if (names) {
    streamNames_ = *names;
  } else {
    ok = false;
    WindowBoxes().Ask(MessageKind::Error, ButtonSet::Ok,
                      Messages().GetMessage(kMsgCantOpen) + path);
  }
  RebuildStreamList();
  ListFolder(FolderOf(path));
  return ok;
}

void TForm6::RebuildStreamList() {
  ui_->ComboBoxLanguage->clear();
  for (int n = 1; n <= kSubPictureStreams; ++n) {
    ui_->ComboBoxLanguage->addItem(ToQt(StreamListItem(n, streamNames_[n - 1])));
  }
  ui_->ComboBoxLanguage->setCurrentIndex(0);
}

void TForm6::CheckFiles(const std::vector<std::string>& paths) {
  int place = 0;
  for (const std::string& path : paths) {
    const std::string wanted = FromQt(QFileInfo(ToQt(path)).absoluteFilePath());
    for (int i = place; i < static_cast<int>(listing_.entries.size()); ++i) {
      if (FromQt(QFileInfo(ToQt(listing_.entries[i].path)).absoluteFilePath()) != wanted) continue;
      ui_->CheckListBoxVob->setCurrentRow(i);
      for (int row = i; row > place; --row) MoveSelected(true);
      ui_->CheckListBoxVob->item(place)->setCheckState(Qt::Checked);
      ++place;
      break;
    }
  }
}

void TForm6::MoveSelected(bool up) {
  QListWidget* list = ui_->CheckListBoxVob;
  const int row = list->currentRow();
  const int moved = MoveEntry(listing_.entries, row, up);
  if (moved == row) return;
  QListWidgetItem* item = list->takeItem(row);
  list->insertItem(moved, item);
  list->setCurrentRow(moved);
}

std::vector<std::string> TForm6::CheckedFiles() const {
  std::vector<std::string> files;
  for (int i = 0; i < ui_->CheckListBoxVob->count(); ++i) {
    if (ui_->CheckListBoxVob->item(i)->checkState() == Qt::Checked) {
      files.push_back(listing_.entries[static_cast<size_t>(i)].path);
    }
  }
  return files;
}

bool TForm6::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->CheckListBoxVob && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & Qt::ControlModifier &&
        (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
      MoveSelected(key->key() == Qt::Key_Up);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------- time

void TForm6::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ShowTime(session_.Run().Reader().Presentation().LatestPackTime());
  ActionChanged();
  ShowMatrixOfSession();
  ui_->CheckListBoxVob->setFocus();
}

void TForm6::ShowMatrixFile(const QString& name) {
  ui_->EditCharMatrixFile->setText(name);
}

void TForm6::ShowMatrixOfSession() {
  const std::string& matrixFile = session_.Matrix().FileName();
  ShowMatrixFile(matrixFile.empty() ? QStringLiteral("New File") : ToQt(FileNameOf(matrixFile)));
}

void TForm6::ShowTime(const TimeCode& time) {
  Ui::TForm6& u = *ui_;
  u.Word_uHour->SetValue(time.hours);
  u.Word_uMin->SetValue(time.minutes);
  u.Word_uSec->SetValue(time.seconds);
  u.Word_uMSec->SetValue(time.milliseconds);
}

void TForm6::TimeFieldChanged() {
  Ui::TForm6& u = *ui_;
  TimeCode time;
  time.hours = static_cast<uint8_t>(u.Word_uHour->Value());
  time.minutes = static_cast<uint8_t>(u.Word_uMin->Value());
  time.seconds = static_cast<uint8_t>(u.Word_uSec->Value());
  time.milliseconds = static_cast<uint16_t>(u.Word_uMSec->Value());
  session_.Run().Reader().Presentation().SetLastTimeCode(time);
}

void TForm6::ButtonResetTCClick() {
  session_.Run().ResetTimeBase(kZeroTimeCode);
  ShowTime(kZeroTimeCode);
  display_.ShowNavigation(session_.Run().Reader());
}

void TForm6::ActionChanged() {
  const ActionMode mode = ActionModeFromStored(ui_->RadioGroupAction->ItemIndex());
  ui_->CheckBoxPictTiming->setEnabled(TakesTimingEntries(mode));
}

// ---------------------------------------------------------------- start

bool TForm6::PrepareAction(RunAction action, bool timing, std::string& outputPath) {
  SubtitleTextModel& text = session_.Text();
  switch (action) {
    case RunAction::Recognise:
      if (!ConfirmAddToEnd(text)) return false;
      emit ShowTextWindowRequested();
      return true;
    case RunAction::SaveBmp:
    case RunAction::SaveSup: {
      if (timing) {
        if (!ConfirmAddToEnd(text)) return false;
        emit ShowTextWindowRequested();
      }
      const MessageId title = action == RunAction::SaveBmp ? kMsgSaveBmpsTitle : kMsgSaveSupsTitle;
      const auto path = choosers_.save(Messages().GetMessage(title), saveDialogBmpSup_);
      if (!path) return false;
      outputPath = *path;
      saveDialogBmpSup_ = FolderOf(*path);
      if (action == RunAction::SaveBmp) emit BitmapAdjustmentDue();
      emit ShowTextWindowRequested();
      return true;
    }
    case RunAction::ShowOnly:
      emit BitmapAdjustmentDue();
      return true;
  }
  return false;
}

void TForm6::BitBtnStartClick() {
  const std::vector<std::string> files = CheckedFiles();
  if (files.empty()) {
    WindowBoxes().Ask(MessageKind::Warning, ButtonSet::Ok,
                      Messages().GetMessage(kMsgNoVobSelected));
    return;
  }
  JobRequest request;
  request.files = files;
  request.action = RunActionOf(ActionModeFromStored(ui_->RadioGroupAction->ItemIndex()));
  request.addTimingEntries = ui_->CheckBoxPictTiming->isChecked();
  request.streamIndex = std::max(ui_->ComboBoxLanguage->currentIndex(), 0);
  if (!PrepareAction(request.action, request.addTimingEntries, request.outputPath)) return;
  if (request.action != RunAction::ShowOnly) WarnIfSplitEnabled(session_.Text());
  // The run takes the rest: a read in progress is paused and the new job
  // waits for it; the progression controller's no-stop state is cleared.
  session_.Run().Start(request);
  accept();
}

}  // namespace capter
