#include "text/subviewer_format.h"

#include <algorithm>

#include "text/text_forms.h"

namespace capter {
namespace {

// Milliseconds above 500 round up to the next second, 500 and less down.
int32_t RoundedToSecond(const TimeCode& t) {
  const int32_t ms = ToMilliseconds(t) - t.milliseconds;
  return t.milliseconds > 500 ? ms + 1000 : ms;
}

std::string SecondsMark(const TimeCode& t, bool round) {
  return "[" + SecondsTime(round ? FromMilliseconds(RoundedToSecond(t)) : t) + "]";
}

int32_t Compared(const TimeCode& t, bool round) {
  return round ? RoundedToSecond(t) : ToMilliseconds(t);
}

int LineCount(const SubtitleRecord& r) {
  return std::min<int>(r.lineCount, kMaxSubtitleLines);
}

}  // namespace

void AppendSubViewerHeader(const SubViewerFields& fields, TextLines& list) {
  list.insert(list.end(), {"[TITLE]", fields.title, "[AUTHOR]", fields.author, "[SOURCE]",
                           fields.source, "[PRG]", fields.program, "[FILEPATH]", fields.filePath,
                           "[DELAY]", std::to_string(fields.delay), "[CD TRACK]", "0", "[BEGIN]",
                           "******** START SCRIPT ********"});
}

void RenderSubViewer(uint16_t number, const SubtitleRecord& copy, const TimeCode* previousStop,
                     const SubViewerFields& fields, TextLines& list) {
  const bool round = fields.roundTimeCode;
  if (number > 1 && previousStop != nullptr &&
      Compared(*previousStop, round) < Compared(copy.start, round)) {
    list.push_back(SecondsMark(*previousStop, round));
    list.emplace_back();
  }
  list.push_back(SecondsMark(copy.start, round));
  std::string text;
  for (int i = 0; i < LineCount(copy); ++i) {
    if (i == 1) text += '|';
    if (i >= 2) text += fields.twoLineMax ? ' ' : '|';
    text += copy.lines[static_cast<size_t>(i)];
  }
  list.push_back(std::move(text));
}

TextLines SubViewerFooter() {
  return {"[END]", "******** End Script ********"};
}

std::string SubViewer2FontLine(const FontDescription& font) {
  // The last style that applies wins, in this order.
  std::string style = "no";
  if (font.strikeOut) style = "st";
  if (font.underline) style = "ud";
  if (font.bold) style = "bd";
  if (font.italic) style = "it";
  return "[COLF]&H" + ColourHex(font.colour) + ",[STYLE]" + style + ",[SIZE]" +
         std::to_string(font.pointSize) + ",[FONT]" + font.face;
}

void AppendSubViewer2Header(const SubViewer2Fields& fields, TextLines& list) {
  list.insert(list.end(), {"[INFORMATION]", "[TITLE]" + fields.title, "[AUTHOR]" + fields.author,
                           "[SOURCE]" + fields.source, "[PRG]" + fields.program,
                           "[FILEPATH]" + fields.filePath, "[DELAY]" + std::to_string(fields.delay),
                           "[CD TRACK]" + std::to_string(fields.cdTrack),
                           "[COMMENT]" + fields.comment, "[END INFORMATION]", "[SUBTITLE]",
                           SubViewer2FontLine(fields.font), "00:00:00.00,00:00:00.10", "", ""});
}

void RenderSubViewer2(const SubtitleRecord& copy, TextLines& list) {
  list.push_back(HundredthsTime(copy.start) + "," + HundredthsTime(copy.stop));
  std::string text;
  for (int i = 0; i < LineCount(copy); ++i) {
    if (i > 0) text += "[br]";
    text += copy.lines[static_cast<size_t>(i)];
  }
  list.push_back(std::move(text));
  list.emplace_back();
}

}  // namespace capter
