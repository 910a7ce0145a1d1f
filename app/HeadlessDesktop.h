#pragma once
// A desktop without a screen, for the command line and benchmarks: each message box is
// counted, handed to `onMessage` if set, and answered OK; a Save or print dialog is cancelled;
// opening a web address and ending the program do nothing.
#include <functional>

#include "app/Desktop.h"

namespace quillora {

class HeadlessDesktop final : public Desktop {
 public:
  MessageAnswer showMessage(const QString& text, const QString&, MessageButtons, MessageIcon) override {
    ++messages;
    if (onMessage) onMessage(text);
    return MessageAnswer::Ok;
  }
  QString askSaveFileName(const SaveFileRequest&) override { return {}; }
  bool askPrint(QPrinter&, int) override { return false; }
  void openUrl(const QString&) override {}
  void endProgram() override {}

  int messages = 0;
  std::function<void(const QString&)> onMessage;
};

}  // namespace quillora
