#include "app/run_dispatch.h"

#include "base/path_names.h"
#include "export/bmp_file.h"
#include "export/export_rendition.h"
#include "export/run_file_name.h"
#include "export/sup_file.h"

namespace capter {
namespace {

// The text window's side of closing a subtitle whose stop came late.
class TextListing : public SubtitleListing {
 public:
  explicit TextListing(SubtitleTextModel& text) : text_(text) {}
  void RemoveLastListed() override { text_.RemoveLastListed(); }
  void ListSubtitle(uint16_t index, bool scroll) override { text_.ListSubtitle(index, scroll); }

 private:
  SubtitleTextModel& text_;
};

}  // namespace

RunDispatch::RunDispatch(DispatchParts parts) : parts_(parts) {}

void RunDispatch::Dispatch(const CollectedUnit& unit) {
  keptUnshown_ = false;
  switch (parts_.run.Job().action) {
    case RunAction::Recognise:
      Decode(unit);
      Recognise();
      break;
    case RunAction::SaveBmp:
      SaveBmp(unit);
      break;
    case RunAction::SaveSup:
      SaveSup(unit);
      break;
    case RunAction::ShowOnly:
      ShowOnly(unit);
      break;
  }
}

void RunDispatch::JobStarted() {
  writeFailures_ = 0;
  fullReported_ = false;
  // Every job chooses its text colour afresh: another disc may draw its
  // text in another palette code.
  if (parts_.colour != nullptr) parts_.colour->Reset();
  if (parts_.progression != nullptr) parts_.progression->ClearNoStop();
}

void RunDispatch::PauseToggled(bool /*paused*/) {
  if (parts_.progression != nullptr) parts_.progression->ClearNoStop();
}

void RunDispatch::AddSubtitle(const std::vector<std::string>& lines, bool render, const Rect& area,
                              const TimeCode& start, const TimeCode& stop) {
  // A line made only of the spaces between characters that were left out
  // carries no text.
  std::vector<std::string> kept;
  for (const std::string& line : lines) {
    if (line.find_first_not_of(' ') != std::string::npos) kept.push_back(line);
  }
  if (kept.empty()) return;
  if (parts_.text.AddSubtitle(kept, render, start, stop, area) || fullReported_) return;
  // The table is full: said once per job; every later subtitle is left out.
  fullReported_ = true;
  parts_.boxes.Ask(MessageKind::Warning, ButtonSet::Ok, TableFullWarning());
}

std::string TableFullWarning() {
  return "The subtitle list is full (" + std::to_string(kMaxSubtitles) +
         " subtitles); the later subtitles of this run are not added.";
}

void RunDispatch::Decode(const CollectedUnit& unit) {
  unit_.Parse(unit.bytes, unit.start, unit.sector);
  DecodeSubPicture(unit_, decoded_);
}

SubtitleTimes RunDispatch::TimesClosingPrevious() {
  const SubtitleTimes times = ComputeSubtitleTimes(unit_);
  TextListing listing(parts_.text);
  ClosePreviousSubtitle(parts_.text.Table(), times.start, &listing);
  return times;
}

void RunDispatch::Recognise() {
  times_ = TimesClosingPrevious();
  if (!WorthRecognising(unit_) || parts_.recogniser == nullptr) return;
  const RecognitionOutcome outcome = parts_.recogniser->RecogniseSubPicture(
      decoded_, unit_.First().area, times_.start, times_.stop);
  if (outcome == RecognitionOutcome::Paused) parts_.run.PauseFromTeaching();
}

Rect RunDispatch::Render() {
  static const BmpExportSettings kDefaults;
  static const ColourRoles kRoles;
  const BmpExportSettings& settings = parts_.bmpSettings ? *parts_.bmpSettings : kDefaults;
  const RoleColours& colours = parts_.roles ? parts_.roles->Colours() : kRoles.Colours();
  return RenderForExport(decoded_, unit_.First().area, settings, colours, rendition_);
}

void RunDispatch::SaveBmp(const CollectedUnit& unit) {
  const std::string path =
      RunFileName(parts_.run.Job().outputPath, parts_.run.Reader().UnitsInRun(), kBmpRunExtension);
  Decode(unit);
  bool keep = true;
  if (parts_.adjustment != nullptr && parts_.adjustment->Due()) {
    keep = parts_.adjustment->Adjust(decoded_, unit_.First().area);
  }
  const Rect area = Render();
  if (!keep) return;
  if (parts_.run.Job().addTimingEntries) AddTimingEntry(path, area);
  if (showPictures_ && parts_.preview != nullptr) parts_.preview->ShowPicture(rendition_, area);
  const FileResult written = WriteBmpFile(rendition_, path);
  if (!written.ok) ReportWriteError(written.error);
}

void RunDispatch::SaveSup(const CollectedUnit& unit) {
  const std::string path =
      RunFileName(parts_.run.Job().outputPath, parts_.run.Reader().UnitsInRun(), kSupRunExtension);
  const FileResult written = WriteSupFile(unit.bytes, path);
  if (!written.ok) ReportWriteError(written.error);
  const bool timing = parts_.run.Job().addTimingEntries;
  if (!showPictures_ && !timing) return;
  Decode(unit);
  if (timing) AddTimingEntry(path, unit_.First().area);
  if (parts_.preview != nullptr) parts_.preview->ShowPicture(decoded_, unit_.First().area);
}

bool RunDispatch::ShowOnlyIsEager() const {
  // A held unit hands its rendition to the progression controller, and the
  // adjustment dialog works on the decoded picture: both need it now.
  const bool held = parts_.progression != nullptr && !parts_.progression->NoStop();
  const bool adjusted = parts_.adjustment != nullptr && parts_.adjustment->Due();
  return held || adjusted || (parts_.preview != nullptr && parts_.preview->PictureWanted());
}

void RunDispatch::ShowOnly(const CollectedUnit& unit) {
  // The unit's bytes belong to the reader, which reuses them for the next
  // unit: a copy lets this one be decoded later.
  keptBytes_.assign(unit.bytes.begin(), unit.bytes.end());
  unit_.Parse(keptBytes_, unit.start, unit.sector);
  if (!ShowOnlyIsEager()) {
    // Nothing looks at this picture now; without a preview nobody ever will.
    keptUnshown_ = parts_.preview != nullptr;
    if (keptUnshown_) parts_.preview->PictureKept();
    return;
  }
  DecodeSubPicture(unit_, decoded_);
  if (parts_.adjustment != nullptr && parts_.adjustment->Due()) {
    parts_.adjustment->Adjust(decoded_, unit_.First().area);
  }
  const Rect area = Render();
  if (parts_.preview != nullptr) parts_.preview->ShowPicture(rendition_, area);
  if (parts_.progression != nullptr && !parts_.progression->NoStop()) {
    parts_.progression->Hold(rendition_, unit);
  }
}

void RunDispatch::ShowKeptPicture() {
  if (!keptUnshown_ || parts_.preview == nullptr) return;
  keptUnshown_ = false;
  DecodeSubPicture(unit_, decoded_);
  const Rect area = Render();
  parts_.preview->ShowPicture(rendition_, area);
}

void RunDispatch::AddTimingEntry(const std::string& path, const Rect& area) {
  const SubtitleTimes times = TimesClosingPrevious();
  AddSubtitle({FileNameOf(path)}, true, area, times.start, times.stop);
}

void RunDispatch::ReportWriteError(const std::string& error) {
  // The first failure of a run is shown and pauses it, so that a full disk
  // or a wrong folder does not raise one message per picture.
  ++writeFailures_;
  if (writeFailures_ > 1) return;
  parts_.boxes.Ask(MessageKind::Error, ButtonSet::Ok, error);
  if (!parts_.run.Job().reader.paused) parts_.run.PauseClick();
}

}  // namespace capter
