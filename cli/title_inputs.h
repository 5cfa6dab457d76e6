// The files a command is given as one title: VOB files are read in order,
// an IFO file only names the streams, and a BUP file (the IFO's backup) is
// passed over with a note. Nothing but a VOB is ever read as program-stream
// sectors.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "stream/ifo_languages.h"

namespace capter::cli {

struct TitleInputs {
  std::vector<std::string> vobFiles;  // in the order given
  StreamNames names;                  // from the last IFO file, empty otherwise
};

// Sorts `files` by their extension (any case). Every file must be a
// readable regular file and an IFO file must hold the stream names; at least
// one VOB must remain. Otherwise writes the reason and returns nothing.
std::optional<TitleInputs> SortTitleInputs(const std::vector<std::string>& files,
                                           std::ostream& err);

}  // namespace capter::cli
