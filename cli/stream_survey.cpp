#include "cli/stream_survey.h"

#include "stream/sub_picture.h"
#include "stream/vob_reader.h"

namespace capter::cli {
namespace {

// Collects the summary (and, when asked, the unit rows) of one stream.
class SurveyHooks : public ReaderHooks {
 public:
  SurveyHooks(StreamSummary& summary, std::vector<UnitRow>* rows)
      : summary_(summary), rows_(rows) {}

  void UnitComplete(const CollectedUnit& unit) override {
    subPicture_.Parse(unit.bytes, unit.start, unit.sector);
    const SubtitleTimes times = ComputeSubtitleTimes(subPicture_);
    if (summary_.units++ == 0) summary_.firstStart = times.start;
    summary_.lastStop = times.stop;
    if (rows_) {
      rows_->push_back(UnitRow{times.start, times.stop, subPicture_.First().area, unit.bytes.size(),
                               WorthRecognising(subPicture_)});
    }
  }

 private:
  StreamSummary& summary_;
  std::vector<UnitRow>* rows_;
  SubPicture subPicture_;
};

struct Pass {
  uint32_t streamsSeen = 0;
  uint32_t badHeaders = 0;
  uint64_t goodPacks = 0;
  ReadDamage damage;
  std::string system;
  bool failed = false;
};

Pass ReadStream(const SurveyRequest& request, StreamSummary& summary, std::vector<UnitRow>* rows,
                MessageBoxes& boxes) {
  SurveyHooks hooks(summary, rows);
  ReaderJob job;
  job.streamId = summary.id;
  VobReader reader(job, hooks, boxes);
  reader.ResetTimeBase();
  reader.PrepareForStart();
  reader.Presentation().SetLastTimeCode(request.startTime);
  Pass pass;
  for (const std::string& file : request.vobFiles) {
    const ReadOutcome outcome = reader.ReadFile(file);
    pass.failed |= outcome == ReadOutcome::Failed || outcome == ReadOutcome::Missing;
  }
  // Units that could not be completed: damaged ones, those whose first
  // packet was missing, and one cut off at the end of the last file.
  pass.damage = reader.Damage();
  summary.dropped =
      pass.damage.droppedUnits + pass.damage.headlessUnits + (pass.damage.cutFile.empty() ? 0 : 1);
  pass.streamsSeen = reader.SubPictureStreamsSeen();
  pass.badHeaders = reader.BadHeaders();
  pass.goodPacks = reader.GoodPacks();
  const FrameRateMode& mode = reader.Navigation().Mode();
  pass.system = !mode.Known() ? "unknown" : mode.flag == 0xC0 ? "NTSC" : "PAL";
  return pass;
}

StreamSummary EmptySummary(int number, const StreamNames& names) {
  StreamSummary summary;
  summary.number = number;
  summary.id = static_cast<uint8_t>(kFirstSubPictureStream + number - 1);
  summary.language = names[static_cast<size_t>(number - 1)];
  return summary;
}

}  // namespace

Survey SurveyStreams(const SurveyRequest& request, MessageBoxes& boxes) {
  Survey survey;
  // The first pass reads the listed stream (or stream 1) and learns which
  // streams are present; every other present stream gets a pass of its own.
  const int firstNumber = request.listedStream > 0 ? request.listedStream : 1;
  std::vector<StreamSummary> summaries(kSubPictureStreams + 1);
  summaries[firstNumber] = EmptySummary(firstNumber, request.names);
  const Pass first = ReadStream(request, summaries[firstNumber],
                                request.listedStream > 0 ? &survey.units : nullptr, boxes);
  survey.system = first.system;
  survey.badHeaders = first.badHeaders;
  survey.packs = first.goodPacks;
  survey.damage = first.damage;
  survey.failed = first.failed;
  for (int number = 1; number <= kSubPictureStreams; ++number) {
    const bool present = (first.streamsSeen >> (number - 1)) & 1;
    if (number != firstNumber && present && !survey.failed) {
      summaries[number] = EmptySummary(number, request.names);
      survey.failed |= ReadStream(request, summaries[number], nullptr, boxes).failed;
    }
    if (present) survey.streams.push_back(summaries[number]);
  }
  return survey;
}

}  // namespace capter::cli
