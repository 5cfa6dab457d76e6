#include "app/main_window.h"

#include <QLabel>

namespace capter {

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
  setObjectName("Form1");
  setWindowTitle("Capter");
  auto* label = new QLabel("Capter", this);  // owned by the window
  label->setObjectName("LabelTitle");
  label->setAlignment(Qt::AlignCenter);
  setCentralWidget(label);
  resize(640, 480);
}

}  // namespace capter
