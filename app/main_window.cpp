#include "app/main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QScreen>
#include <QStyle>

#include "app/common_dialogs.h"
#include "app/jpeg_decoder.h"
#include "app/live_window_texts.h"
#include "app/preview_area.h"
#include "app/qt_colour.h"
#include "app/qt_message_boxes.h"
#include "app/qt_text.h"
#include "app/window_dragger.h"
#include "base/message_ids.h"
#include "base/message_table.h"
#include "text/text_window_actions.h"
#include "ui_main_window.h"

namespace capter {
namespace {

constexpr const char* kVersion = "0.96b";
constexpr int kTimerIntervalMs = 500;
constexpr int kDisplayIntervalMs = 40;
constexpr const char* kBackgroundFilter = "Image File (*.bmp;*.jpg)|*.bmp;*.jpg|All|*.*";
// The pause button's captions. The pause sign after "Pause" is drawn as two
// bars: fonts show the character 0x7F as an empty box.
constexpr const char* kPauseCaption = "&Pause ||";
constexpr const char* kContinueCaption = "&Continue >";

// The preview's image of a kept core picture.
struct PreviewImage {
  QImage operator()(std::monostate) const { return {}; }
  template <typename Picture>
  QImage operator()(const Picture& picture) const {
    return ToImage(picture);
  }
};

}  // namespace

TForm1::TForm1(RunCompanions& companions, std::string programDirectory, QWidget* parent)
    : QMainWindow(parent),
      ui_(std::make_unique<Ui::TForm1>()),
      companions_(companions),
      programDirectory_(std::move(programDirectory)),
      languages_(new QActionGroup(this)) {
  ui_->setupUi(this);
  setWindowTitle(windowTitle() + " " + kVersion);
  // The window system adds the application title to window titles unless
  // they end with it: idle, the title bar shows the caption alone; during a
  // run, the caption and the run's title ("Capter - 42%").
  QApplication::setApplicationDisplayName(windowTitle());
  if (QScreen* screen = QApplication::primaryScreen()) {
    const QSize available = screen->availableSize();
    resize(std::min(width(), available.width()), std::min(height(), available.height()));
  }
  session_ = std::make_unique<RunSession>(SessionFrontEnd{.boxes = boxes_,
                                                          .clock = clock_,
                                                          .display = *this,
                                                          .preview = this,
                                                          .adjustment = &companions_,
                                                          .progression = &companions_});
  session_->UseRecognition(companions_, companions_);
  session_->Run().SetCaption(FromQt(windowTitle()));
  session_->Dispatch().SetShowPictures(ui_->CheckBoxShowSubPict->isChecked());
  settings_.configuration = DefaultConfiguration(programDirectory_);

  ui_->CoolButtonOpenVob->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  ui_->CoolButtonShowSubtitleText->setIcon(
      style()->standardIcon(QStyle::SP_FileDialogDetailedView));
  ui_->ButtonPause->setText(ToQt(kPauseCaption));
  ui_->ButtonPause->setEnabled(false);
  ui_->Button1->setVisible(false);
  ui_->PanelPreviewCfg->setVisible(false);
  ui_->Output1->menuAction()->setVisible(false);
  languages_->setExclusive(true);
  // The background panels and the preview move the window when dragged.
  auto* dragger = new WindowDragger(this);  // owned by the window
  for (QWidget* handle :
       {static_cast<QWidget*>(ui_->PanelTop), static_cast<QWidget*>(ui_->PanelStatus),
        static_cast<QWidget*>(ui_->PanelBody), static_cast<QWidget*>(ui_->ImagePreview)}) {
    dragger->AddHandle(handle);
  }
  ConnectMenus();
  ConnectPreviewOptions();

  displayTimer_.setSingleShot(true);
  displayTimer_.setInterval(kDisplayIntervalMs);
  connect(&displayTimer_, &QTimer::timeout, this, &TForm1::FlushDisplay);
  timer1_.setObjectName("Timer1");
  timer1_.setInterval(kTimerIntervalMs);
  connect(&timer1_, &QTimer::timeout, this, &TForm1::Timer1Timer);
  timer1_.start();
}

TForm1::~TForm1() {
  // The other windows are children of this one and work on the session it
  // owns (the text window is the text model's listener): they go first,
  // while the session still exists.
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isWindow()) delete child;
  }
}

