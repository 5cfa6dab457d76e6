#include "cli/terminal_teacher.h"

#include "base/cp1252.h"
#include "cli/glyph_art.h"
#include "ocr/character_matrix.h"

namespace capter::cli {
namespace {

// Length of the UTF-8 sequence that starts with `lead`, 0 for a byte that
// cannot start one.
size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool IsUtf8(const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    const size_t length = SequenceLength(static_cast<unsigned char>(text[i]));
    if (length == 0 || i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

TeachAnswer AnswerOf(TeachStatus status, std::string text = {}) {
  TeachAnswer answer;
  answer.status = status;
  answer.text = std::move(text);
  return answer;
}

// `text` (Windows-1252) as UTF-8 with '"' and '\\' escaped by a backslash.
std::string Quoted(const std::string& text) {
  std::string out;
  for (char c : Cp1252ToUtf8(text)) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

}  // namespace

std::string UnknownLine(const TeachRequest& request, const TimeCode& start, bool proposals) {
  std::string line =
      "unknown: start=" + ToText(start) + " line=" + std::to_string(request.lineIndex + 1) + "/" +
      std::to_string(request.table.count) + " char=" + std::to_string(request.index + 1) + "/" +
      std::to_string(request.Line().boxes.size());
  if (!proposals) return line;
  const Rect& b = request.screenBox;
  line += " box=" + std::to_string(b.x1) + "," + std::to_string(b.y1) + "," + std::to_string(b.x2) +
          "," + std::to_string(b.y2);
  if (request.proposal.empty()) return line;
  return line + " suggest=\"" + Quoted(request.proposal) + "\"";
}

std::string UnknownLineQuestion(const TeachRequest& request, const TimeCode& start) {
  std::string line = "unknown-line: start=" + ToText(start) +
                     " line=" + std::to_string(request.lineIndex + 1) + "/" +
                     std::to_string(request.table.count) + " reading=\"" + Quoted(request.reading) +
                     "\" boxes=";
  for (size_t i = 0; i < request.unknownScreenBoxes.size(); ++i) {
    const Rect& b = request.unknownScreenBoxes[i];
    line += (i ? ";" : "") + std::to_string(b.x1) + "," + std::to_string(b.y1) + "," +
            std::to_string(b.x2) + "," + std::to_string(b.y2);
  }
  return line;
}

std::string AnswerText(const std::string& typed) {
  return IsUtf8(typed) ? Utf8ToCp1252(typed) : typed;
}

TeachAnswer TerminalTeacher::Teach(const TeachRequest& request) {
  // Without a person the line is left to its characters, each handled by
  // the policy.
  if (request.wholeLine) {
    return policy_ == UnknownPolicy::Teach ? AskLine(request) : AnswerOf(TeachStatus::Ok);
  }
  switch (policy_) {
    case UnknownPolicy::Skip:
      ++skipped_;
      // The shape's text is empty and nothing is added to the matrix.
      return AnswerOf(TeachStatus::MatrixFound);
    case UnknownPolicy::Fail:
      failedAt_ = UnknownLine(request, startOf_());
      return Stop();
    case UnknownPolicy::Teach:
      break;
  }
  return Ask(request);
}

TeachAnswer TerminalTeacher::AskLine(const TeachRequest& request) {
  if (beforePrompt_) beforePrompt_();
  err_ << UnknownLineArt(request, colour_.TextColour);
  for (;;) {
    err_ << UnknownLineQuestion(request, startOf_()) << "\nline> " << std::flush;
    std::string typed;
    if (const std::optional<TeachAnswer> command = ReadTyped(typed)) return *command;
    if (typed == ":accept") return AnswerOf(TeachStatus::Ok, request.reading);
    std::string text = AnswerText(typed);
    if (text.size() <= kMaxLineAnswer) return AnswerOf(TeachStatus::Ok, text);
    err_ << "at most " << kMaxLineAnswer << " characters, please\n";
  }
}

std::optional<TeachAnswer> TerminalTeacher::ReadTyped(std::string& typed) {
  if (!std::getline(in_, typed)) return Stop();
  if (!typed.empty() && typed.back() == '\r') typed.pop_back();
  if (typed == ":quit") return Stop();
  if (typed == ":skipline") return AnswerOf(TeachStatus::SkipLine);
  if (typed == ":skipsub") return AnswerOf(TeachStatus::SkipSubPicture);
  return std::nullopt;
}

TeachAnswer TerminalTeacher::Stop() {
  stopped_ = true;
  // Pausing abandons the sub-picture and halts the run at once.
  return AnswerOf(TeachStatus::Pause);
}

TeachAnswer TerminalTeacher::Ask(const TeachRequest& request) {
  if (beforePrompt_) beforePrompt_();
  err_ << UnknownCharacterArt(request, colour_.TextColour);
  for (;;) {
    err_ << UnknownLine(request, startOf_(), showProposals_) << "\ntext> " << std::flush;
    std::string typed;
    if (const std::optional<TeachAnswer> command = ReadTyped(typed)) return *command;
    if (typed == ":accept" && showProposals_) {
      if (!request.proposal.empty()) return AnswerOf(TeachStatus::Ok, request.proposal);
      err_ << "no proposal to accept\n";
      continue;
    }
    std::string text = AnswerText(typed);
    if (text.size() <= CharacterMatrix::kMaxEntryText) return AnswerOf(TeachStatus::Ok, text);
    err_ << "at most " << CharacterMatrix::kMaxEntryText << " characters, please\n";
  }
}

}  // namespace capter::cli
