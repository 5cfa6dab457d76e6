#include "tests/support/corpus_units.h"

#include "stream/sub_picture.h"
#include "stream/sub_picture_decoder.h"
#include "stream/vob_reader.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter::testing {
namespace {

class DecodingHooks : public ReaderHooks {
 public:
  explicit DecodingHooks(std::vector<DecodedCorpusUnit>& units) : units_(units) {}

  void UnitComplete(const CollectedUnit& unit) override {
    subPicture_.Parse(unit.bytes, unit.start, unit.sector);
    DecodedCorpusUnit decoded;
    const SubtitleTimes times = ComputeSubtitleTimes(subPicture_);
    decoded.start = times.start;
    decoded.stop = times.stop;
    decoded.area = subPicture_.First().area;
    decoded.worth = WorthRecognising(subPicture_);
    DecodeSubPicture(subPicture_, decoded.picture);
    decoded.bytes.assign(unit.bytes.begin(), unit.bytes.end());
    units_.push_back(std::move(decoded));
  }

 private:
  std::vector<DecodedCorpusUnit>& units_;
  SubPicture subPicture_;
};

}  // namespace

std::vector<DecodedCorpusUnit> DecodeCorpusStream(const CorpusCase& c, int streamIndex) {
  std::vector<DecodedCorpusUnit> units;
  DecodingHooks hooks(units);
  ScriptedMessageBoxes boxes({}, Answer::YesToAll);
  ReaderJob job;
  job.streamId = static_cast<uint8_t>(kFirstSubPictureStream + streamIndex);
  VobReader reader(job, hooks, boxes);
  reader.ResetTimeBase();
  reader.PrepareForStart();
  for (const std::string& file : c.vobFiles) reader.ReadFile(file);
  return units;
}

}  // namespace capter::testing
