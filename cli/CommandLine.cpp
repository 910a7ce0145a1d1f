#include "cli/CommandLine.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace quillora::cli {
namespace {

struct Usage {
  const char* name;
  const char* usage;
  bool draws;
};

// Every subcommand, in the order help lists them.
const Usage kUsages[] = {
    {"help", "help", false},
    {"dump", "dump FILE", false},
    {"template", "template OUT.xlt", false},
    {"set", "set FILE OUT CELL=TEXT...", false},
    {"render", "render FILE --output OUT.png [--range A1:C118]", true},
    {"pdf", "pdf FILE --output OUT.pdf", true},
    {"amounts", "amounts [--sample | --from FILE]", false},
    {"generate", "generate [--sample | --amounts FILE.csv] --output OUT.xls [--picture OUT.png]", true},
};

const char* UsageOf(std::string_view name) {
  for (const Usage& usage : kUsages)
    if (name == usage.name) return usage.usage;
  return "";
}

void PrintUsage(std::FILE* out) {
  std::fprintf(out, "usage:\n");
  for (const Usage& usage : kUsages) std::fprintf(out, "  quillora-cli %s\n", usage.usage);
}

}  // namespace

bool IsDrawingCommand(std::string_view name) {
  for (const Usage& usage : kUsages)
    if (name == usage.name) return usage.draws;
  return false;
}

int RunCommandLine(int argc, char** argv, std::span<const Command> commands) {
  if (argc < 2 || std::string(argv[1]) == "help" || std::string(argv[1]) == "--help") {
    PrintUsage(argc < 2 ? stderr : stdout);
    return argc < 2 ? 1 : 0;
  }
  const std::string name = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  for (const Command& command : commands) {
    if (name != command.name) continue;
    try {
      return command.run(args);
    } catch (const UsageError& e) {
      std::fprintf(stderr, "quillora-cli %s: %s\nusage: quillora-cli %s\n", command.name, e.message.c_str(),
                   UsageOf(command.name));
      return 1;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "quillora-cli %s: %s\n", command.name, e.what());
      return 1;
    }
  }
  std::fprintf(stderr, "quillora-cli: unknown command \"%s\"\n", name.c_str());
  PrintUsage(stderr);
  return 1;
}

}  // namespace quillora::cli
