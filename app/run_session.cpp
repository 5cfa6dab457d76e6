#include "app/run_session.h"

#include "text/save_as.h"

namespace capter {

RunSession::RunSession(SessionFrontEnd frontEnd)
    : frontEnd_(frontEnd),
      run_(frontEnd.boxes, frontEnd.clock, frontEnd.display),
      text_(table_, frontEnd.boxes),
      dispatch_(DispatchParts{.run = run_,
                              .text = text_,
                              .bmpSettings = &bmpSettings_,
                              .roles = &roles_,
                              .boxes = frontEnd.boxes,
                              .colour = &colour_,
                              .preview = frontEnd.preview,
                              .adjustment = frontEnd.adjustment,
                              .progression = frontEnd.progression}) {
  run_.SetDispatcher(&dispatch_);
}

void RunSession::UseRecognition(CharacterTeacher& teacher, TextColourChooser& chooser) {
  recogniser_ = std::make_unique<Recogniser>(
      RecognitionContext{matrix_, ocr_, colour_, chooser, teacher, dispatch_, frontEnd_.boxes});
  dispatch_.SetRecogniser(recogniser_.get());
}

void RunSession::StartJob(const JobRequest& request, const TimeCode& startTime) {
  run_.ResetTimeBase(startTime);
  run_.Start(request);
}

bool RunSession::Execute(const JobRequest& request, const TimeCode& startTime) {
  StartJob(request, startTime);
  run_.RunToEnd();
  return run_.State() == RunState::Idle;
}

bool RunSession::StreamFound() const {
  const unsigned index = run_.Job().reader.streamId - kFirstSubPictureStream;
  return (run_.Reader().SubPictureStreamsSeen() >> index & 1u) != 0;
}

std::string FinalText(SubtitleTextModel& text) {
  // A run lists each entry as it comes; a refresh adds the header that
  // some formats begin with.
  text.RefreshList();
  return SavedText(text);
}

}  // namespace capter
