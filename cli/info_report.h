// The two forms of the info command's report: aligned text and JSON.
#pragma once

#include <ostream>

#include "cli/stream_survey.h"

namespace capter::cli {

void PrintInfoText(const Survey& survey, int listedStream, std::ostream& out);
void PrintInfoJson(const Survey& survey, int listedStream, std::ostream& out);

}  // namespace capter::cli