void TForm1::SetTranslatedWindows(std::function<QList<QWidget*>()> windows) {
  translatedWindows_ = std::move(windows);
}

void TForm1::ConnectMenus() {
  connect(ui_->OpenVob1, &QAction::triggered, this, [this] {
    if (session_->Run().Allows(RunCommand::OpenJobMenu)) emit OpenJobRequested();
  });
  connect(ui_->CoolButtonOpenVob, &QToolButton::clicked, this, [this] {
    if (session_->Run().Allows(RunCommand::OpenJob)) emit OpenJobRequested();
  });
  connect(ui_->Quit1, &QAction::triggered, this, &QWidget::close);
  connect(ui_->CoolButtonShowSubtitleText, &QToolButton::clicked, this,
          &TForm1::ToggleTextWindowRequested);
  const auto matrixCommand = [this](QAction* action, void (TForm1::*signal)()) {
    connect(action, &QAction::triggered, this, [this, signal] {
      if (session_->Run().Allows(RunCommand::ChangeMatrix)) emit(this->*signal)();
    });
  };
  connect(ui_->EditCharMatrix1, &QAction::triggered, this, &TForm1::EditMatrixRequested);
  matrixCommand(ui_->OpenCharacterMatrix1, &TForm1::OpenMatrixRequested);
  connect(ui_->SaveCharacterMatrix1, &QAction::triggered, this, &TForm1::SaveMatrixRequested);
  connect(ui_->SaveCharacterMatrixAs1, &QAction::triggered, this, &TForm1::SaveMatrixAsRequested);
  matrixCommand(ui_->NewCharaterMatrix1, &TForm1::NewMatrixRequested);
  connect(ui_->OCRAdvancedSetup1, &QAction::triggered, this, &TForm1::OcrAdvancedSetupRequested);
  connect(ui_->About1, &QAction::triggered, this, &TForm1::AboutRequested);
  connect(ui_->ButtonPause, &QPushButton::clicked, this, &TForm1::ButtonPauseClick);
  connect(ui_->CheckBoxShowSubPict, &QCheckBox::toggled, this,
          [this](bool on) { session_->Dispatch().SetShowPictures(on); });
  connect(ui_->Button1, &QPushButton::clicked, this, [this] {
    const FileResult written = SaveLanguageTemplateOf(
        programDirectory_, translatedWindows_ ? translatedWindows_() : QList<QWidget*>{this});
    if (!written.ok) WindowBoxes().Ask(MessageKind::Error, ButtonSet::Ok, written.error);
  });
}

// ---------------------------------------------------------------- start-up

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!startedUp_) StartUp();
}

void TForm1::StartUp() {
  startedUp_ = true;
  optionsReady_ = false;
  std::vector<std::string> notes;
  const FileResult loaded = LoadProgramSettings(programDirectory_, settings_, &notes);
  if (!loaded.ok) WindowBoxes().Ask(MessageKind::Error, ButtonSet::Ok, loaded.error);
  const Configuration& c = settings_.configuration;
  session_->Ocr() = c.ocr;
  session_->BmpSettings() = settings_.bmp;
  SubtitleTextModel& text = session_->Text();
  text.Options().settings = c.output;
  text.SetAutoScrollDown(c.shell.AutoScrollDown);
  text.SetOpenDialogFolder(c.shell.OpenDialogCapterText);
  text.SetSaveDialogFolder(c.shell.SaveDialogText);
  emit SettingsLoaded();
  Messages().BuildDefaultMessages();
  ListLanguages();
  if (!c.shell.LanguageFileName.empty()) LoadLanguage(c.shell.LanguageFileName);
  ApplySettingsToPreviewPanel();
  ApplyZoom(settings_.configuration.preview.Zoom);
  DrawBackground();
  optionsReady_ = true;
  ShowSettingNotes(notes);
}

void TForm1::ShowSettingNotes(const std::vector<std::string>& notes) {
  // Settings that were out of range or unreadable were corrected while the
  // file was read; the user is told once, when the window is up.
  if (notes.empty()) return;
  std::string text = ConfigurationPath(programDirectory_) + ":";
  for (const std::string& note : notes) text += "\n" + note;
  QTimer::singleShot(0, this,
                     [text] { WindowBoxes().Ask(MessageKind::Warning, ButtonSet::Ok, text); });
}

