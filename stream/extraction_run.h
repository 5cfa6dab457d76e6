// The extraction run: works through the job's list of VOB files one file per
// tick, reading each with the program-stream reader, and hands every
// completed unit to a dispatcher chosen by the job's action. It can be paused
// and continued at any moment and then resumes in the middle of a file. The
// run shows its state through a display interface; any caller (the desktop
// program's timer, the command-line tool, a test with a fake clock) drives it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/message_box.h"
#include "stream/vob_reader.h"

namespace capter {

inline constexpr size_t kMaxJobFiles = 1024;

enum class RunAction : uint8_t { Recognise = 1, SaveBmp = 2, SaveSup = 3, ShowOnly = 4 };

struct ExtractionJob {
  std::vector<std::string> files;    // full paths, in processing order
  std::vector<uint32_t> fileSizes;   // KiB (bytes div 1024), 0 when unknown
  uint32_t totalSize = 0;            // KiB
  uint16_t currentFile = 1;          // 1-based
  int32_t unitSector = 0;            // first sector of the unit being handled
  uint16_t unitFile = 1;             // the file that sector is in (1-based)
  bool busy = false;                 // a file is being read
  ReaderJob reader{.paused = true};  // stream id, resume sector, flags
  RunAction action = RunAction::Recognise;
  bool addTimingEntries = false;
  std::string outputPath;  // beginning of BMP/SUP file names
  TimeCode elapsed;
};

// What Start takes from the job dialog.
struct JobRequest {
  std::vector<std::string> files;
  int streamIndex = 0;  // 0..31, sub-stream 0x20 + index
  RunAction action = RunAction::Recognise;
  bool addTimingEntries = false;
  std::string outputPath;
};

enum class RunState { Idle, BetweenFiles, Reading, Pausing, Paused };

// The commands a front end offers around a run. While a file is being read
// the reader hands control to the user at its progress points, so every
// command is asked about first (see ExtractionRun::Allows).
enum class RunCommand {
  PauseContinue,  // the Pause / Continue button
  OpenJob,        // the job dialog: its Start waits for the read to return
  OpenJobMenu,    // the "Open Vob(s)" menu item: only outside a read
  ChangeMatrix,   // open, new or edit the character matrix: only outside a read
  CloseProgram,   // ends the program: only outside a read (see RequestClose)
};

// A millisecond tick counter.
class MillisecondClock {
 public:
  virtual ~MillisecondClock() = default;
  virtual int64_t Now() = 0;
};

class SteadyMillisecondClock : public MillisecondClock {
 public:
  int64_t Now() override;
};

struct RunProgress {
  uint8_t percent = 0;
  uint32_t positionKiB = 0;
  std::string position;  // "1464/3072 MB (47%)"
  std::string title;     // "Capter - 47%"
};

// The run's status as the main window (or a terminal) shows it. Every
// method has a do-nothing default.
class RunDisplay {
 public:
  virtual ~RunDisplay() = default;
  virtual void ShowFile(const std::string& /*name*/, int /*number*/, int /*count*/) {}
  virtual void ShowProgress(const RunProgress& /*progress*/) {}
  virtual void ShowElapsed(const std::string& /*hhmmss*/) {}
  virtual void ShowRemaining(const std::string& /*hhmmss*/) {}
  virtual void ShowUnitCounts(uint32_t /*inFile*/, uint32_t /*inRun*/) {}
  virtual void ShowPauseButton(bool /*enabled*/, bool /*paused*/) {}
  virtual void ShowOpenVobEnabled(bool /*enabled*/) {}
  virtual void ShowNavigation(const VobReader& /*reader*/) {}
  // Where pending user input is handled during a read (Pause among it).
  virtual void ProcessPendingEvents() {}
};

// Handles each completed unit according to the job's action.
class UnitDispatcher {
 public:
  virtual ~UnitDispatcher() = default;
  virtual void Dispatch(const CollectedUnit& unit) = 0;
  // A new job was set up by Start.
  virtual void JobStarted() {}
  // Pause or Continue was pressed.
  virtual void PauseToggled(bool /*paused*/) {}
};

class ExtractionRun : private ReaderHooks {
 public:
  ExtractionRun(MessageBoxes& boxes, MillisecondClock& clock, RunDisplay& display);

