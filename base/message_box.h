// The one way core code asks the user something: a modal message box of a
// kind, a text and a fixed button set, answered with the button pressed.
// The desktop program answers with a Qt dialog, tests with scripted answers,
// the command-line tool with a fixed policy.
#pragma once

#include <string>

namespace capter {

enum class MessageKind { Warning, Error, Information, Confirmation };

enum class ButtonSet { Ok, YesNo, YesNoCancel, YesNoYesToAll, OkCancel, CancelIgnoreYesToAll };

enum class Answer { Ok, Yes, No, Cancel, YesToAll, Ignore };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual Answer Ask(MessageKind kind, ButtonSet buttons, const std::string& text) = 0;
};

// Two message texts shown on two lines are joined by a carriage return.
inline std::string TwoLines(const std::string& first, const std::string& second) {
  return first + '\r' + second;
}

}  // namespace capter
