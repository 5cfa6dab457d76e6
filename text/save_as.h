// Saving the subtitle text to the file the user chose: the replace question,
// the text of the current format with its footer, written atomically, then
// the text counts as saved under its new name.
#pragma once

#include <string>

#include "text/subtitle_text_model.h"

namespace capter {

// False when there is nothing to save (the save dialog is then not shown).
bool HasTextToSave(const SubtitleTextModel& model);

// The bytes a save writes: every list line (or, for IAuthor, the script made
// from the table) and the format's footer, each line ended by CR LF.
std::string SavedText(const SubtitleTextModel& model);

enum class SaveOutcome { NothingToSave, Declined, Saved, Failed };

// Writes the text to `path` (the name chosen in the save dialog). An existing
// file is replaced only when the user agrees, and only once the new text is
// complete: a failed write leaves it untouched, reports the error and keeps
// the text marked as not saved.
SaveOutcome SaveTextAs(SubtitleTextModel& model, const std::string& path);

}  // namespace capter
