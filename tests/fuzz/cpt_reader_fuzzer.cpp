// Reads arbitrary bytes as a subtitle file of the own format. The first
// byte chooses how the error prompt is answered, so Ignore, Yes to All and
// Cancel are all explored; the table is then rendered in every format so the
// renderers see whatever the reader let through.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/message_box.h"
#include "text/own_format_reader.h"
#include "text/save_as.h"

namespace {

class AnswerFromByte : public capter::MessageBoxes {
 public:
  explicit AnswerFromByte(uint8_t byte) : byte_(byte) {}
  capter::Answer Ask(capter::MessageKind, capter::ButtonSet, const std::string&) override {
    // Mostly Ignore, so that long inputs are read to their end.
    ++asked_;
    switch ((byte_ >> (asked_ % 8)) & 3) {
      case 0:
        return capter::Answer::YesToAll;
      case 1:
        return asked_ > 64 ? capter::Answer::Cancel : capter::Answer::Ignore;
      default:
        return capter::Answer::Ignore;
    }
  }

 private:
  uint8_t byte_;
  unsigned asked_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  AnswerFromByte boxes(data[0]);
  capter::SubtitleTable table;
  capter::SubtitleTextModel model(table, boxes);
  model.SetClock([] { return std::string("now"); });
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  // The byte-order mark path converts UTF-8 first, as opening a file does;
  // the words of a damaged stretch are then made from the report.
  const capter::ReadReport report =
      capter::ReadCapterText(capter::WithoutUtf8Mark(std::string(bytes)), model);
  capter::PassedOverNote(report);
  for (int code = 0; code < capter::kOutputFormatCount; ++code) {
    model.SetOutputFormat(static_cast<capter::OutputFormatCode>(code));
    model.RefreshList();
    model.RemoveLastListed();
    if (!table.Empty()) model.ListSubtitle(table.Count(), true);
    capter::SavedText(model);
  }
  return 0;
}
