// capter-cli convert: an own-format subtitle file written in another format.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace capter::cli {

// `args` are the words after "convert". Returns 0 on success, 1 when the
// input is missing or unreadable or the output cannot be written, 2 for a
// usage error.
int RunConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace capter::cli
