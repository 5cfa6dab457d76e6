#include "cli/title_inputs.h"

#include <cctype>
#include <filesystem>
#include <span>

#include "base/atomic_file.h"
#include "cli/command_options.h"

namespace capter::cli {
namespace {

std::string LowerExtension(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

bool ReadNames(const std::string& file, StreamNames& names, std::ostream& err) {
  std::string bytes;
  const FileResult read = ReadWholeFile(file, bytes);
  if (!read.ok) {
    err << "capter-cli: " << read.error << "\n";
    return false;
  }
  const std::optional<StreamNames> found =
      ReadIfoStreamNames(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  if (!found) {
    err << "capter-cli: " << file << ": too short for an IFO file\n";
    return false;
  }
  names = *found;
  return true;
}

}  // namespace

std::optional<TitleInputs> SortTitleInputs(const std::vector<std::string>& files,
                                           std::ostream& err) {
  TitleInputs inputs;
  for (const std::string& file : files) {
    if (!CheckReadable(file, err)) return std::nullopt;
    const std::string extension = LowerExtension(file);
    if (extension == ".bup") {
      err << "capter-cli: " << file << ": the backup of an IFO file, passed over\n";
    } else if (extension == ".ifo") {
      if (!ReadNames(file, inputs.names, err)) return std::nullopt;
    } else {
      inputs.vobFiles.push_back(file);
    }
  }
  if (inputs.vobFiles.empty()) {
    err << "capter-cli: no VOB file among the inputs\n";
    return std::nullopt;
  }
  return inputs;
}

}  // namespace capter::cli