void TForm1::ListLanguages() {
  for (QAction* action : languages_->actions()) delete action;  // owned by the group
  for (const std::string& name : capter::ListLanguages(programDirectory_)) {
    auto* action = new QAction(ToQt(name), languages_);  // owned by the group
    action->setCheckable(true);
    action->setData(ToQt(name));
    action->setChecked(name == settings_.configuration.shell.LanguageFileName);
    ui_->GUILanguage1->addAction(action);
    connect(action, &QAction::triggered, this, [this, action] {
      action->setChecked(true);
      settings_.configuration.shell.LanguageFileName = FromQt(action->data().toString());
      LoadLanguage(settings_.configuration.shell.LanguageFileName);
    });
  }
}

void TForm1::LoadLanguage(const std::string& name) {
  const QList<QWidget*> windows = translatedWindows_ ? translatedWindows_() : QList<QWidget*>{this};
  ApplyLanguageToWindows(programDirectory_, name, windows);
  session_->Run().SetCaption(FromQt(windowTitle()));
  if (runTitle_.empty()) QApplication::setApplicationDisplayName(windowTitle());
}

// ---------------------------------------------------------------- the run

void TForm1::Timer1Timer() {
  RunSession& session = *session_;
  if (session.Run().Tick()) FlushDisplay();
  if (session.Run().ReadReturnedForClose() && !closed_) {
    close();
    return;
  }
  ShowRunTitle();
}

void TForm1::ButtonPauseClick() {
  if (session_->Run().Allows(RunCommand::PauseContinue)) session_->Run().PauseClick();
  FlushDisplay();
  ShowRunTitle();
}

void TForm1::ShowFile(const std::string& name, int number, int count) {
  ui_->LabelVobFile->setText(ToQt(name));
  ui_->LabelVobNum->setNum(number);
  ui_->LabelVobNb->setNum(count);
}

void TForm1::ShowProgress(const RunProgress& progress) {
  lastPositionKiB_ = progress.positionKiB;
  shown_.position = progress.position;
  shown_.percent = progress.percent;
  ScheduleDisplay();
  // The title changes with the percentage only; the pause sign is set by
  // the pause button and the timer.
  if (progress.title == runTitle_) return;
  runTitle_ = progress.title;
  ShowRunTitle();
}

void TForm1::ScheduleDisplay() {
  // During a read the labels and the preview change after every unit; they
  // are drawn at most every kDisplayIntervalMs, which keeps the window's
  // share of the run small. Outside a read they are drawn at once.
  if (!session_->Run().Job().busy) {
    FlushDisplay();
  } else if (!displayTimer_.isActive()) {
    displayTimer_.start();
  }
}

void TForm1::FlushDisplay() {
  displayTimer_.stop();
  // A show-only unit kept during the read gets its picture now; it comes
  // back through ShowPicture, which must not draw again from here.
  flushing_ = true;
  session_->Dispatch().ShowKeptPicture();
  flushing_ = false;
  Ui::TForm1& u = *ui_;
  u.LabelPos->setText(ToQt(shown_.position));
  u.ProgressBar1->setValue(shown_.percent);
  u.LabelNbSup->setNum(static_cast<int>(shown_.unitsInFile));
  u.LabelTotalNbSup->setNum(static_cast<int>(shown_.unitsInRun));
  if (shown_.elapsedChanged) {
    shown_.elapsedChanged = false;
    u.LabelTimeElapsed->setText(ToQt(shown_.elapsed));
  }
  if (shown_.remainingChanged) {
    shown_.remainingChanged = false;
    u.LabelTimeRemaining->setText(ToQt(shown_.remaining));
  }
  if (shown_.navigationChanged) {
    shown_.navigationChanged = false;
    u.LabelTime->setText(ToQt(ToText(shown_.totalTime)));
    u.LabelTime7->setText(ToQt(ToText(shown_.packTime)));
    u.LabelChapters->setNum(shown_.chapters);
    u.LabelFPS->setText(ToQt(shown_.frameRate));
  }
  if (shown_.pictureChanged) {
    shown_.pictureChanged = false;
    // Only the picture that is drawn is converted: during a read many
    // pictures come between two draws.
    QImage image = std::visit(PreviewImage{}, shown_.picture);
    pictureRect_ = shown_.area;
    pictureWidth_ = image.width();
    pictureHeight_ = image.height();
    u.ImagePreview->SetPicture(std::move(image));
    PlacePicture();
  }
}

