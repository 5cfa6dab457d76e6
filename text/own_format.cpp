#include "text/own_format.h"

#include <algorithm>

#include "text/text_forms.h"

namespace capter {

void RenderOwnFormat(int64_t number, const SubtitleRecord& copy, bool extended, TextLines& list) {
  list.push_back(std::to_string(number));
  std::string timing = FullTime(copy.start) + " --> " + FullTime(copy.stop);
  if (extended) {
    timing += "  X1:" + ThreeDigitCut(copy.area.x1) + " X2:" + ThreeDigitCut(copy.area.x2) +
              " Y1:" + ThreeDigitCut(copy.area.y1) + " Y2:" + ThreeDigitCut(copy.area.y2);
  }
  list.push_back(std::move(timing));
  const int count = std::min<int>(copy.lineCount, kMaxSubtitleLines);
  list.insert(list.end(), copy.lines.begin(), copy.lines.begin() + count);
  list.emplace_back();
}

}  // namespace capter
