// The subtitle text window's state and behaviour without the widgets: the
// lines of the text in the current output format, rendered from the subtitle
// table entry by entry as a run produces them or all at once on a refresh,
// the unsaved-text flag, the current file, the split range, and the prompt
// that guards clearing unsaved text.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/message_box.h"
#include "stream/subtitle_table.h"
#include "text/output_format.h"
#include "text/split_range.h"

namespace capter {

// What the window does when the model changes; every call has a default that
// does nothing.
class TextWindowListener {
 public:
  virtual ~TextWindowListener() = default;
  // The list was emptied.
  virtual void ListCleared() {}
  // `count` lines were appended starting at line `first` (0-based).
  virtual void LinesAppended(size_t /*first*/, size_t /*count*/) {}
  // A refresh has rendered the whole table again (it began with
  // ListCleared); the lines appended in between can be shown at once.
  virtual void ListRefreshed() {}
  // `count` lines were removed from the end of the list.
  virtual void LinesRemoved(size_t /*count*/) {}
  // Select the last line so that it comes into view; `onlyIfShown` is set
  // for the automatic scroll of a run, which a hidden window skips.
  virtual void SelectLastLine(bool /*onlyIfShown*/) {}
  // "SubTitle Index:" shows this number.
  virtual void SubtitleIndexChanged(uint16_t /*index*/) {}
  // New window caption and file name proposed by the save dialog.
  virtual void FileNameChanged(const std::string& /*caption*/,
                               const std::string& /*proposedName*/) {}
};

inline constexpr const char* kNewFileName = "New File";

class SubtitleTextModel {
 public:
  // The table belongs to the main window; `boxes` asks the user.
  SubtitleTextModel(SubtitleTable& table, MessageBoxes& boxes);

  void SetListener(TextWindowListener* listener) { listener_ = listener; }
  // Source of the date and time the generated headers name.
  void SetClock(std::function<std::string()> clock) { clock_ = std::move(clock); }
  std::string GeneratedAt() const { return clock_(); }

  SubtitleTable& Table() { return table_; }
  const SubtitleTable& Table() const { return table_; }
  MessageBoxes& Boxes() { return boxes_; }
  const TextLines& Lines() const { return list_; }

  // Options the renderers read; the format dialog and the configuration
  // change them, the reader sets the index offset and Extended.
  OutputFormatOptions& Options() { return options_; }
  const OutputFormatOptions& Options() const { return options_; }

  bool TextModified() const { return textModified_; }
  void SetTextModified(bool modified) { textModified_ = modified; }
  const std::string& CurrentFileName() const { return currentFileName_; }
  OutputFormatCode OutputFormat() const { return outputFormat_; }
  void SetOutputFormat(OutputFormatCode format) { outputFormat_ = format; }

  bool SplitEnabled() const { return split_.enabled; }
  const TimeCode& SplitStart() const { return split_.start; }
  const TimeCode& SplitStop() const { return split_.stop; }
  const SplitRange& Split() const { return split_; }
  void SetSplit(const SplitRange& split) { split_ = split; }
  void SetSplitEnabled(bool enabled) { split_.enabled = enabled; }

  // The window's automatic scroll-down check box (configuration key
  // "AutoScrollDown").
  bool AutoScrollDown() const { return autoScrollDown_; }
  void SetAutoScrollDown(bool on) { autoScrollDown_ = on; }

  // Starting folders of the save and open dialogs (configuration keys
  // "SaveDialogText" and "OpenDialogCapterText").
  const std::string& SaveDialogFolder() const { return saveDialogFolder_; }
  void SetSaveDialogFolder(std::string folder) { saveDialogFolder_ = std::move(folder); }
  const std::string& OpenDialogFolder() const { return openDialogFolder_; }
  void SetOpenDialogFolder(std::string folder) { openDialogFolder_ = std::move(folder); }

  const std::string& Caption() const { return caption_; }
  const std::string& ProposedFileName() const { return proposedFileName_; }
  uint16_t ShownSubtitleIndex() const { return shownIndex_; }

  // Appends an entry to the table (lines after the 10th are dropped) and,
  // with `showNow`, lists it. Nothing happens for an empty list of lines;
  // false when the table is full and the entry was refused.
  bool AddSubtitle(const std::vector<std::string>& lines, bool showNow, const TimeCode& start,
                   const TimeCode& stop, const Rect& area);
  // Renders table entry `index` at the end of the list (nothing for a
  // number that is not in the table).
  void ListSubtitle(uint16_t index, bool scroll);
  // Renders the header and every entry again.
  void RefreshList();
  // Removes the lines the last entry was listed with.
  void RemoveLastListed();
  void SetCurrentFileName(const std::string& path);
  // Empties table and list; asks first when the text is not saved. False
  // when the user declined.
  bool Clear();

 private:
  // Lines table entry `index` gives in the current format; false when the
  // split range leaves it out.
  bool RenderIndex(uint16_t index, TextLines& lines) const;
  void AppendLines(const TextLines& lines);

  SubtitleTable& table_;
  MessageBoxes& boxes_;
  TextWindowListener* listener_ = nullptr;
  TextWindowListener noListener_;
  std::function<std::string()> clock_;

  OutputFormatOptions options_;
  TextLines list_;
  size_t headerLines_ = 0;
  bool textModified_ = false;
  std::string currentFileName_;
  OutputFormatCode outputFormat_ = OutputFormatCode::Capter;
  SplitRange split_;
  bool autoScrollDown_ = true;
  std::string saveDialogFolder_;
  std::string openDialogFolder_;
  std::string caption_;
  std::string proposedFileName_;
  uint16_t shownIndex_ = 0;

  TextWindowListener& Listener() { return listener_ ? *listener_ : noListener_; }
};

// The file name without folder and without extension.
std::string BaseFileName(const std::string& path);

}  // namespace capter
