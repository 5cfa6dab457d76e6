// Message boxes answered from a script, recording every question asked.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "base/message_box.h"

namespace capter::testing {

class ScriptedMessageBoxes : public MessageBoxes {
 public:
  struct Question {
    MessageKind kind;
    ButtonSet buttons;
    std::string text;
  };

  // Answers given in order; when the script runs out, `fallback` is given.
  explicit ScriptedMessageBoxes(std::deque<Answer> script = {}, Answer fallback = Answer::Ok)
      : script_(std::move(script)), fallback_(fallback) {}

  Answer Ask(MessageKind kind, ButtonSet buttons, const std::string& text) override {
    asked.push_back({kind, buttons, text});
    if (script_.empty()) return fallback_;
    const Answer a = script_.front();
    script_.pop_front();
    return a;
  }

  std::vector<Question> asked;

 private:
  std::deque<Answer> script_;
  Answer fallback_;
};

}  // namespace capter::testing
