// The main window, TForm1: the program's frame. For now it opens and closes;
// menus, run status and the preview arrive with the desktop work.
#pragma once

#include <QMainWindow>

namespace capter {

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);
};

}  // namespace capter
