// The dialogs a run may open from inside its dispatch (bitmap adjustment,
// progression controller, teaching, text colour), reached through one set of
// forwarding slots. The main window builds its run session on these slots
// at creation; the window set fills each slot with the window that answers
// it right after creating that window (see ProgramWindows), before any run
// can start. An empty slot gives the answer that asks nobody: no adjustment
// is due, no picture is held, an unknown character pauses the run, and a
// picture whose text colour is asked is skipped.
#pragma once

#include "app/run_dispatch.h"
#include "base/message_box.h"
#include "ocr/character_teacher.h"
#include "ocr/text_colour_chooser.h"

namespace capter {

// Forwards every question to its current answerer.
class RunCompanions : public BitmapAdjustment,
                      public ProgressionControl,
                      public CharacterTeacher,
                      public TextColourChooser {
 public:
  void SetAdjustment(BitmapAdjustment* a) { adjustment_ = a; }
  void SetProgression(ProgressionControl* p) { progression_ = p; }
  void SetTeacher(CharacterTeacher* t) { teacher_ = t; }
  void SetColourChooser(TextColourChooser* c) { chooser_ = c; }

  bool Due() const override { return adjustment_ != nullptr && adjustment_->Due(); }
  bool Adjust(const Picture24& decoded, const Rect& area) override {
    return adjustment_ == nullptr || adjustment_->Adjust(decoded, area);
  }
  bool NoStop() const override { return progression_ == nullptr || progression_->NoStop(); }
  void ClearNoStop() override {
    if (progression_ != nullptr) progression_->ClearNoStop();
  }
  void Hold(const PalettedPicture& rendition, const CollectedUnit& unit) override {
    if (progression_ != nullptr) progression_->Hold(rendition, unit);
  }
  TeachAnswer Teach(const TeachRequest& request) override {
    return teacher_ != nullptr ? teacher_->Teach(request) : TeachAnswer{TeachStatus::Pause, {}};
  }
  std::optional<uint8_t> ChooseTextColour(const Picture24& bitmap,
                                          TextColourState& state) override {
    if (chooser_ == nullptr) return std::nullopt;
    return chooser_->ChooseTextColour(bitmap, state);
  }

 private:
  BitmapAdjustment* adjustment_ = nullptr;
  ProgressionControl* progression_ = nullptr;
  CharacterTeacher* teacher_ = nullptr;
  TextColourChooser* chooser_ = nullptr;
};

// The session's message boxes: whatever WindowBoxes() is at the moment of
// asking (tests replace it after the windows exist).
class CurrentWindowBoxes : public MessageBoxes {
 public:
  Answer Ask(MessageKind kind, ButtonSet buttons, const std::string& text) override;
};

}  // namespace capter
