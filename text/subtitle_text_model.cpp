#include "text/subtitle_text_model.h"

#include <algorithm>

#include "base/message_ids.h"
#include "base/message_table.h"
#include "base/path_names.h"

namespace capter {

std::string BaseFileName(const std::string& path) {
  std::string name = FileNameOf(path);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

SubtitleTextModel::SubtitleTextModel(SubtitleTable& table, MessageBoxes& boxes)
    : table_(table), boxes_(boxes), clock_(LocalDateTimeText) {
  SetCurrentFileName(kNewFileName);
}

bool SubtitleTextModel::AddSubtitle(const std::vector<std::string>& lines, bool showNow,
                                    const TimeCode& start, const TimeCode& stop, const Rect& area) {
  if (lines.empty()) return true;
  SubtitleRecord record;
  record.lineCount = static_cast<uint8_t>(std::min<size_t>(lines.size(), kMaxSubtitleLines));
  std::copy_n(lines.begin(), record.lineCount, record.lines.begin());
  record.start = start;
  record.stop = stop;
  record.area = area;
  if (!table_.Append(std::move(record))) return false;
  if (showNow) ListSubtitle(table_.Count(), true);
  return true;
}

bool SubtitleTextModel::RenderIndex(uint16_t index, TextLines& lines) const {
  SubtitleRecord copy = table_.At(index);
  if (!ApplySplit(split_, copy)) return false;
  const TimeCode* previousStop = index > 1 ? &table_.At(index - 1).stop : nullptr;
  RenderEntry(outputFormat_, index, copy, previousStop, options_, lines);
  return true;
}

void SubtitleTextModel::AppendLines(const TextLines& lines) {
  if (lines.empty()) return;
  const size_t first = list_.size();
  list_.insert(list_.end(), lines.begin(), lines.end());
  Listener().LinesAppended(first, lines.size());
}

void SubtitleTextModel::ListSubtitle(uint16_t index, bool scroll) {
  if (index == 0 || index > table_.Count()) return;
  textModified_ = true;
  TextLines lines;
  if (RenderIndex(index, lines)) AppendLines(lines);
  if (autoScrollDown_ && scroll) Listener().SelectLastLine(true);
  shownIndex_ = index;
  Listener().SubtitleIndexChanged(index);
}

void SubtitleTextModel::RefreshList() {
  list_.clear();
  Listener().ListCleared();
  if (outputFormat_ == OutputFormatCode::IAuthor) options_.settings.extended = true;
  TextLines header;
  AppendHeader(outputFormat_, options_, GeneratedAt(), header);
  headerLines_ = header.size();
  AppendLines(header);
  for (uint16_t i = 1; i <= table_.Count(); ++i) ListSubtitle(i, false);
  Listener().ListRefreshed();
  Listener().SelectLastLine(false);
}

void SubtitleTextModel::RemoveLastListed() {
  if (list_.empty() || table_.Empty()) return;
  TextLines lines;
  RenderIndex(table_.Count(), lines);
  // Never cut into the header, whatever the entry renders to now.
  const size_t count = std::min(lines.size(), list_.size() - std::min(headerLines_, list_.size()));
  if (count == 0) return;
  list_.resize(list_.size() - count);
  Listener().LinesRemoved(count);
}

void SubtitleTextModel::SetCurrentFileName(const std::string& path) {
  currentFileName_ = path;
  const std::string base = BaseFileName(path);
  caption_ = "Subtitles - " + base + " -";
  proposedFileName_ = base + FileExtension(outputFormat_);
  Listener().FileNameChanged(caption_, proposedFileName_);
}

bool SubtitleTextModel::Clear() {
  if (textModified_) {
    const MessageTable& m = Messages();
    const Answer answer =
        boxes_.Ask(MessageKind::Confirmation, ButtonSet::YesNo,
                   TwoLines(m.GetMessage(kMsgClearTextNotSaved), m.GetMessage(kMsgReallyClear)));
    if (answer != Answer::Yes) return false;
  }
  textModified_ = false;
  SetCurrentFileName(kNewFileName);
  table_.Clear();
  shownIndex_ = 0;
  Listener().SubtitleIndexChanged(0);
  RefreshList();
  return true;
}

}  // namespace capter
