// Message boxes of the desktop program: a modal Qt box of the kind's icon
// and title with the button set's buttons. Every window asks through
// WindowBoxes(), so tests can put scripted answers in its place.
#pragma once

#include "base/message_box.h"

class QWidget;

namespace capter {

class QtMessageBoxes : public MessageBoxes {
 public:
  Answer Ask(MessageKind kind, ButtonSet buttons, const std::string& text) override;
};

// The message boxes the windows use: Qt boxes unless replaced.
MessageBoxes& WindowBoxes();
// Replaces them (nullptr: back to Qt boxes). The caller keeps ownership.
void SetWindowBoxes(MessageBoxes* boxes);

}  // namespace capter
