// The program-stream reader: walks a VOB file sector by sector, keeps the
// presentation and navigation clocks, collects the units of one chosen
// sub-picture stream and hands every completed unit to its hooks.
//
// Clocks and the reassembly state belong to the run, not to a file: reading
// the files of a title one after another gives one continuous timeline, and
// a unit split between two files is completed in the second.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "base/message_box.h"
#include "stream/read_damage.h"
#include "stream/sector_file.h"
#include "stream/stream_clocks.h"
#include "stream/time_code.h"

namespace capter {

inline constexpr size_t kReassemblySize = 65536;
inline constexpr uint8_t kFirstSubPictureStream = 0x20;

// The job parameters the reader reads (and partly writes) while it runs. The
// caller owns them; the reader looks at them afresh at every sector, so a
// pause requested from a hook is seen at once.
struct ReaderJob {
  uint8_t streamId = kFirstSubPictureStream;
  int32_t resumeSector = 0;  // where the next read of a file starts
  bool ignoreBadHeaders = false;
  bool paused = false;
};

// A completed unit as the reader collected it.
struct CollectedUnit {
  std::span<const uint8_t> bytes;  // valid until the hook returns
  TimeCode start;                  // presentation time of the unit's time stamp
  uint32_t pts = 0;                // the time stamp itself, 90 kHz
  int32_t sector = 0;              // index of its first packet in the file it began in
};

// What the reader calls while it reads.
class ReaderHooks {
 public:
  virtual ~ReaderHooks() = default;
  // A file was opened; `fromStart` when reading begins at sector 0.
  virtual void FileOpened(bool /*fromStart*/) {}
  // Every 512th sector and after every completed unit; `sector` is the
  // position in the file (sectors read so far).
  virtual void ProgressUpdate(int64_t /*sector*/) {}
  // Every 10,240th sector.
  virtual void RemainingTimeEstimate(int64_t /*sector*/) {}
  // After a navigation pack updated the navigation clock.
  virtual void NavigationPack() {}
  virtual void UnitComplete(const CollectedUnit& unit) = 0;
  // The file is done: read to its end, declined at a bad header, or failed.
  virtual void EndOfFile() {}
};

enum class ReadOutcome {
  EndOfFile,  // read to the end
  Paused,     // stopped at a pause point; the job's resume sector is set
  Declined,   // the user answered No to a bad pack header
  Failed,     // the file could not be opened or read (the user was warned)
  Missing,    // the file does not exist; nothing was done
};

class VobReader {
 public:
  VobReader(ReaderJob& job, ReaderHooks& hooks, MessageBoxes& boxes);

  // Reads one file from the job's resume sector (which is then set to 0).
  ReadOutcome ReadFile(const std::string& path);

  PresentationClock& Presentation() { return presentation_; }
  const PresentationClock& Presentation() const { return presentation_; }
  NavigationClock& Navigation() { return navigation_; }
  const NavigationClock& Navigation() const { return navigation_; }

  // Clocks to zero and re-anchoring requested (a new disc).
  void ResetTimeBase();
  // Before a new job: frame-rate mode unknown, frame step 0, and a unit left
  // half-collected by an earlier job dropped once the navigation clock has
  // moved.
  void PrepareForStart();
  // Empties the reassembly buffer.
  void DropCollectedUnit() { fill_ = 0; }

  bool Collecting() const { return fill_ > 0; }
  uint32_t UnitsInFile() const { return unitsInFile_; }
  uint32_t UnitsInRun() const { return unitsInRun_; }
  // Takes one unit off both counters (the unit will be read again).
  void UncountUnit();
  // Incomplete units dropped because the next unit's first packet arrived.
  uint32_t DroppedUnits() const { return droppedUnits_; }
  // Sectors whose pack start code was wrong.
  uint32_t BadHeaders() const { return damage_.badHeaders; }
  // Sectors with a good pack start code since the job started.
  uint64_t GoodPacks() const { return goodPacks_; }
  // Everything passed over since the job started; a unit still being
  // collected counts as cut off at the end of the last file read.
  ReadDamage Damage() const;
  // Bit n set when private-stream packets of sub-picture stream 0x20 + n were seen.
  uint32_t SubPictureStreamsSeen() const { return streamsSeen_; }

 private:
  enum class Step { Next, Stop };

  Step ProcessSector(const uint8_t* sector, int64_t index, ReadOutcome& outcome);
  Step CheckPackHeader(const uint8_t* sector, int64_t index, ReadOutcome& outcome);
  void CollectPacket(const uint8_t* sector, int64_t index);
  void CompleteUnit(int64_t index);
  bool PausePoint(int64_t index, ReadOutcome& outcome);

  ReaderJob& job_;
  ReaderHooks& hooks_;
  MessageBoxes& boxes_;
  SectorFile file_;
  PresentationClock presentation_;
  NavigationClock navigation_;

  std::unique_ptr<uint8_t[]> buffer_;
  size_t fill_ = 0;
  uint16_t unitSize_ = 0;
  uint32_t unitPts_ = 0;
  TimeCode unitStart_;
  int32_t unitSector_ = 0;
  uint32_t unitsInFile_ = 0;
  uint32_t unitsInRun_ = 0;
  uint32_t droppedUnits_ = 0;
  ReadDamage damage_;
  uint64_t goodPacks_ = 0;
  // The packets of a unit whose first packet was missing are passed over.
  bool skippingHeadless_ = false;
  std::string path_;  // the file being (or last) read
  uint32_t streamsSeen_ = 0;
};

}  // namespace capter
