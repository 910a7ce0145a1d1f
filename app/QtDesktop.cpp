#include "app/QtDesktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

namespace quillora {

QString DisplayLineBreaks(const QString& text) {
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

MessageAnswer QtDesktop::showMessage(const QString& text, const QString& title,
                                     MessageButtons buttons, MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                  title, DisplayLineBreaks(text),
                  buttons == MessageButtons::YesNo ? (QMessageBox::Yes | QMessageBox::No)
                                                   : QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  const int chosen = box.exec();
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return chosen == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

QString QtDesktop::askSaveFileName(const SaveFileRequest& request) {
  QFileDialog dialog(QApplication::activeWindow(), request.title);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog.setNameFilter(request.filter);
  dialog.selectFile(request.initialName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

bool QtDesktop::askPrint(QPrinter& printer, int pageCount) {
  QPrintDialog dialog(&printer, QApplication::activeWindow());
  dialog.setMinMax(1, pageCount);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  return dialog.exec() == QDialog::Accepted;
}

void QtDesktop::openUrl(const QString& address) {
  QDesktopServices::openUrl(QUrl(address));
}

void QtDesktop::endProgram() {
  // Ends at once, as closing the last window of the original design did: no window's
  // close handler runs on the way out and nothing is deleted.
  std::fflush(nullptr);
  std::_Exit(0);
}

}  // namespace quillora
