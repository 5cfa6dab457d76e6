#include "stream/vob_folder.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace capter {
namespace {

bool HasVobExtension(const std::string& name) {
  if (name.size() < 4) return false;
  std::string ending = name.substr(name.size() - 4);
  std::transform(ending.begin(), ending.end(), ending.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ending == ".vob";
}

}  // namespace

std::string VobEntryText(const std::string& name, uint64_t bytes) {
  std::string text = name;
  if (text.size() < 14) text.append(14 - text.size(), ' ');
  const std::string size = std::to_string(bytes / 1024);
  text += '[';
  if (size.size() < 8) text.append(8 - size.size(), '_');
  return text + size + " Kb]";
}

VobListing ListVobFolder(const std::string& folder) {
  namespace fs = std::filesystem;
  VobListing listing;
  listing.folder = folder;
  if (listing.folder.empty() || listing.folder.back() != '/') listing.folder += '/';
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (!HasVobExtension(name) || !it->is_regular_file(error)) continue;
    const uint64_t bytes = it->file_size(error);
    const uint64_t size = error ? 0 : bytes;
    error.clear();
    listing.entries.push_back(
        {listing.folder + name, VobEntryText(name, size), static_cast<uint32_t>(size / 1024)});
  }
  std::sort(listing.entries.begin(), listing.entries.end(),
            [](const VobEntry& a, const VobEntry& b) { return a.path < b.path; });
  return listing;
}

}  // namespace capter
