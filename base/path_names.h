// The name of a file without its folder, as captions and timing entries
// show it.
#pragma once

#include <string>

namespace capter {

inline std::string FileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace capter
