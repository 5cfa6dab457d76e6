// capter-cli ocr: recognise a sub-picture stream into subtitle text.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace capter::cli {

// `args` are the words after "ocr"; teaching answers are read from `in`.
// Returns 0 on success, 1 when an input is missing or unreadable, the run
// failed or was stopped, 2 for a usage error.
int RunOcrCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                  std::ostream& err);

}  // namespace capter::cli
