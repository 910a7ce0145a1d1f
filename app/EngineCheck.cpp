#include "app/EngineCheck.h"

#include "app/Theme.h"

namespace quillora {

QString EngineCheckMessage() {
  const QString gap = QStringLiteral("\r\n\r\n");
  return QStringLiteral("Error 842001. A normal instance of Excel could not be created.") + gap +
         QStringLiteral("1. Please make sure Excel is installed on this computer.") + gap +
         QStringLiteral("2. Please open Excel normally and make sure a blank spreadsheet opens "
                        "immediately without any interrupting window (such as an Excel file "
                        "recovery window).") +
         gap +
         QStringLiteral("3. Please make sure that when you double-click on a XLS or XLSX file that "
                        "Excel opens normally without any interrupting messages.") +
         gap +
         QStringLiteral("4. All versions of Excel are supported by this software except for the rare "
                        "Excel Starter and Student editions.");
}

void RunSpreadsheetEngineCheck(Desktop& desktop, const std::function<void()>& startInstance) {
  // Every failure here means the same: no instance could be started.
  try {
    if (startInstance) {
      startInstance();
      return;
    }
  } catch (...) {  // absorbed by design: the message below is the only outcome of a failure
  }
  desktop.showMessage(EngineCheckMessage(), AppTitle(), MessageButtons::Ok, MessageIcon::None);
  desktop.endProgram();
}

}  // namespace quillora
