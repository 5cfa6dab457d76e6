// capter-cli export: save every sub-picture of a stream as a BMP picture or
// a SUP file, optionally with a timing file naming them.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace capter::cli {

// `args` are the words after "export". Returns 0 on success, 1 when an
// input is missing or unreadable or a file could not be written, 2 for a
// usage error.
int RunExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace capter::cli
