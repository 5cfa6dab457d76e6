#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <string>
#include <vector>

#include "app/about_box.h"
#include "app/program_directory.h"
#include "app/program_windows.h"
#include "base/atomic_file.h"

// capter [FILE...]: VOB and IFO files given (for example by a file
// manager's "Open with") open the job dialog with them chosen.
int main(int argc, char* argv[]) {
  // Ctrl+C or a shutdown during a settings or text write leaves no
  // temporary file behind.
  capter::RemoveTemporaryFileOnInterrupt();
  QApplication app(argc, argv);
  QApplication::setApplicationName("Capter");
  QApplication::setWindowIcon(QIcon(capter::ProgramPicture(64)));
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) files.emplace_back(argv[i]);
  capter::ProgramWindows windows(capter::ProgramDirectory());
  QObject::connect(&windows.Main(), &capter::TForm1::Closed, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  windows.Main().show();
  if (!files.empty()) QTimer::singleShot(0, &app, [&] { windows.OpenFiles(files); });
  return QApplication::exec();
}
