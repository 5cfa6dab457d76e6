// The job dialog's action as the configuration stores it (ActionMode 0..3,
// the radio group's item index) and as the run knows it (RunAction 1..4):
// the one mapping between the two.
#pragma once

#include <cstdint>

#include "stream/extraction_run.h"

namespace capter {

// ActionMode values, in the radio group's item order.
enum class ActionMode : int32_t { TextViaOcr = 0, SaveBmp = 1, SaveSup = 2, ShowOnly = 3 };

// A stored value outside 0..3 falls back to text via OCR.
inline ActionMode ActionModeFromStored(int32_t stored) {
  return stored >= 0 && stored <= 3 ? static_cast<ActionMode>(stored) : ActionMode::TextViaOcr;
}

inline RunAction RunActionOf(ActionMode mode) {
  return static_cast<RunAction>(static_cast<int32_t>(mode) + 1);
}

inline ActionMode ActionModeOf(RunAction action) {
  return static_cast<ActionMode>(static_cast<int32_t>(action) - 1);
}

// Only image runs can add a timing entry per picture ("+ TC && Res.").
inline bool TakesTimingEntries(ActionMode mode) {
  return mode == ActionMode::SaveBmp || mode == ActionMode::SaveSup;
}

}  // namespace capter
