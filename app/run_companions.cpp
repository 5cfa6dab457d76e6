#include "app/run_companions.h"

#include "app/qt_message_boxes.h"

namespace capter {

Answer CurrentWindowBoxes::Ask(MessageKind kind, ButtonSet buttons, const std::string& text) {
  return WindowBoxes().Ask(kind, buttons, text);
}

}  // namespace capter
