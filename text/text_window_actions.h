// What the text window's dialogs do once the user confirms them, and the
// prompts other parts of the program raise about the subtitle text. Each
// routine changes the model and re-renders the list where the action needs
// it, so the dialogs only collect their fields.
#pragma once

#include "text/post_ocr_correction.h"
#include "text/subtitle_text_model.h"
#include "text/time_correction.h"

namespace capter {

// Format dialog, "&Convert to this Format": stores the settings, makes
// `format` current (IAuthor always with coordinates), proposes the new
// extension and re-renders.
void ConvertToFormat(SubtitleTextModel& model, const OutputFormatSettings& settings,
                     OutputFormatCode format);

// Split dialog, OK: false (after a warning, nothing stored) when a ticked
// range stops before it starts; otherwise stores the range and re-renders.
bool AcceptSplitRange(SubtitleTextModel& model, const SplitRange& range);
// The split bar's length: the stop of the last entry, zero for an empty table.
TimeCode LastSubtitleTime(const SubtitleTable& table);

// Time correction dialog, "&Correct Time": nothing for an empty table,
// otherwise the corrections and a refresh.
void CorrectTimesAndRefresh(SubtitleTextModel& model, const TimeCorrection& correction);

// Post-recognition dialog, "Correct !": nothing when no rule is chosen.
void CorrectTextAndRefresh(SubtitleTextModel& model, const PostOcrCorrection& choice);

// Before a run that produces subtitles: with entries in the table, asks
// whether to add to the end. False when the run must not start.
bool ConfirmAddToEnd(SubtitleTextModel& model);
// Before a run other than showing only: a reminder that the split range may
// hide the new subtitles.
void WarnIfSplitEnabled(SubtitleTextModel& model);
// Before the program closes: with unsaved text, asks whether to quit.
bool ConfirmQuitWithUnsavedText(SubtitleTextModel& model);

}  // namespace capter
