// Message boxes for the headless tool: a fixed policy instead of a person.
// Questions that offer "Yes to All" get it; every other box is a warning or
// error that is printed and remembered.
#pragma once

#include <functional>
#include <ostream>

#include "base/message_box.h"

namespace capter::cli {

class PolicyMessageBoxes : public MessageBoxes {
 public:
  explicit PolicyMessageBoxes(std::ostream& err) : err_(err) {}

  Answer Ask(MessageKind kind, ButtonSet buttons, const std::string& text) override;

  // Called before a message is printed (to clear a progress line).
  void SetBeforeMessage(std::function<void()> beforeMessage) {
    beforeMessage_ = std::move(beforeMessage);
  }

  bool Warned() const { return warned_; }

 private:
  std::ostream& err_;
  bool warned_ = false;
  std::function<void()> beforeMessage_;
};

}  // namespace capter::cli
