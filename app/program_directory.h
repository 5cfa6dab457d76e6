// The folder of the running program, where the configuration file, the
// character matrices and the language files are found. An installed
// program's folder (for example /usr/bin) cannot be written by its users:
// the program then keeps that layout in the user's configuration folder
// ($XDG_CONFIG_HOME/capter/, by default ~/.config/capter/) instead.
#pragma once

#include <string>

namespace capter {

// `directory` with a path separator appended when it does not end in one.
std::string WithTrailingSeparator(std::string directory);

// $XDG_CONFIG_HOME/capter/ (an absolute XDG_CONFIG_HOME only), else
// $HOME/.config/capter/; empty when neither is known.
std::string UserSettingsDirectory(const char* xdgConfigHome, const char* home);

// The executable's folder when it can be written, else the user's folder
// (when there is one).
std::string SettingsDirectoryFor(const std::string& executableDirectory, bool writable,
                                 const std::string& userDirectory);

// The folder chosen as above for the running executable, ending in a path
// separator (created when it is the user's folder).
const std::string& ProgramDirectory();

}  // namespace capter
