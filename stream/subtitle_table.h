// The subtitle entries a run produces: entries 1..15000 with a 16-bit count.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "stream/picture.h"
#include "stream/time_code.h"

namespace capter {

inline constexpr int kMaxSubtitleLines = 10;
inline constexpr uint16_t kMaxSubtitles = 15000;

struct SubtitleRecord {
  TimeCode start;
  TimeCode stop;  // zero = not known yet
  uint8_t lineCount = 0;
  std::array<std::string, kMaxSubtitleLines> lines;
  Rect area;  // on the 720 x 576 screen, inclusive

  friend bool operator==(const SubtitleRecord&, const SubtitleRecord&) = default;
};

class SubtitleTable {
 public:
  SubtitleTable() : entries_(1) {}

  uint16_t Count() const { return static_cast<uint16_t>(entries_.size() - 1); }
  bool Empty() const { return Count() == 0; }
  bool Full() const { return Count() >= kMaxSubtitles; }

  // 1-based, as the user sees entry numbers.
  SubtitleRecord& At(uint16_t index) { return entries_.at(index); }
  const SubtitleRecord& At(uint16_t index) const { return entries_.at(index); }
  SubtitleRecord& Last() { return entries_.back(); }
  const SubtitleRecord& Last() const { return entries_.back(); }

  // False (and nothing added) when the table already holds 15000 entries.
  bool Append(SubtitleRecord record) {
    if (Full()) return false;
    entries_.push_back(std::move(record));
    return true;
  }
  void Clear() { entries_.resize(1); }

 private:
  std::vector<SubtitleRecord> entries_;  // slot 0 is a placeholder
};

}  // namespace capter
