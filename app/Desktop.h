#pragma once

#include <QString>

class QPrinter;

namespace quillora {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Warning };
enum class MessageAnswer { Ok, Yes, No };

struct SaveFileRequest {
  QString title;
  QString filter;       // one "Name (*.ext)" entry per filter
  QString initialName;  // file name the dialog starts with
};

// Everything that leaves the program's own windows: modal message boxes, the Save
// dialog, opening a web address and ending the program. Tests use a recording fake.
class Desktop {
 public:
  virtual ~Desktop() = default;
  // Shows a modal message box and returns the button the user chose.
  virtual MessageAnswer showMessage(const QString& text, const QString& title,
                                    MessageButtons buttons, MessageIcon icon) = 0;
  // Shows the Save dialog; returns the chosen path, or an empty text when cancelled.
  virtual QString askSaveFileName(const SaveFileRequest& request) = 0;
  // Shows the print dialog for a printout of `pageCount` pages on `printer`; true when the
  // user chose to print (the printer then holds the choices), false when cancelled.
  virtual bool askPrint(QPrinter& printer, int pageCount) = 0;
  // Opens a web address in the user's browser without waiting.
  virtual void openUrl(const QString& address) = 0;
  // Ends the process at once: no further event handler runs and nothing is saved.
  virtual void endProgram() = 0;
};

}  // namespace quillora
