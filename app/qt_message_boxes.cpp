#include "app/qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

#include "app/qt_text.h"

namespace capter {
namespace {

struct BoxLook {
  QMessageBox::Icon icon;
  const char* title;
};

BoxLook LookOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning:
      return {QMessageBox::Warning, "Warning"};
    case MessageKind::Error:
      return {QMessageBox::Critical, "Error"};
    case MessageKind::Information:
      return {QMessageBox::Information, "Information"};
    case MessageKind::Confirmation:
      return {QMessageBox::Question, "Confirm"};
  }
  return {QMessageBox::NoIcon, ""};
}

std::vector<Answer> AnswersOf(ButtonSet buttons) {
  switch (buttons) {
    case ButtonSet::Ok:
      return {Answer::Ok};
    case ButtonSet::YesNo:
      return {Answer::Yes, Answer::No};
    case ButtonSet::YesNoCancel:
      return {Answer::Yes, Answer::No, Answer::Cancel};
    case ButtonSet::YesNoYesToAll:
      return {Answer::Yes, Answer::No, Answer::YesToAll};
    case ButtonSet::OkCancel:
      return {Answer::Ok, Answer::Cancel};
    case ButtonSet::CancelIgnoreYesToAll:
      return {Answer::Cancel, Answer::Ignore, Answer::YesToAll};
  }
  return {Answer::Ok};
}

std::pair<const char*, QMessageBox::ButtonRole> ButtonOf(Answer answer) {
  switch (answer) {
    case Answer::Ok:
      return {"OK", QMessageBox::AcceptRole};
    case Answer::Yes:
      return {"&Yes", QMessageBox::YesRole};
    case Answer::No:
      return {"&No", QMessageBox::NoRole};
    case Answer::Cancel:
      return {"Cancel", QMessageBox::RejectRole};
    case Answer::YesToAll:
      return {"Yes to &All", QMessageBox::YesRole};
    case Answer::Ignore:
      return {"&Ignore", QMessageBox::AcceptRole};
  }
  return {"OK", QMessageBox::AcceptRole};
}

MessageBoxes* replacement = nullptr;

}  // namespace

Answer QtMessageBoxes::Ask(MessageKind kind, ButtonSet buttons, const std::string& text) {
  const BoxLook look = LookOf(kind);
  QMessageBox box(look.icon, look.title, ToQt(text).replace('\r', '\n'), QMessageBox::NoButton,
                  QApplication::activeWindow());
  box.setObjectName("MessageBox");
  const std::vector<Answer> answers = AnswersOf(buttons);
  std::vector<QAbstractButton*> pushed;
  for (Answer answer : answers) {
    const auto [caption, role] = ButtonOf(answer);
    pushed.push_back(box.addButton(caption, role));
  }
  box.setDefaultButton(static_cast<QPushButton*>(pushed.front()));
  // Closing the box by its frame or Escape answers Cancel, or No, or the
  // only button.
  for (Answer escape : {Answer::Cancel, Answer::No, Answer::Ok}) {
    for (size_t i = 0; i < answers.size(); ++i) {
      if (answers[i] == escape && !box.escapeButton()) box.setEscapeButton(pushed[i]);
    }
  }
  box.exec();
  for (size_t i = 0; i < pushed.size(); ++i) {
    if (box.clickedButton() == pushed[i]) return answers[i];
  }
  return answers.back();
}

MessageBoxes& WindowBoxes() {
  static QtMessageBoxes boxes;
  return replacement ? *replacement : boxes;
}

void SetWindowBoxes(MessageBoxes* boxes) {
  replacement = boxes;
}

}  // namespace capter
