#include "bench/recognition_session.h"

namespace capter::bench {

std::optional<uint8_t> RecognitionSession::Chooser::ChooseTextColour(const Picture24& bitmap,
                                                                     TextColourState& state) {
  if (index_) return index_;
  return DetectedTextColourChooser().ChooseTextColour(bitmap, state);
}

RecognitionSession::RecognitionSession(const OcrSettings& settings,
                                       std::optional<uint8_t> textColour)
    : settings_(settings),
      chooser_(textColour),
      recogniser_({matrix_, settings_, colour_, chooser_, active_, sink_, boxes_}) {}

RecognitionOutcome RecognitionSession::Read(Picture24& picture,
                                            const testing::DecodedCorpusUnit& unit,
                                            const std::vector<std::string>& expected) {
  teacher_.SetExpected(expected);
  return recogniser_.RecogniseSubPicture(picture, unit.area, unit.start, unit.stop);
}

}  // namespace capter::bench
