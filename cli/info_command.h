// capter-cli info [--json] [--units N] [--start-time hh:mm:ss,mmm] FILE...
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace capter::cli {

// `args` are the words after "info". Returns the exit code: 0 on success,
// 1 when a file is missing or unreadable, 2 for a usage error.
int RunInfoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace capter::cli