void TForm1::ShowRunTitle() {
  // The window title tells the run's state: the application title with the
  // percentage while a job is under way, a pause sign while it is held.
  if (runTitle_.empty()) return;
  const RunState state = session_->Run().State();
  const bool held = state == RunState::Paused || state == RunState::Pausing;
  const QString title = ToQt(runTitle_) + (held ? QString::fromUtf8(" \u23F8") : QString());
  // Only a changed title goes to the window system.
  if (title != QApplication::applicationDisplayName()) {
    QApplication::setApplicationDisplayName(title);
  }
}

void TForm1::ShowElapsed(const std::string& hhmmss) {
  shown_.elapsed = hhmmss;
  shown_.elapsedChanged = true;
  ScheduleDisplay();
}

void TForm1::ShowRemaining(const std::string& hhmmss) {
  shown_.remaining = hhmmss;
  shown_.remainingChanged = true;
  ScheduleDisplay();
}

void TForm1::ShowUnitCounts(uint32_t inFile, uint32_t inRun) {
  shown_.unitsInFile = inFile;
  shown_.unitsInRun = inRun;
  ScheduleDisplay();
  emit UnitsCounted(inRun);
}

void TForm1::ShowPauseButton(bool enabled, bool paused) {
  ui_->ButtonPause->setEnabled(enabled);
  ui_->ButtonPause->setText(ToQt(paused ? kContinueCaption : kPauseCaption));
}

void TForm1::ShowOpenVobEnabled(bool enabled) {
  ui_->OpenVob1->setEnabled(enabled);
}

void TForm1::ShowNavigation(const VobReader& reader) {
  // Every navigation pack passes here; the texts are made when drawn.
  const NavigationClock& navigation = reader.Navigation();
  shown_.totalTime = navigation.TotalTime();
  shown_.packTime = reader.Presentation().LatestPackTime();
  shown_.chapters = navigation.CellCounter();
  shown_.frameRate = navigation.Mode().label;
  shown_.navigationChanged = true;
  ScheduleDisplay();
}

void TForm1::ProcessPendingEvents() {
  QApplication::processEvents();
}

// ---------------------------------------------------------------- preview

void TForm1::ShowPicture(const Picture24& picture, const Rect& area) {
  QueuePicture(picture, area);
}

void TForm1::ShowPicture(const PalettedPicture& picture, const Rect& area) {
  QueuePicture(picture, area);
}

template <typename Picture>
void TForm1::QueuePicture(const Picture& picture, const Rect& area) {
  // A copy into the kept picture of the same kind reuses its buffer.
  if (Picture* kept = std::get_if<Picture>(&shown_.picture)) {
    *kept = picture;
  } else {
    shown_.picture = picture;
  }
  shown_.area = area;
  shown_.pictureChanged = true;
  if (!flushing_) ScheduleDisplay();
}

bool TForm1::PictureWanted() {
  // During a read only the picture drawn at the next refresh is made.
  return !session_->Run().Job().busy;
}

void TForm1::PictureKept() {
  ScheduleDisplay();
}

void TForm1::PlacePicture() {
  const PreviewSettings& p = settings_.configuration.preview;
  std::optional<QRgb> transparent;
  if (p.TransparentBkGrd) {
    const Colour c = PreviewTransparentColour(session_->Run().Job().action, session_->Roles(),
                                              session_->BmpSettings());
    transparent = ToQColor(c).rgb();
  }
  ui_->ImagePreview->SetTransparentColour(transparent);
  ui_->ImagePreview->SetLayout(
      ComposePreview(p.Zoom, p.AtTruePos, pictureRect_, pictureWidth_, pictureHeight_));
  ui_->LabelX1->setNum(pictureRect_.x1);
  ui_->LabelY1->setNum(pictureRect_.y1);
  ui_->LabelX2->setNum(pictureRect_.x2);
  ui_->LabelY2->setNum(pictureRect_.y2);
  ui_->LabelWidth->setNum(pictureWidth_);
  ui_->LabelHeight->setNum(pictureHeight_);
}

void TForm1::ApplyZoom(uint16_t zoom) {
  settings_.configuration.preview.Zoom = zoom;
  PlacePicture();
}

