#include "text/own_format_reader.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>
#include <vector>

#include "base/atomic_file.h"
#include "base/cp1252.h"
#include "base/message_ids.h"
#include "base/message_table.h"

namespace capter {
namespace {

// Hands out the file's lines one by one; a line ends at CR LF, LF or CR.
// Past the end every line reads as empty.
class LineSource {
 public:
  explicit LineSource(std::string_view bytes) : bytes_(bytes) {}

  bool AtEnd() const { return pos_ >= bytes_.size(); }
  // Lines handed out so far (the number of the last one, from 1).
  size_t LinesRead() const { return lines_; }

  std::string_view Next() {
    if (AtEnd()) return {};
    ++lines_;
    const size_t end = bytes_.find_first_of("\r\n", pos_);
    if (end == std::string_view::npos) {
      const std::string_view line = bytes_.substr(pos_);
      pos_ = bytes_.size();
      return line;
    }
    const std::string_view line = bytes_.substr(pos_, end - pos_);
    pos_ = end + 1;
    if (bytes_[end] == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
    return line;
  }

 private:
  std::string_view bytes_;
  size_t pos_ = 0;
  size_t lines_ = 0;
};

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

// Leading and trailing blanks and control characters removed.
std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// 1-based `first`, at most `count` characters, as far as the text goes.
std::string_view Columns(std::string_view text, size_t first, size_t count) {
  if (first > text.size()) return {};
  return text.substr(first - 1, count);
}

// Decimal digits with an optional sign, the whole text.
bool ParseInteger(std::string_view text, int64_t& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && ptr == text.data() + text.size();
}

bool ParseCoordinates(std::string_view rest, Rect& area) {
  int64_t x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  if (!ParseInteger(Columns(rest, 4, 3), x1) || !ParseInteger(Columns(rest, 11, 3), x2) ||
      !ParseInteger(Columns(rest, 18, 3), y1) || !ParseInteger(Columns(rest, 25, 3), y2)) {
    return false;
  }
  // Three characters hold at most 999 and at least -99.
  area = Rect{static_cast<int32_t>(x1), static_cast<int32_t>(y1), static_cast<int32_t>(x2),
              static_cast<int32_t>(y2)};
  return true;
}

class CapterTextReader {
 public:
  CapterTextReader(std::string_view bytes, SubtitleTextModel& model)
      : source_(bytes), model_(model) {}

  ReadReport Read() {
    bool afterError = false;
    do {
      const size_t blockLine = source_.LinesRead() + 1;
      const BlockResult result = ReadBlock();
      if (result == BlockResult::Stop) return report_;
      // Lines read after a damaged one until a block reads again belong to
      // the same damaged stretch.
      if (result == BlockResult::Error && !afterError) report_.passedOverAt.push_back(blockLine);
      afterError = result == BlockResult::Error;
      if (result == BlockResult::Error && !ContinueAfterError()) return report_;
    } while (!source_.AtEnd());
    report_.reachedEnd = true;
    return report_;
  }

 private:
  enum class BlockResult { Read, Error, Stop };

  BlockResult ReadBlock() {
    int64_t number = 0;
    if (!ParseInteger(Trim(source_.Next()), number)) return BlockResult::Error;
    lastNumber_ = static_cast<uint16_t>(number);
    if (firstBlock_) {
      model_.Options().capterOffset =
          static_cast<uint16_t>(std::clamp<int64_t>(number - 1, 0, 65535));
      firstBlock_ = false;
    }
    const std::string_view timing = Trim(source_.Next());
    const TimeCode start = ParseTimeCode(std::string(Columns(timing, 1, 12)));
    const TimeCode stop = ParseTimeCode(std::string(Columns(timing, 18, 30)));
    if (!ReadCoordinates(timing)) return BlockResult::Error;
    std::vector<std::string> lines;
    size_t dropped = 0;
    for (std::string_view line = Trim(source_.Next()); !line.empty(); line = Trim(source_.Next())) {
      if (lines.size() < kMaxSubtitleLines) {
        lines.emplace_back(line);
      } else {
        ++dropped;
      }
    }
    if (dropped > 0) {
      report_.linesDropped += dropped;
      ++report_.blocksTruncated;
    }
    if (lines.empty()) return BlockResult::Read;
    if (model_.Table().Full()) {
      report_.tableFull = true;
      return BlockResult::Stop;
    }
    model_.AddSubtitle(lines, false, start, stop, area_);
    ++report_.entriesAdded;
    return BlockResult::Read;
  }

