#include "tests/support/FakeDesktop.h"

#include <QPrinter>
#include <QStringList>

namespace quillora::testing {

MessageAnswer FakeDesktop::showMessage(const QString& text, const QString& title,
                                       MessageButtons buttons, MessageIcon icon) {
  messages.push_back({text, title, buttons, icon});
  if (onMessage) onMessage(messages.back());
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  if (answers.empty()) return MessageAnswer::No;
  const MessageAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

QString FakeDesktop::askSaveFileName(const SaveFileRequest& request) {
  saveRequests.push_back(request);
  if (saveNames.empty()) return {};
  QString name = saveNames.front();
  saveNames.pop_front();
  return name;
}

bool FakeDesktop::askPrint(QPrinter& printer, int pageCount) {
  printRequests.push_back(pageCount);
  if (printFiles.empty()) return false;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(printFiles.front());
  printFiles.pop_front();
  return true;
}

void FakeDesktop::openUrl(const QString& address) { openedUrls.push_back(address); }

QStringList FakeDesktop::messageTexts() const {
  QStringList texts;
  for (const auto& m : messages) texts << m.text;
  return texts;
}

}  // namespace quillora::testing
