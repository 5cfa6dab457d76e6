#include "app/program_directory.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace capter {

std::string WithTrailingSeparator(std::string directory) {
  if (directory.empty() || directory.back() != '/') directory += '/';
  return directory;
}

std::string UserSettingsDirectory(const char* xdgConfigHome, const char* home) {
  std::string base;
  if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
    base = xdgConfigHome;
  } else if (home != nullptr && home[0] != '\0') {
    base = WithTrailingSeparator(home) + ".config";
  } else {
    return {};
  }
  return WithTrailingSeparator(base) + "capter/";
}

std::string SettingsDirectoryFor(const std::string& executableDirectory, bool writable,
                                 const std::string& userDirectory) {
  return writable || userDirectory.empty() ? executableDirectory : userDirectory;
}

const std::string& ProgramDirectory() {
  static const std::string directory = [] {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::string executableDirectory =
        error || !exe.has_parent_path()
            ? WithTrailingSeparator(std::filesystem::current_path(error).string())
            : WithTrailingSeparator(exe.parent_path().string());
    const bool writable = ::access(executableDirectory.c_str(), W_OK) == 0;
    const std::string user =
        UserSettingsDirectory(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    const std::string chosen = SettingsDirectoryFor(executableDirectory, writable, user);
    if (chosen != executableDirectory) std::filesystem::create_directories(chosen, error);
    return chosen;
  }();
  return directory;
}

}  // namespace capter
