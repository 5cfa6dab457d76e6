#include "text/save_as.h"

#include <filesystem>
#include <system_error>

#include "base/atomic_file.h"
#include "base/message_ids.h"
#include "base/message_table.h"
#include "text/iauthor_script.h"

namespace capter {
namespace {

void AppendCrLf(std::string& bytes, const TextLines& lines) {
  for (const std::string& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
}

std::string FileNameOnly(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

}  // namespace

bool HasTextToSave(const SubtitleTextModel& model) {
  return !model.Lines().empty();
}

std::string SavedText(const SubtitleTextModel& model) {
  std::string bytes;
  const OutputFormatCode format = model.OutputFormat();
  if (format == OutputFormatCode::IAuthor) {
    AppendCrLf(bytes, IAuthorScript(model.Table(), model.Split(), model.Options().settings,
                                    model.GeneratedAt()));
  } else {
    AppendCrLf(bytes, model.Lines());
  }
  AppendCrLf(bytes, Footer(format));
  return bytes;
}

SaveOutcome SaveTextAs(SubtitleTextModel& model, const std::string& path) {
  if (!HasTextToSave(model)) return SaveOutcome::NothingToSave;
  const MessageTable& m = Messages();
  std::error_code ignored;
  if (std::filesystem::exists(path, ignored)) {
    const std::string question =
        m.GetMessage(kMsgTextFilePrefix) + FileNameOnly(path) + m.GetMessage(kMsgTextAlreadyExists);
    if (model.Boxes().Ask(MessageKind::Warning, ButtonSet::YesNo, question) != Answer::Yes) {
      return SaveOutcome::Declined;
    }
  }
  model.SetSaveDialogFolder(std::filesystem::path(path).parent_path().string());
  const FileResult result = WriteFileAtomically(path, SavedText(model));
  if (!result.ok) {
    model.Boxes().Ask(MessageKind::Error, ButtonSet::Ok, result.error);
    return SaveOutcome::Failed;
  }
  model.SetTextModified(false);
  model.SetCurrentFileName(path);
  return SaveOutcome::Saved;
}

}  // namespace capter
