#include "stream/extraction_run.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "base/message_ids.h"
#include "base/message_table.h"
#include "base/path_names.h"

namespace capter {
int64_t SteadyMillisecondClock::Now() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

uint32_t FileSizeKiB(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return 0;
  return static_cast<uint32_t>(info.st_size / 1024);
}

RunProgress ComputeProgress(uint32_t positionKiB, uint32_t totalKiB, const std::string& caption) {
  RunProgress progress;
  progress.positionKiB = positionKiB;
  // 64-bit so that titles past 40 GiB do not wrap the percentage.
  progress.percent =
      totalKiB == 0 ? 0 : static_cast<uint8_t>(uint64_t{positionKiB} * 100 / totalKiB);
  const std::string percent = std::to_string(progress.percent) + "%";
  progress.title = caption.substr(0, 6) + " - " + percent;
  progress.position = std::to_string(positionKiB / 1024) + "/" + std::to_string(totalKiB / 1024) +
                      " MB (" + percent + ")";
  return progress;
}

int64_t SmoothedRate(int64_t previous, int64_t measured) {
  if (std::llabs(previous - measured) < measured * 3 / 4) return (measured + 2 * previous) / 3;
  return measured;
}

ExtractionRun::ExtractionRun(MessageBoxes& boxes, MillisecondClock& clock, RunDisplay& display)
    : boxes_(boxes), clock_(clock), display_(display), reader_(job_.reader, *this, boxes) {
  ResetTimeBase();
}

RunState ExtractionRun::State() const {
  if (job_.busy) return job_.reader.paused ? RunState::Pausing : RunState::Reading;
  if (job_.reader.paused) return RunState::Paused;
  if (job_.currentFile > job_.files.size()) return RunState::Idle;
  return RunState::BetweenFiles;
}

void ExtractionRun::ResetTimeBase(const TimeCode& lastTimeCode) {
  reader_.ResetTimeBase();
  reader_.Presentation().SetLastTimeCode(lastTimeCode);
}

void ExtractionRun::Start(const JobRequest& request) {
  if (job_.busy) {
    // The read in progress ends at its next pause point; the new job begins
    // only when it has returned (see Tick).
    pending_ = request;
    if (!job_.reader.paused) PauseClick();
    return;
  }
  ApplyJob(request);
}

void ExtractionRun::ApplyJob(const JobRequest& request) {
  job_.files.clear();
  job_.fileSizes.clear();
  job_.totalSize = 0;
  job_.reader.streamId = static_cast<uint8_t>(kFirstSubPictureStream + (request.streamIndex & 31));
  for (const std::string& file : request.files) {
    if (job_.files.size() == kMaxJobFiles) break;
    job_.files.push_back(file);
    job_.fileSizes.push_back(FileSizeKiB(file));
    job_.totalSize += job_.fileSizes.back();
  }
  job_.action = request.action;
  job_.addTimingEntries = request.addTimingEntries;
  job_.outputPath = request.outputPath;
  job_.currentFile = 1;
  job_.reader.resumeSector = 0;
  job_.unitSector = 0;
  job_.unitFile = 1;
  collectingSince_ = 0;
  rereadUnit_ = false;
  job_.reader.ignoreBadHeaders = false;
  reader_.PrepareForStart();
  if (dispatcher_ != nullptr) dispatcher_->JobStarted();
  job_.busy = false;
  if (job_.reader.paused) PauseClick();
}

bool ExtractionRun::Tick() {
  if (job_.busy || job_.reader.paused) return false;
  if (job_.currentFile > job_.files.size()) return false;
  const std::string& path = job_.files[job_.currentFile - 1];
  display_.ShowFile(FileNameOf(path), job_.currentFile, static_cast<int>(job_.files.size()));
  if (job_.currentFile == 1 && job_.reader.resumeSector == 0) job_.elapsed = kZeroTimeCode;
  job_.busy = true;
  const ReadOutcome outcome = reader_.ReadFile(path);
  if (outcome == ReadOutcome::Missing) {
    // A file that vanished since Start is reported and passed over, so the
    // run does not stall on it.
    boxes_.Ask(MessageKind::Warning, ButtonSet::Ok, Messages().GetMessage(kMsgCantOpen) + path);
    EndOfFileSteps();
  } else if (outcome == ReadOutcome::Paused) {
    job_.busy = false;
    display_.ShowOpenVobEnabled(true);
  }
  if (rereadUnit_) ReturnToUnit();
  if (pending_) {
    ApplyJob(*pending_);
    pending_.reset();
  }
  return true;
}

void ExtractionRun::RunToEnd() {
  while (State() == RunState::BetweenFiles) Tick();
}

void ExtractionRun::PauseClick() {
  job_.reader.paused = !job_.reader.paused;
  if (dispatcher_ != nullptr) dispatcher_->PauseToggled(job_.reader.paused);
  display_.ShowPauseButton(job_.busy || job_.reader.paused, job_.reader.paused);
}

bool ExtractionRun::Allows(RunCommand command) const {
  switch (command) {
    case RunCommand::PauseContinue:
      // Once the program is closing, the pause it asked for stays.
      if (closeRequested_) return false;
      return job_.busy || (job_.reader.paused && job_.currentFile <= job_.files.size());
    case RunCommand::OpenJob:
      return !closeRequested_;
    case RunCommand::OpenJobMenu:
    case RunCommand::ChangeMatrix:
      return !job_.busy && !closeRequested_;
    case RunCommand::CloseProgram:
      return !job_.busy;
  }
  return false;
}

void ExtractionRun::RequestClose() {
  closeRequested_ = true;
  pending_.reset();
  if ((job_.busy || State() == RunState::BetweenFiles) && !job_.reader.paused) PauseClick();
}

void ExtractionRun::PauseFromTeaching() {
  // The pause point the reader stops at, or the end of its file, would
  // move the resume point on; the read is sent back once it has returned.
  // The unit's place is taken now: a unit of the same stream that follows
  // directly completes before the read returns and moves the job's unit
  // sector on.
  rereadUnit_ = true;
  rereadSector_ = job_.unitSector;
  rereadFile_ = job_.unitFile;
  job_.reader.resumeSector = job_.unitSector;
  reader_.UncountUnit();
  if (!job_.reader.paused) PauseClick();
}

void ExtractionRun::ReturnToUnit() {
  rereadUnit_ = false;
  job_.currentFile = rereadFile_;
  job_.unitFile = rereadFile_;
  job_.unitSector = rereadSector_;
  job_.reader.resumeSector = rereadSector_;
  // The unit's packets are collected afresh from its first one.
  reader_.DropCollectedUnit();
  collectingSince_ = 0;
}

void ExtractionRun::EndOfFileSteps() {
  job_.busy = false;
  // A pause that came too late for a pause point in this file leaves the
  // run paused: Continue stays reachable.
  display_.ShowPauseButton(job_.reader.paused, job_.reader.paused);
  display_.ShowOpenVobEnabled(true);
  job_.reader.resumeSector = 0;
  job_.unitSector = 0;
  ++job_.currentFile;
}

uint32_t ExtractionRun::SizeBefore(uint16_t file) const {
  uint32_t sum = 0;
  for (size_t i = 0; i + 1 < file && i < job_.fileSizes.size(); ++i) sum += job_.fileSizes[i];
  return sum;
}

uint32_t ExtractionRun::PositionKiB(int64_t sector) const {
  return static_cast<uint32_t>(sector * 2) + SizeBefore(job_.currentFile);
}

void ExtractionRun::FileOpened(bool fromStart) {
  job_.busy = true;
  display_.ShowPauseButton(true, job_.reader.paused);
  display_.ShowOpenVobEnabled(false);
  lastProgressTick_ = lastEstimateTick_ = clock_.Now();
  lastEstimatePosition_ = 0;
  rate_ = 0;
  if (fromStart) {
    display_.ShowProgress(ComputeProgress(0, job_.totalSize, caption_));
    display_.ShowUnitCounts(0, reader_.UnitsInRun());
  }
}

void ExtractionRun::ProgressUpdate(int64_t sector) {
  display_.ShowProgress(ComputeProgress(PositionKiB(sector), job_.totalSize, caption_));
  display_.ProcessPendingEvents();
  const int64_t now = clock_.Now();
  job_.elapsed = Add(job_.elapsed, FromMilliseconds(static_cast<int32_t>(now - lastProgressTick_)));
  display_.ShowElapsed(ToShortText(job_.elapsed));
  lastProgressTick_ = now;
}

void ExtractionRun::RestartElapsedMeasurement() {
  lastProgressTick_ = clock_.Now();
}

void ExtractionRun::RemainingTimeEstimate(int64_t sector) {
  const uint32_t position = PositionKiB(sector);
  const uint32_t progress =
      position == lastEstimatePosition_ ? 1 : position - lastEstimatePosition_;
  const int64_t now = clock_.Now();
  rate_ = SmoothedRate(rate_, (now - lastEstimateTick_) * 1024 / progress);
  const int64_t leftMiB = job_.totalSize > position ? (job_.totalSize - position) / 1024 : 0;
  const int64_t remaining = std::min<int64_t>(rate_ * leftMiB, 255LL * 3600000);
  display_.ShowRemaining(ToShortText(FromMilliseconds(static_cast<int32_t>(remaining))));
  lastEstimateTick_ = now;
  lastEstimatePosition_ = position;
}

void ExtractionRun::NavigationPack() {
  display_.ShowNavigation(reader_);
}

void ExtractionRun::UnitComplete(const CollectedUnit& unit) {
  if (rereadUnit_) {
    // A unit that completes between a teaching pause and the return of the
    // read is read again after Continue, behind the paused one: handling it
    // now would list it twice and out of order.
    reader_.UncountUnit();
    return;
  }
  display_.ShowUnitCounts(reader_.UnitsInFile(), reader_.UnitsInRun());
  job_.unitSector = unit.sector;
  const bool beganEarlier = collectingSince_ != 0 && reader_.DroppedUnits() == droppedAtFileEnd_;
  job_.unitFile = beganEarlier ? collectingSince_ : job_.currentFile;
  collectingSince_ = 0;
  if (dispatcher_ != nullptr) dispatcher_->Dispatch(unit);
}

void ExtractionRun::EndOfFile() {
  if (reader_.Collecting() && collectingSince_ == 0) {
    collectingSince_ = job_.currentFile;
    droppedAtFileEnd_ = reader_.DroppedUnits();
  }
  EndOfFileSteps();
}

}  // namespace capter
