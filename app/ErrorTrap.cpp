#include "app/ErrorTrap.h"

#include <stdexcept>

#include "app/core/ErrorReportText.h"

namespace quillora {

void ReportApplicationError(Desktop& desktop, const QString& module, const QString& routine,
                            int step, const QString& description) {
  const std::string text = ComposeErrorReport(module.toStdString(), routine.toStdString(), step,
                                              description.toStdString());
  desktop.showMessage(QString::fromStdString(text), QString::fromLatin1(kErrorReportTitle),
                      MessageButtons::Ok, MessageIcon::Warning);
}

QString FailureDescription(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& e) {
    return QString::fromUtf8(e.what());
  } catch (...) {
    return QStringLiteral("Unknown failure");
  }
}

void ErrorTrap::report(const std::exception_ptr& failure) {
  ReportApplicationError(desktop_, module_, routine_, step_, FailureDescription(failure));
}

}  // namespace quillora
