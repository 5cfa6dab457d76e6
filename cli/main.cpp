// capter-cli: the headless front end. Each command lives in its own file;
// this only picks the command by its name.
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/info_command.h"

namespace {

struct Command {
  const char* name;
  const char* summary;
  int (*run)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

constexpr Command kCommands[] = {
    {"info", "list the sub-picture streams of VOB files", &capter::cli::RunInfoCommand},
};

void PrintUsage(std::ostream& out) {
  out << "usage: capter-cli COMMAND [OPTIONS]\n\ncommands:\n";
  for (const Command& c : kCommands) out << "  " << c.name << "   " << c.summary << "\n";
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
    PrintUsage(argc < 2 ? std::cerr : std::cout);
    return argc < 2 ? 2 : 0;
  }
  const std::vector<std::string> args(argv + 2, argv + argc);
  for (const Command& c : kCommands) {
    if (std::strcmp(argv[1], c.name) == 0) return c.run(args, std::cout, std::cerr);
  }
  std::cerr << "capter-cli: unknown command '" << argv[1] << "'\n";
  PrintUsage(std::cerr);
  return 2;
}