  bool ReadCoordinates(std::string_view timing) {
    OutputFormatSettings& settings = model_.Options().settings;
    if (timing.size() <= 31) {
      area_ = Rect{};
      settings.extended = false;
      return true;
    }
    const std::string_view rest = Trim(Columns(timing, 31, 30));
    if (rest.empty() || (rest.front() != 'X' && rest.front() != 'x')) return true;
    if (!ParseCoordinates(rest, area_)) return false;
    settings.extended = true;
    return true;
  }

  // The prompt for a block that could not be read; false to stop reading.
  bool ContinueAfterError() {
    if (ignoreAll_) return true;
    const MessageTable& m = Messages();
    const std::string text =
        TwoLines(m.GetMessage(kMsgErrorAtSubtitle) + std::to_string(lastNumber_ + 1),
                 m.GetMessage(kMsgIgnoreAndContinue));
    switch (model_.Boxes().Ask(MessageKind::Warning, ButtonSet::CancelIgnoreYesToAll, text)) {
      case Answer::Ignore:
        return true;
      case Answer::YesToAll:
        ignoreAll_ = true;
        return true;
      default:
        return false;
    }
  }

  LineSource source_;
  SubtitleTextModel& model_;
  ReadReport report_;
  bool firstBlock_ = true;
  bool ignoreAll_ = false;
  uint16_t lastNumber_ = 0;
  Rect area_;
};

}  // namespace

ReadReport ReadCapterText(std::string_view bytes, SubtitleTextModel& model) {
  return CapterTextReader(bytes, model).Read();
}

bool ConfirmOpenAnother(SubtitleTextModel& model) {
  if (model.TextModified()) {
    const MessageTable& m = Messages();
    const Answer answer = model.Boxes().Ask(
        MessageKind::Confirmation, ButtonSet::YesNo,
        TwoLines(m.GetMessage(kMsgOpenTextNotSaved), m.GetMessage(kMsgReallyOpenAnother)));
    if (answer != Answer::Yes) return false;
  }
  model.SetTextModified(false);
  return true;
}

std::string ExcessWarning(const ReadReport& report) {
  const MessageTable& m = Messages();
  std::string text;
  if (report.blocksTruncated > 0) {
    text = std::to_string(report.blocksTruncated) + m.GetMessage(kMsgLinesNotLoaded);
  }
  if (report.tableFull) {
    if (!text.empty()) text += '\r';
    text += m.GetMessage(kMsgTableFullBegin) + std::to_string(kMaxSubtitles) +
            m.GetMessage(kMsgTableFullEnd);
  }
  return text;
}

std::string PassedOverNote(const ReadReport& report) {
  if (report.passedOverAt.empty()) return {};
  const size_t count = report.passedOverAt.size();
  std::string text = "passed over " + std::to_string(count) +
                     (count == 1 ? " damaged block at line" : " damaged blocks at lines");
  const char* separator = " ";
  for (const size_t line : report.passedOverAt) {
    text += separator + std::to_string(line);
    separator = ", ";
  }
  return text;
}

std::string WithoutUtf8Mark(std::string bytes) {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  if (!bytes.starts_with(kMark)) return bytes;
  return Utf8ToCp1252(std::string_view(bytes).substr(kMark.size()));
}

OpenOutcome OpenCapterFile(SubtitleTextModel& model, const std::string& path,
                           ReadReport* reportOut) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return OpenOutcome::NotAFile;
  model.SetOpenDialogFolder(std::filesystem::path(path).parent_path().string());
  std::string bytes;
  const FileResult read = ReadWholeFile(path, bytes);
  if (!read.ok) {
    model.Boxes().Ask(MessageKind::Error, ButtonSet::Ok, read.error);
    return OpenOutcome::ReadFailed;
  }
  if (!model.Clear()) return OpenOutcome::Declined;
  model.SetCurrentFileName(path);
  const ReadReport report = ReadCapterText(WithoutUtf8Mark(std::move(bytes)), model);
  if (reportOut != nullptr) *reportOut = report;
  const std::string excess = ExcessWarning(report);
  if (!excess.empty()) model.Boxes().Ask(MessageKind::Warning, ButtonSet::Ok, excess);
  model.SetSplitEnabled(false);
  model.RefreshList();
  if (!report.reachedEnd) return OpenOutcome::Stopped;
  model.SetTextModified(false);
  return OpenOutcome::Complete;
}

}  // namespace capter
