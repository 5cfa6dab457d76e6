// A pair of up and down arrows beside a list: each press asks to move the
// list's selected item; the arrows keep no position of their own.
#pragma once

#include <QWidget>

namespace capter {

class UpDownArrows : public QWidget {
  Q_OBJECT

 public:
  explicit UpDownArrows(QWidget* parent = nullptr);

 signals:
  void Up();
  void Down();
};

}  // namespace capter
