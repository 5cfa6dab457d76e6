// The dialogs a run may open from inside its dispatch (bitmap adjustment,
// progression controller, teaching, text colour), reached through one set of
// forwarding slots. The main window builds its run session on these slots
// at creation; each slot forwards to the window that answers it, set when
// that window is created (see ProgramWindows). Until a window exists its
// slot answers with a simple stand-in:
//   - bitmap adjustment: never due (the run renders with the settings held),
//   - progression controller: never holds a show-only run,
//   - teacher: pauses the run, so the unknown character comes back after
//     Continue,
//   - text colour: the detected colour.
// TEMPORARY: the stand-ins go when the dialogs of the other windows arrive.
#pragma once

#include "app/run_dispatch.h"
#include "base/message_box.h"
#include "ocr/character_teacher.h"
#include "ocr/text_colour_chooser.h"

namespace capter {

class NeverDueAdjustment : public BitmapAdjustment {
 public:
  bool Due() const override { return false; }
  bool Adjust(const Picture24& /*decoded*/, const Rect& /*area*/) override { return true; }
};

class NeverHoldingProgression : public ProgressionControl {
 public:
  bool NoStop() const override { return noStop_; }
  void ClearNoStop() override { noStop_ = false; }
  void Hold(const PalettedPicture& /*rendition*/, const CollectedUnit& /*unit*/) override {}

 private:
  bool noStop_ = false;
};

class PausingTeacher : public CharacterTeacher {
 public:
  TeachAnswer Teach(const TeachRequest& /*request*/) override { return {TeachStatus::Pause, {}}; }
};

// Forwards every question to its current answerer.
class RunCompanions : public BitmapAdjustment,
                      public ProgressionControl,
                      public CharacterTeacher,
                      public TextColourChooser {
 public:
  void SetAdjustment(BitmapAdjustment* a) { adjustment_ = a != nullptr ? a : &noAdjustment_; }
  void SetProgression(ProgressionControl* p) { progression_ = p != nullptr ? p : &noHold_; }
  void SetTeacher(CharacterTeacher* t) { teacher_ = t != nullptr ? t : &pausing_; }
  void SetColourChooser(TextColourChooser* c) { chooser_ = c != nullptr ? c : &detected_; }

  bool Due() const override { return adjustment_->Due(); }
  bool Adjust(const Picture24& decoded, const Rect& area) override {
    return adjustment_->Adjust(decoded, area);
  }
  bool NoStop() const override { return progression_->NoStop(); }
  void ClearNoStop() override { progression_->ClearNoStop(); }
  void Hold(const PalettedPicture& rendition, const CollectedUnit& unit) override {
    progression_->Hold(rendition, unit);
  }
  TeachAnswer Teach(const TeachRequest& request) override { return teacher_->Teach(request); }
  std::optional<uint8_t> ChooseTextColour(const Picture24& bitmap,
                                          TextColourState& state) override {
    return chooser_->ChooseTextColour(bitmap, state);
  }

 private:
  NeverDueAdjustment noAdjustment_;
  NeverHoldingProgression noHold_;
  PausingTeacher pausing_;
  DetectedTextColourChooser detected_;
  BitmapAdjustment* adjustment_ = &noAdjustment_;
  ProgressionControl* progression_ = &noHold_;
  CharacterTeacher* teacher_ = &pausing_;
  TextColourChooser* chooser_ = &detected_;
};

// The session's message boxes: whatever WindowBoxes() is at the moment of
// asking (tests replace it after the windows exist).
class CurrentWindowBoxes : public MessageBoxes {
 public:
  Answer Ask(MessageKind kind, ButtonSet buttons, const std::string& text) override;
};

}  // namespace capter
