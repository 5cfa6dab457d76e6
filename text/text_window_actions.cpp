#include "text/text_window_actions.h"

#include "base/message_ids.h"
#include "base/message_table.h"

namespace capter {
namespace {

std::string Message(MessageId first, MessageId second) {
  const MessageTable& m = Messages();
  return TwoLines(m.GetMessage(first), m.GetMessage(second));
}

}  // namespace

void ConvertToFormat(SubtitleTextModel& model, const OutputFormatSettings& settings,
                     OutputFormatCode format) {
  model.Options().settings = settings;
  model.SetOutputFormat(format);
  if (format == OutputFormatCode::IAuthor) model.Options().settings.extended = true;
  model.SetCurrentFileName(model.CurrentFileName());
  model.RefreshList();
}

bool AcceptSplitRange(SubtitleTextModel& model, const SplitRange& range) {
  if (!SplitRangeAcceptable(range.enabled, range.start, range.stop)) {
    model.Boxes().Ask(MessageKind::Warning, ButtonSet::Ok,
                      Messages().GetMessage(kMsgStopBeforeStart));
    return false;
  }
  model.SetSplit(range);
  model.RefreshList();
  return true;
}

TimeCode LastSubtitleTime(const SubtitleTable& table) {
  return table.Empty() ? kZeroTimeCode : table.Last().stop;
}

void CorrectTimesAndRefresh(SubtitleTextModel& model, const TimeCorrection& correction) {
  if (model.Table().Empty()) return;
  CorrectTimes(model.Table(), correction, model.Boxes());
  model.RefreshList();
}

void CorrectTextAndRefresh(SubtitleTextModel& model, const PostOcrCorrection& choice) {
  if (ApplyPostOcrCorrection(model.Table(), choice)) model.RefreshList();
}

bool ConfirmAddToEnd(SubtitleTextModel& model) {
  if (model.Table().Empty()) return true;
  return model.Boxes().Ask(MessageKind::Information, ButtonSet::OkCancel,
                           Message(kMsgTextNotEmpty, kMsgAddToEnd)) == Answer::Ok;
}

void WarnIfSplitEnabled(SubtitleTextModel& model) {
  if (model.SplitEnabled()) {
    model.Boxes().Ask(MessageKind::Information, ButtonSet::Ok,
                      Message(kMsgSplitEnabled, kMsgSplitMayHide));
  }
}

bool ConfirmQuitWithUnsavedText(SubtitleTextModel& model) {
  if (!model.TextModified()) return true;
  return model.Boxes().Ask(MessageKind::Confirmation, ButtonSet::YesNo,
                           Message(kMsgQuitTextNotSaved, kMsgReallyQuit)) == Answer::Yes;
}

}  // namespace capter