void TForm1::DrawBackground() {
  const PreviewSettings& p = settings_.configuration.preview;
  switch (p.BackMode) {
    case kBackNone:
      ui_->ImagePreview->SetBackground(std::nullopt);
      break;
    case kBackImage: {
      Picture24 image;
      if (p.BackImageName.empty() || !QFileInfo::exists(ToQt(p.BackImageName))) break;
      const ImageReadResult read = ReadBackgroundImage(p.BackImageName, image);
      if (!read.ok) {
        WindowBoxes().Ask(MessageKind::Error, ButtonSet::Ok, read.error);
        break;
      }
      ui_->ImagePreview->SetBackground(ToImage(image));
      break;
    }
    default:
      ui_->ImagePreview->SetBackground(ToImage(LetterBoxBackground(p)));
      break;
  }
  if (p.AutoZoom) {
    ApplyZoom(AutoZoom(frameGeometry().width(), frameGeometry().height()));
  } else {
    ApplyZoom(p.Zoom);
  }
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (optionsReady_ && settings_.configuration.preview.AutoZoom) {
    ApplyZoom(AutoZoom(frameGeometry().width(), frameGeometry().height()));
  }
}

void TForm1::ConnectPreviewOptions() {
  Ui::TForm1& u = *ui_;
  connect(u.ButtonPreviewOption, &QPushButton::clicked, this, [this] {
    const bool open = !ui_->PanelPreviewCfg->isVisible();
    if (open) {
      optionsReady_ = false;
      ApplySettingsToPreviewPanel();
      optionsReady_ = true;
    }
    // The window grows by the panel's width, so the preview keeps its room.
    const int panelWidth = ui_->PanelPreviewCfg->sizeHint().width() + 4;
    ui_->PanelPreviewCfg->setVisible(open);
    if (!isMaximized()) resize(width() + (open ? panelWidth : -panelWidth), height());
  });
  for (QCheckBox* box : {u.CheckBoxTruePos, u.CheckBoxTransparentBkGrd, u.CheckBoxAutoZoom}) {
    connect(box, &QCheckBox::toggled, this, &TForm1::PreviewOptionChanged);
  }
  connect(u.RadioGroupPreviewBack, &RadioGroup::ItemIndexChanged, this,
          &TForm1::PreviewOptionChanged);
  connect(u.SpinEditZoom, &QSpinBox::valueChanged, this, [this](int value) {
    if (!optionsReady_) return;
    PreviewSettings& p = settings_.configuration.preview;
    p.Zoom = static_cast<uint16_t>(value * 10);
    ApplyZoom(p.AutoZoom ? AutoZoom(frameGeometry().width(), frameGeometry().height()) : p.Zoom);
  });
  connect(u.ComboBoxAspectRatio, &QComboBox::activated, this, [this] {
    ui_->RadioGroupPreviewBack->SetItemIndex(kBackPreset);
    PreviewOptionChanged();
  });
  connect(u.SpinEditAspectRatio, &QSpinBox::valueChanged, this, [this](int value) {
    ui_->PanelRatio->SetText(ToQt(FreeRatioText(value)));
    if (optionsReady_) ui_->RadioGroupPreviewBack->SetItemIndex(kBackFree);
    PreviewOptionChanged();
  });
  connect(u.PanelBorderColor, &ColourSwatch::Clicked, this, [this] { ChooseColour(true); });
  connect(u.PanelInnerColor, &ColourSwatch::Clicked, this, [this] { ChooseColour(false); });
  connect(u.ButtonImgBack, &QPushButton::clicked, this, &TForm1::LoadBackgroundImageClick);
}

void TForm1::ApplySettingsToPreviewPanel() {
  const PreviewSettings p = settings_.configuration.preview;
  Ui::TForm1& u = *ui_;
  u.CheckBoxTruePos->setChecked(p.AtTruePos);
  u.CheckBoxTransparentBkGrd->setChecked(p.TransparentBkGrd);
  u.SpinEditZoom->setValue(p.Zoom / 10);
  u.CheckBoxAutoZoom->setChecked(p.AutoZoom);
  u.SpinEditZoom->setEnabled(!p.AutoZoom);
  u.RadioGroupPreviewBack->SetItemIndex(std::min<int>(p.BackMode, kBackImage));
  u.ComboBoxAspectRatio->setCurrentIndex(std::min<int>(p.AspectRatioMode, 2));
  u.SpinEditAspectRatio->setValue(p.FreeAspectRatio);
  u.PanelRatio->SetText(ToQt(FreeRatioText(p.FreeAspectRatio)));
  u.PanelBorderColor->SetValue(p.BorderColor);
  u.PanelInnerColor->SetValue(p.InnerColor);
  settings_.configuration.preview = p;  // loading the controls changes nothing
}

