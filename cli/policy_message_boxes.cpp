#include "cli/policy_message_boxes.h"

namespace capter::cli {

Answer PolicyMessageBoxes::Ask(MessageKind /*kind*/, ButtonSet buttons, const std::string& text) {
  if (buttons == ButtonSet::YesNoYesToAll || buttons == ButtonSet::CancelIgnoreYesToAll) {
    return Answer::YesToAll;
  }
  // Lines of a message are joined by carriage returns; a terminal wants
  // line feeds.
  std::string shown = text;
  for (char& c : shown) {
    if (c == '\r') c = '\n';
  }
  if (beforeMessage_) beforeMessage_();
  err_ << "capter-cli: " << shown << '\n';
  warned_ = true;
  return buttons == ButtonSet::YesNo || buttons == ButtonSet::YesNoCancel ? Answer::No : Answer::Ok;
}

}  // namespace capter::cli
