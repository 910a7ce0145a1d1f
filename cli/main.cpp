// quillora-cli: the generation run and the engine's tools without a window.
#include <QGuiApplication>
#include <malloc.h>
#include <cstdio>
#include <exception>
#include <span>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace quillora::cli {
namespace {

// Subcommands, in the order help lists them.
const Command kCommands[] = {
    {"help", "help", nullptr},
    {"dump", "dump FILE", RunDump},
    {"template", "template OUT.xlt", RunTemplate},
    {"set", "set FILE OUT CELL=TEXT...", RunSet},
    {"render", "render FILE --output OUT.png [--range A1:C118]", RunRender},
    {"amounts", "amounts [--sample]", RunAmounts},
    {"generate", "generate [--sample | --amounts FILE.csv] --output OUT.xls [--picture OUT.png]", RunGenerate},
};

// Qt's own diagnostics (for example about a missing XDG_RUNTIME_DIR) are not meant for
// the person running a command: they would break the rule of one clear line on stderr.
// They show only when QUILLORA_DEBUG is set; critical and fatal messages always show.
void FilterQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  static const bool debug = !qEnvironmentVariableIsEmpty("QUILLORA_DEBUG");
  if (debug || type == QtCriticalMsg || type == QtFatalMsg)
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

void PrintUsage(std::FILE* out) {
  std::fprintf(out, "usage:\n");
  for (const Command& command : kCommands) std::fprintf(out, "  quillora-cli %s\n", command.usage);
}

}  // namespace
}  // namespace quillora::cli

int main(int argc, char** argv) {
  using namespace quillora::cli;
  // A run lives for a fraction of a second and handles pictures of a few megabytes: keep
  // freed memory in the process for reuse rather than mapping and unmapping it each time,
  // which costs more than the work itself on virtual machines.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
  // The command line never touches the desktop: no window, no desktop clipboard.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(FilterQtMessages);
  QGuiApplication application(argc, argv);

  if (argc < 2 || std::string(argv[1]) == "help" || std::string(argv[1]) == "--help") {
    PrintUsage(argc < 2 ? stderr : stdout);
    return argc < 2 ? 1 : 0;
  }
  const std::string name = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  for (const Command& command : kCommands) {
    if (name != command.name || command.run == nullptr) continue;
    try {
      return command.run(args);
    } catch (const UsageError& e) {
      std::fprintf(stderr, "quillora-cli %s: %s\nusage: quillora-cli %s\n", command.name,
                   e.message.c_str(), command.usage);
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