void TForm1::PreviewOptionChanged() {
  if (optionsReady_) {
    Ui::TForm1& u = *ui_;
    PreviewSettings& p = settings_.configuration.preview;
    p.AtTruePos = u.CheckBoxTruePos->isChecked();
    p.TransparentBkGrd = u.CheckBoxTransparentBkGrd->isChecked();
    p.AutoZoom = u.CheckBoxAutoZoom->isChecked();
    p.BackMode = static_cast<uint8_t>(std::max(u.RadioGroupPreviewBack->ItemIndex(), 0));
    p.AspectRatioMode = static_cast<uint8_t>(std::max(u.ComboBoxAspectRatio->currentIndex(), 0));
    p.FreeAspectRatio = static_cast<uint16_t>(u.SpinEditAspectRatio->value());
    p.BorderColor = u.PanelBorderColor->Value();
    p.InnerColor = u.PanelInnerColor->Value();
    u.SpinEditZoom->setEnabled(!p.AutoZoom);
  }
  DrawBackground();
}

void TForm1::ChooseColour(bool border) {
  ColourSwatch* swatch = border ? ui_->PanelBorderColor : ui_->PanelInnerColor;
  if (const std::optional<Colour> chosen = WindowDialogs().ChooseColour(this, swatch->Value())) {
    swatch->SetValue(*chosen);
  }
  PreviewOptionChanged();
}

void TForm1::LoadBackgroundImageClick() {
  PreviewSettings& p = settings_.configuration.preview;
  const std::string folder = p.BackImageName.empty() ? programDirectory_ : p.BackImageName;
  const std::string& title = Messages().GetMessage(kMsgLoadBackground);
  const std::optional<std::string> chosen =
      imageChooser_ ? imageChooser_(title, folder)
                    : WindowDialogs().OpenFileName(this, {.title = title,
                                                          .filter = kBackgroundFilter,
                                                          .defaultExtension = {},
                                                          .folder = folder,
                                                          .proposedName = {}});
  if (!chosen) return;
  p.BackImageName = *chosen;
  // Choosing "Image :" redraws; when it was chosen already, redraw here.
  if (ui_->RadioGroupPreviewBack->ItemIndex() == kBackImage) {
    PreviewOptionChanged();
  } else {
    ui_->RadioGroupPreviewBack->SetItemIndex(kBackImage);
  }
}

// ---------------------------------------------------------------- close

bool TForm1::ConfirmClose() {
  if (matrixCloseCheck_ && !matrixCloseCheck_()) return false;
  if (!ConfirmQuitWithUnsavedText(session_->Text())) {
    emit ShowTextWindowRequested();
    return false;
  }
  return true;
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (closed_) return;
  ExtractionRun& run = session_->Run();
  if (!run.CloseRequested()) {
    if (!ConfirmClose()) {
      event->ignore();
      return;
    }
    run.RequestClose();
  }
  if (!run.Allows(RunCommand::CloseProgram)) {
    // A read is in progress below this event: it returns at its next pause
    // point, and the next tick closes the window.
    event->ignore();
    return;
  }
  FinishClose();
  event->accept();
}

void TForm1::FinishClose() {
  closed_ = true;
  timer1_.stop();
  emit SavingSettings();
  const SubtitleTextModel& text = session_->Text();
  Configuration& c = settings_.configuration;
  c.output = text.Options().settings;
  c.shell.AutoScrollDown = text.AutoScrollDown();
  c.shell.OpenDialogCapterText = text.OpenDialogFolder();
  c.shell.SaveDialogText = text.SaveDialogFolder();
  settings_.bmp = session_->BmpSettings();
  const FileResult saved = SaveProgramSettings(programDirectory_, settings_);
  if (!saved.ok) WindowBoxes().Ask(MessageKind::Error, ButtonSet::Ok, saved.error);
  emit Closed();
}

}  // namespace capter
