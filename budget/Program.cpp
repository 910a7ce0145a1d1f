#include "budget/Program.h"

#include <QApplication>
#include <QWidget>

namespace quillora {

int RunProgram(AppContext& /*context*/) {
  QWidget window;
  window.setWindowTitle(QStringLiteral("Quillora"));
  window.show();
  return QApplication::exec();
}

}  // namespace quillora
