// Replacing a file without ever losing the old one: the new contents go to a
// temporary file in the same folder, which is renamed over the target only
// when it is complete and flushed.
#pragma once

#include <string>
#include <string_view>

namespace capter {

struct FileResult {
  bool ok = true;
  std::string error;  // the platform's message when !ok
};

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// Reads a whole file as bytes; ok is false (with the platform's message) when
// it cannot be opened or read.
FileResult ReadWholeFile(const std::string& path, std::string& bytes);

}  // namespace capter
