#include "ocr/matrix_search.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "base/message_ids.h"
#include "base/message_table.h"
#include "ocr/matcher.h"

namespace capter {

namespace {

bool HasSumExtension(const std::filesystem::path& path) {
  std::string ext = path.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext == ".sum";
}

// The folder's matrix files in name order, so that the search does not
// depend on the order in which the file system happens to list them.
std::vector<std::string> MatrixFiles(const std::string& folder) {
  std::vector<std::string> files;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    if (it->is_regular_file(error) && HasSumExtension(it->path())) {
      files.push_back(it->path().string());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string ConfirmText(const std::string& path, const std::string& entryText) {
  const MessageTable& m = Messages();
  const std::string name = std::filesystem::path(path).filename().string();
  return m.GetMessage(kMsgSearchFile) + " \"" + name + "\" " + m.GetMessage(kMsgContainCharacter) +
         " \"" + entryText + "\" \r" + m.GetMessage(kMsgSeemsToMatch) + "\r\r" +
         m.GetMessage(kMsgOpenThisMatrix);
}

std::string NotFoundText(const std::string& folder) {
  const MessageTable& m = Messages();
  return m.GetMessage(kMsgNoMatchingMatrix) + "\r" + m.GetMessage(kMsgPlaceMatrixFilesIn) + " " +
         folder + "\r\r" + m.GetMessage(kMsgTryAgain);
}

}  // namespace

std::string MatrixSearchFolder(const std::string& programDirectory) {
  return programDirectory + "ChMatrix/";
}

bool SearchMatchingMatrix(const std::string& folder, const Glyph& glyph, const CharBox& box,
                          const OcrSettings& settings, CharacterMatrix& current,
                          MessageBoxes& boxes, std::string& text) {
  CharacterMatrix scratch;
  for (const std::string& path : MatrixFiles(folder)) {
    if (!scratch.Load(path, boxes)) continue;
    const size_t k = MatchGlyph(glyph, box, scratch, settings);
    if (k == 0) continue;
    const std::string& found = scratch.Entry(k).text;
    if (boxes.Ask(MessageKind::Confirmation, ButtonSet::YesNo, ConfirmText(path, found)) !=
        Answer::Yes) {
      continue;
    }
    text = found;
    current.Swap(scratch);
    return true;
  }
  boxes.Ask(MessageKind::Information, ButtonSet::Ok, NotFoundText(folder));
  return false;
}

}  // namespace capter
