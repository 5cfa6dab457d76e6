// The folder of the running program, where the configuration file, the
// character matrices and the language files are found.
#pragma once

#include <string>

namespace capter {

// `directory` with a path separator appended when it does not end in one.
std::string WithTrailingSeparator(std::string directory);

// The directory of the running executable, ending in a path separator
// (the current directory when the executable's path cannot be found).
const std::string& ProgramDirectory();

}  // namespace capter
