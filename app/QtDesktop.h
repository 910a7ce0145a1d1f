#pragma once

#include "app/Desktop.h"

namespace quillora {

// The real desktop: QMessageBox, QFileDialog, QPrintDialog and QDesktopServices.
class QtDesktop final : public Desktop {
 public:
  MessageAnswer showMessage(const QString& text, const QString& title, MessageButtons buttons,
                            MessageIcon icon) override;
  QString askSaveFileName(const SaveFileRequest& request) override;
  bool askPrint(QPrinter& printer, int pageCount) override;
  void openUrl(const QString& address) override;
  [[noreturn]] void endProgram() override;
};

// Message texts use CR LF and bare CR as line breaks; a message box wants "\n".
QString DisplayLineBreaks(const QString& text);

}  // namespace quillora
