#include "cli/destinations.h"

#include "base/atomic_file.h"

namespace capter::cli {

bool IsStandardOutput(const std::string& destination) {
  return destination.empty() || destination == "-" || destination == "/dev/stdout";
}

bool CheckDestination(const std::string& destination, const std::vector<std::string>& inputs,
                      std::ostream& err) {
  if (IsStandardOutput(destination)) return true;
  for (const std::string& input : inputs) {
    if (SameFile(destination, input)) {
      err << "capter-cli: " << destination << ": is the input " << input
          << "; refusing to write over it\n";
      return false;
    }
  }
  const FileResult writable = CheckWritableDestination(destination);
  if (!writable.ok) err << "capter-cli: " << writable.error << "\n";
  return writable.ok;
}

}  // namespace capter::cli
