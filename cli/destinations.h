// The files a command will write, checked before any work starts, so that a
// long run (and every answer given while teaching) is never thrown away at
// the end over a destination that could not be written.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace capter::cli {

// Whether `destination` names standard output ("-", empty, or /dev/stdout).
bool IsStandardOutput(const std::string& destination);

// Refuses a destination that is the same file as one of `inputs` (however
// it is spelt or linked) and one that cannot be written (a missing folder,
// a folder, a file the user may not write); standard output always passes.
// Writes the reason and returns false; nothing is created or changed.
bool CheckDestination(const std::string& destination, const std::vector<std::string>& inputs,
                      std::ostream& err);

}  // namespace capter::cli
