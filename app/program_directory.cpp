#include "app/program_directory.h"

#include <filesystem>
#include <system_error>

namespace capter {

std::string WithTrailingSeparator(std::string directory) {
  if (directory.empty() || directory.back() != '/') directory += '/';
  return directory;
}

const std::string& ProgramDirectory() {
  static const std::string directory = [] {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !exe.has_parent_path()) {
      return WithTrailingSeparator(std::filesystem::current_path(error).string());
    }
    return WithTrailingSeparator(exe.parent_path().string());
  }();
  return directory;
}

}  // namespace capter
