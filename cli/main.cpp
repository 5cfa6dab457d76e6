// capter-cli: the headless front end. Each command lives in its own file;
// this only picks the command by its name.
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "base/atomic_file.h"
#include "cli/convert_command.h"
#include "cli/export_command.h"
#include "cli/info_command.h"
#include "cli/ocr_command.h"

namespace {

struct Command {
  const char* name;
  const char* summary;
  int (*run)(const std::vector<std::string>& args);
};

using Args = const std::vector<std::string>&;

constexpr Command kCommands[] = {
    {"info", "list the sub-picture streams of VOB files",
     [](Args args) { return capter::cli::RunInfoCommand(args, std::cout, std::cerr); }},
    {"ocr", "recognise a stream into subtitle text",
     [](Args args) { return capter::cli::RunOcrCommand(args, std::cin, std::cout, std::cerr); }},
    {"export", "save a stream's sub-pictures as BMP or SUP files",
     [](Args args) { return capter::cli::RunExportCommand(args, std::cout, std::cerr); }},
    {"convert", "write an own-format subtitle file in another format",
     [](Args args) { return capter::cli::RunConvertCommand(args, std::cout, std::cerr); }},
};

void PrintUsage(std::ostream& out) {
  out << "usage: capter-cli COMMAND [OPTIONS]\n\ncommands:\n";
  for (const Command& c : kCommands) {
    out << "  " << c.name << std::string(10 - std::strlen(c.name), ' ') << c.summary << "\n";
  }
  out << "\n'capter-cli COMMAND --help' describes a command's options.\n";
}

}  // namespace

int main(int argc, char* argv[]) {
  // Ctrl-C or a kill while a file is written leaves no temporary file.
  capter::RemoveTemporaryFileOnInterrupt();
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
    PrintUsage(argc < 2 ? std::cerr : std::cout);
    return argc < 2 ? 2 : 0;
  }
  const std::vector<std::string> args(argv + 2, argv + argc);
  for (const Command& c : kCommands) {
    if (std::strcmp(argv[1], c.name) == 0) return c.run(args);
  }
  std::cerr << "capter-cli: unknown command '" << argv[1] << "'\n";
  PrintUsage(std::cerr);
  return 2;
}
