#include "text/time_correction.h"

#include <algorithm>
#include <cmath>

#include "base/message_ids.h"
#include "base/message_table.h"
#include "text/iauthor_script.h"

namespace capter {
namespace {

TimeCode Clipped(int64_t ms) {
  // The largest time a time code holds: 255:59:59,999.
  constexpr int64_t kLargest = 255 * 3600000LL + 3599999;
  return FromMilliseconds(static_cast<int32_t>(std::clamp<int64_t>(ms, 0, kLargest)));
}

bool ConfirmReduceToZero(const TimeCode& start, MessageBoxes& boxes) {
  const MessageTable& m = Messages();
  const std::string text =
      TwoLines(m.GetMessage(kMsgTimeCodeWarning) + ToText(start) + m.GetMessage(kMsgReducedToZero),
               m.GetMessage(kMsgContinueNoUndo));
  return boxes.Ask(MessageKind::Warning, ButtonSet::YesNo, text) == Answer::Yes;
}

// t + f * t with halves going to the even neighbour.
TimeCode Stretched(const TimeCode& t, double factor) {
  const double ms = ToMilliseconds(t);
  return Clipped(static_cast<int64_t>(std::nearbyint(ms + factor * ms)));
}

int64_t TextLength(const SubtitleRecord& r) {
  int64_t n = 0;
  const int count = std::min<int>(r.lineCount, kMaxSubtitleLines);
  for (int i = 0; i < count; ++i) n += static_cast<int64_t>(r.lines[static_cast<size_t>(i)].size());
  return n;
}

}  // namespace

void ApplyOffset(SubtitleTable& table, int32_t offsetMs, MessageBoxes& boxes) {
  for (uint16_t i = 1; i <= table.Count(); ++i) {
    SubtitleRecord& entry = table.At(i);
    const int64_t start = static_cast<int64_t>(ToMilliseconds(entry.start)) + offsetMs;
    if (start <= 0) {
      if (!ConfirmReduceToZero(entry.start, boxes)) return;
    }
    entry.start = Clipped(start);
    entry.stop = Clipped(static_cast<int64_t>(ToMilliseconds(entry.stop)) + offsetMs);
  }
}

void ApplyStretch(SubtitleTable& table, int32_t stretchMs, bool minus, MessageBoxes& boxes) {
  if (table.Empty()) return;
  const int32_t last = ToMilliseconds(table.Last().start);
  if (minus && last < stretchMs) {
    const MessageTable& m = Messages();
    boxes.Ask(MessageKind::Warning, ButtonSet::Ok,
              TwoLines(m.GetMessage(kMsgMinusStretch), m.GetMessage(kMsgLargerThanTotal)));
    return;
  }
  // A file whose last subtitle starts at zero has no length to stretch.
  if (last == 0) return;
  const double factor = (minus ? -1.0 : 1.0) * stretchMs / last;
  for (uint16_t i = 1; i <= table.Count(); ++i) {
    SubtitleRecord& entry = table.At(i);
    entry.start = Stretched(entry.start, factor);
    entry.stop = Stretched(entry.stop, factor);
  }
}

void ApplyDurations(SubtitleTable& table, int32_t base, int32_t perCharacter) {
  for (uint16_t i = 1; i <= table.Count(); ++i) {
    SubtitleRecord& entry = table.At(i);
    const int64_t start = ToMilliseconds(entry.start);
    const int64_t end = start + base + TextLength(entry) * perCharacter;
    const int64_t limit = i < table.Count() ? ToMilliseconds(table.At(i + 1).start) : start + 65535;
    entry.stop = Clipped(std::min(end, limit));
  }
}

void ApplyMinimumInterval(SubtitleTable& table, int32_t minimum) {
  for (uint16_t i = 1; i < table.Count(); ++i) {
    SubtitleRecord& entry = table.At(i);
    entry.stop = FromMilliseconds(StopWithMinimumInterval(
        ToMilliseconds(entry.stop), ToMilliseconds(table.At(i + 1).start), minimum));
  }
}

void CorrectTimes(SubtitleTable& table, const TimeCorrection& correction, MessageBoxes& boxes) {
  if (table.Empty()) return;
  const int32_t offset = ToMilliseconds(correction.offset);
  if (offset > 0) ApplyOffset(table, correction.minusOffset ? -offset : offset, boxes);
  const int32_t stretch = ToMilliseconds(correction.stretch);
  if (stretch > 0) ApplyStretch(table, stretch, correction.minusStretch, boxes);
  if (correction.modifyDurations) {
    const bool fixed = correction.method == DurationMethod::FixedTime;
    ApplyDurations(table, fixed ? correction.fixedDuration : correction.offsetDuration,
                   fixed ? 0 : correction.msPerCharacter);
  }
  if (correction.minimumInterval != 0) ApplyMinimumInterval(table, correction.minimumInterval);
}

}  // namespace capter
