#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "app/Desktop.h"

namespace quillora::testing {

// A Desktop that records every call and answers from a script; it never blocks and never
// ends the test process.
class FakeDesktop final : public Desktop {
 public:
  struct Message {
    QString text;
    QString title;
    MessageButtons buttons;
    MessageIcon icon;
  };

  MessageAnswer showMessage(const QString& text, const QString& title, MessageButtons buttons,
                            MessageIcon icon) override;
  QString askSaveFileName(const SaveFileRequest& request) override;
  // Answers with the next of printFiles: the printer then prints to that PDF file.
  bool askPrint(QPrinter& printer, int pageCount) override;
  void openUrl(const QString& address) override;
  void endProgram() override { ++endCount; }

  // Recorded calls.
  std::vector<Message> messages;
  std::vector<SaveFileRequest> saveRequests;
  std::vector<QString> openedUrls;
  std::vector<int> printRequests;  // the page count of each print dialog
  int endCount = 0;

  // Scripted answers, used in order; a Yes/No question without one is answered No,
  // a Save dialog without one is cancelled.
  std::deque<MessageAnswer> answers;
  std::deque<QString> saveNames;
  std::deque<QString> printFiles;  // a print dialog without one is cancelled
  // Runs while a message is "shown", e.g. to look at focus at that moment.
  std::function<void(const Message&)> onMessage;

  QStringList messageTexts() const;
};

}  // namespace quillora::testing
