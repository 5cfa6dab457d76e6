#include "app/program_windows.h"

#include <QFileInfo>
#include <QTimer>

#include "app/qt_text.h"

namespace capter {
namespace {

bool IsIfo(const std::string& path) {
  return QFileInfo(ToQt(path)).suffix().compare("ifo", Qt::CaseInsensitive) == 0;
}

}  // namespace

ProgramWindows::ProgramWindows(std::string programDirectory)
    : form1_(std::make_unique<TForm1>(companions_, std::move(programDirectory))) {
  // Creation order after the main window: Form2, Form3, Form4, Form5 (slots),
  // Form6, Form9, Form10, Form11 (slots), Form12, then the slots Form13,
  // Form17, Form18, Form14.
  form6_ = new TForm6(form1_->Session(), *form1_, form1_.get());  // owned by the main window
  form12_ = new TForm12(form1_.get());                            // owned by the main window
  Connect();
}

ProgramWindows::~ProgramWindows() = default;

void ProgramWindows::Connect() {
  TForm1* main = form1_.get();
  main->SetTranslatedWindows([this] { return TranslatedWindows(); });
  QObject::connect(main, &TForm1::OpenJobRequested, main, [this] { ShowJobDialog(); });
  QObject::connect(main, &TForm1::AboutRequested, main, [this] { form12_->exec(); });
  QObject::connect(main, &TForm1::SettingsLoaded, main,
                   [this] { form6_->TakeSettings(form1_->Settings()); });
  QObject::connect(main, &TForm1::SavingSettings, main,
                   [this] { form6_->PutSettings(form1_->Settings()); });
}

QList<QWidget*> ProgramWindows::TranslatedWindows() const {
  QList<QWidget*> windows;
  for (QWidget* window :
       std::initializer_list<QWidget*>{form1_.get(), form6_.data(), form12_.data()}) {
    if (window != nullptr) windows << window;
  }
  return windows;
}

void ProgramWindows::ShowJobDialog() {
  form6_->exec();
}

void ProgramWindows::OpenFiles(const std::vector<std::string>& files) {
  if (files.empty()) return;
  std::vector<std::string> vobs;
  std::string ifo;
  for (const std::string& file : files) {
    if (IsIfo(file)) {
      ifo = file;
    } else {
      vobs.push_back(file);
    }
  }
  if (!ifo.empty()) {
    form6_->OpenIfo(ifo);
  } else {
    form6_->ListFolder(FromQt(QFileInfo(ToQt(vobs.front())).absolutePath()));
  }
  form6_->CheckFiles(vobs);
  ShowJobDialog();
}

}  // namespace capter