  void SetDispatcher(UnitDispatcher* dispatcher) { dispatcher_ = dispatcher; }
  // The first six characters of this caption begin the application title.
  void SetCaption(std::string caption) { caption_ = std::move(caption); }

  const ExtractionJob& Job() const { return job_; }
  VobReader& Reader() { return reader_; }
  const VobReader& Reader() const { return reader_; }
  RunState State() const;

  // Clocks back to zero (a new disc); the first pack then anchors the time
  // offset at `lastTimeCode`.
  void ResetTimeBase(const TimeCode& lastTimeCode = kZeroTimeCode);
  // The job dialog's Start. During a read the new job waits until the
  // interrupted read has returned.
  void Start(const JobRequest& request);
  // One timer tick: starts the next file if the run may go on. Returns
  // whether a file was read.
  bool Tick();
  // Reads until the list is done or the run is paused.
  void RunToEnd();
  // The Pause / Continue button.
  void PauseClick();
  // Whether `command` may run now. Inside a read only Pause / Continue and
  // the job dialog may; the rest wait until the read has returned.
  bool Allows(RunCommand command) const;
  // The program is closing: a read in progress is paused at its next pause
  // point (the resume position stays consistent) and, when it has returned,
  // ReadReturnedForClose() is true and the front end may close.
  void RequestClose();
  bool CloseRequested() const { return closeRequested_; }
  bool ReadReturnedForClose() const { return closeRequested_ && !job_.busy; }
  // The elapsed time counts from now on: the time the run was held by a
  // dialog since the last progress point is not counted as reading time.
  void RestartElapsedMeasurement();
  // Pause from the teaching dialog: the unit being recognised is read and
  // counted again after Continue, also when it began in an earlier file of
  // the list or ended its file.
  void PauseFromTeaching();

 private:
  void ApplyJob(const JobRequest& request);
  void EndOfFileSteps();
  void ReturnToUnit();
  uint32_t SizeBefore(uint16_t file) const;
  uint32_t PositionKiB(int64_t sector) const;

  // Reader hooks.
  void FileOpened(bool fromStart) override;
  void ProgressUpdate(int64_t sector) override;
  void RemainingTimeEstimate(int64_t sector) override;
  void NavigationPack() override;
  void UnitComplete(const CollectedUnit& unit) override;
  void EndOfFile() override;

  MessageBoxes& boxes_;
  MillisecondClock& clock_;
  RunDisplay& display_;
  UnitDispatcher* dispatcher_ = nullptr;
  ExtractionJob job_;
  VobReader reader_;
  std::optional<JobRequest> pending_;
  std::string caption_ = "Capter";
  // A unit still being collected at the end of a file began in this file
  // (0: none), unless the reader dropped it since.
  uint16_t collectingSince_ = 0;
  uint32_t droppedAtFileEnd_ = 0;
  // Set by a teaching pause: the read, when it returns, goes back to the
  // unit's first sector.
  bool rereadUnit_ = false;
  int32_t rereadSector_ = 0;
  uint16_t rereadFile_ = 1;
  bool closeRequested_ = false;

  // Per-file reading state.
  int64_t lastProgressTick_ = 0;
  int64_t lastEstimateTick_ = 0;
  uint32_t lastEstimatePosition_ = 0;
  int64_t rate_ = 0;  // ms per MiB
};

// The size of a file in KiB, 0 when it cannot be read.
uint32_t FileSizeKiB(const std::string& path);

// The percentage, the position text and the application title for a
// position in KiB of a run of `totalKiB` (percentage 0 when the total is 0).
RunProgress ComputeProgress(uint32_t positionKiB, uint32_t totalKiB, const std::string& caption);

// The reading rate (ms per MiB) after a new measurement: close to the
// previous rate it is smoothed, (new + 2 x previous) div 3; a jump of three
// quarters of the new rate or more is taken as it is.
int64_t SmoothedRate(int64_t previous, int64_t measured);

}  // namespace capter
