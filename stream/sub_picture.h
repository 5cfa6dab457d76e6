// A completed sub-picture unit: its chain of display control sequences, the
// display size derived from the first one, and the subtitle times and the
// worth-recognising test derived from the chain.
//
// Only the unit's collected bytes are ever read. Where the unit's own offsets
// point past them (a truncated unit, a size word larger than what arrived),
// the missing bytes read as zero and commands stop at the last collected byte.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "stream/picture.h"
#include "stream/subtitle_table.h"
#include "stream/time_code.h"

namespace capter {

inline constexpr int kMaxDisplayControls = 4096;
inline constexpr int kScreenWidth = 720;
inline constexpr int kScreenHeight = 576;

enum class DisplayMode : uint8_t { Show = 1, Hide = 2 };

struct DisplayControl {
  int32_t delay = 0;  // milliseconds after the unit's presentation time
  uint16_t next = 0;  // offset of the next sequence
  DisplayMode mode = DisplayMode::Show;
  uint16_t colour = 0;
  uint16_t contrast = 0xFFF0;
  Rect area;
  uint16_t topLineOffset = 0;
  uint16_t bottomLineOffset = 0;
};

// A 16-bit delay in steps of 1024/90 ms, as milliseconds (truncated).
inline int32_t DelayToMilliseconds(uint16_t delay) {
  return static_cast<int32_t>(static_cast<uint32_t>(delay) * 1024u / 90u);
}

// The unit being processed. One instance is reused for every unit: the
// control table keeps its capacity, so parsing allocates nothing.
class SubPicture {
 public:
  SubPicture() { controls_.reserve(kMaxDisplayControls); }

  // Parses the control chain of `unit` (the collected bytes) into the
  // control table and derives the display size; `start` is the unit's
  // presentation time and `sector` the index of its first packet.
  void Parse(std::span<const uint8_t> unit, const TimeCode& start = {}, int32_t sector = 0);

  std::span<const uint8_t> Bytes() const { return bytes_; }
  // 16-bit size word at offset 0 and control offset at offset 2.
  uint16_t UnitSize() const { return ReadWord(0); }
  uint16_t ControlOffset() const { return ReadWord(2); }
  // Byte `at` of the unit, or 0 past the collected bytes.
  uint8_t ByteAt(size_t at) const { return at < bytes_.size() ? bytes_[at] : 0; }
  uint16_t ReadWord(size_t at) const {
    return static_cast<uint16_t>(ByteAt(at) << 8 | ByteAt(at + 1));
  }

  // Entries 1..Count() as the user-visible numbering has them; entry 1 is
  // Control(1). Count() is at least 1 after Parse.
  int Count() const { return static_cast<int>(controls_.size()); }
  const DisplayControl& Control(int index) const { return controls_.at(index - 1); }
  const DisplayControl& First() const { return controls_.front(); }
  const DisplayControl& Last() const { return controls_.back(); }

  int DisplayWidth() const { return width_; }
  int DisplayHeight() const { return height_; }
  const TimeCode& UnitStart() const { return unitStart_; }
  int32_t Sector() const { return sector_; }
  // Command bytes the last Parse looked at (the work it did).
  size_t ScannedBytes() const { return scannedBytes_; }

 private:
  void ParseSequence(uint16_t offset, DisplayControl& entry);

  std::span<const uint8_t> bytes_;
  std::vector<DisplayControl> controls_;
  int width_ = 1;
  int height_ = 1;
  TimeCode unitStart_;
  int32_t sector_ = 0;
  size_t scannedBytes_ = 0;
};

struct SubtitleTimes {
  TimeCode start;
  TimeCode stop;  // zero when the unit carries no stop
};

// Start = unit start + first delay; stop = unit start + last delay when the
// chain has two or more entries and the last one hides, else zero.
SubtitleTimes ComputeSubtitleTimes(const SubPicture& unit);

// False when the first entry does not show; otherwise false only for units
// shown for 200 ms or less.
bool WorthRecognising(const SubPicture& unit);

// The text window's side of closing a subtitle: the rendered lines of the
// last entry are removed and rendered again after its stop time changed.
class SubtitleListing {
 public:
  virtual ~SubtitleListing() = default;
  virtual void RemoveLastListed() = 0;
  virtual void ListSubtitle(uint16_t index, bool scroll) = 0;
};

// If the table's last entry has no stop time yet, it ends at `start`: the
// listing (when given) removes its lines, the stop is patched, and the entry
// is listed again. Returns whether an entry was closed.
bool ClosePreviousSubtitle(SubtitleTable& table, const TimeCode& start, SubtitleListing* listing);

}  // namespace capter
