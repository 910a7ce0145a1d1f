// quillora-cli-draw: the subcommands of quillora-cli that draw (render, pdf, generate), run
// by quillora-cli in place of itself with the same arguments; never meant to be typed.
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

#include "app/core/ProcessHeap.h"
#include "cli/CommandLine.h"

namespace {

// Qt's own diagnostics (for example about a missing XDG_RUNTIME_DIR) are not meant for
// the person running a command: they would break the rule of one clear line on stderr.
// They show only when QUILLORA_DEBUG is set; critical and fatal messages always show.
void FilterQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  static const bool debug = !qEnvironmentVariableIsEmpty("QUILLORA_DEBUG");
  if (debug || type == QtCriticalMsg || type == QtFatalMsg)
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quillora::cli;
  quillora::PrepareProcessHeap();
  // The command line never touches the desktop: no window, no desktop clipboard.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(FilterQtMessages);
  QGuiApplication application(argc, argv);
  static const Command commands[] = {{"render", RunRender}, {"pdf", RunPdf}, {"generate", RunGenerate}};
  const int status = RunCommandLine(argc, argv, commands);
  // Every output is complete and closed by now; tearing the toolkit down (fonts, plugins,
  // the platform) would only cost time, so the process ends here.
  std::fflush(nullptr);
  std::_Exit(status);
}
