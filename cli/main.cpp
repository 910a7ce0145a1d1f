// quillora-cli: the generation run and the engine's tools without a window.
#include <QGuiApplication>
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
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
    {"pdf", "pdf FILE --output OUT.pdf", RunPdf},
    {"amounts", "amounts [--sample | --from FILE]", RunAmounts},
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

// A run lives for a fraction of a second and handles pictures of a few megabytes. Faulting
// their memory in page by page costs more than the work itself on virtual machines, so the
// heap is grown once by a generous margin, asked to be backed by huge pages (a hint the
// kernel may ignore), and freed memory is kept in the process for reuse.
void PrepareHeapForPictures() {
  constexpr std::size_t kMargin = 32 << 20, kHuge = 2 << 20;
  mallopt(M_MMAP_THRESHOLD, kMargin);
  mallopt(M_TRIM_THRESHOLD, 4 * kMargin);
  mallopt(M_TOP_PAD, kMargin);
  void* first = std::malloc(kMargin / 2);  // grows the heap by it and the margin
  const auto begin = (reinterpret_cast<std::uintptr_t>(first) + kHuge - 1) & ~(kHuge - 1);
  const auto end = reinterpret_cast<std::uintptr_t>(::sbrk(0)) & ~(kHuge - 1);
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
  std::free(first);
}

void PrintUsage(std::FILE* out) {
  std::fprintf(out, "usage:\n");
  for (const Command& command : kCommands) std::fprintf(out, "  quillora-cli %s\n", command.usage);
}

}  // namespace
}  // namespace quillora::cli

int main(int argc, char** argv) {
  using namespace quillora::cli;
  PrepareHeapForPictures();
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
