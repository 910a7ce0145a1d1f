// The desktop program: wires the real seams and opens the entry window.
#include <QApplication>

#include "app/AppContext.h"
#include "app/QtDesktop.h"
#include "budget/Program.h"
#include "workbook/core/TemporaryFolder.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  quillora::QtDesktop desktop;
  quillora::SystemClock clock;
  quillora::SystemRandom random;
  quillora::AppContext context{
      desktop, clock, random, QCoreApplication::applicationDirPath().toStdString(),
      [] { return quillora::ResolveTemporaryFolder(quillora::ProcessEnvironment); }};
  return quillora::RunProgram(context);
}
