// The About box, TForm12: a borderless window with rounded corners showing
// the program's picture and version. Dragging moves it; a click without
// dragging closes it.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TForm12;
}

namespace capter {

class TForm12 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm12(QWidget* parent = nullptr);
  ~TForm12() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::unique_ptr<Ui::TForm12> ui_;
};

// The program's picture (the About box and the window icon).
QPixmap ProgramPicture(int size);

}  // namespace capter
