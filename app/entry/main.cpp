// The desktop program: wires the real seams and opens the entry window, with the saved budget
// named on the command line (quillora [FILE]) when there is one.
#include <QApplication>

#include "app/AppContext.h"
#include "app/QtDesktop.h"
#include "app/core/ProcessHeap.h"
#include "budget/Program.h"
#include "workbook/core/TemporaryFolder.h"

int main(int argc, char** argv) {
  quillora::PrepareProcessHeap();
  QApplication application(argc, argv);
  quillora::QtDesktop desktop;
  quillora::SystemClock clock;
  quillora::SystemRandom random;
  quillora::AppContext context{
      desktop, clock, random, QCoreApplication::applicationDirPath().toStdString(),
      [] { return quillora::ResolveTemporaryFolder(quillora::ProcessEnvironment); }};
  const QStringList arguments = QCoreApplication::arguments();
  return quillora::RunProgram(context, arguments.size() > 1 ? arguments.at(1) : QString());
}
