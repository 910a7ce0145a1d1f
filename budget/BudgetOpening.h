#pragma once

#include <QObject>
#include <QString>

#include "app/Desktop.h"
#include "spreadsheet/numbers/NumberLocale.h"

namespace quillora {

class Form1;

// Takes a saved budget (a budget workbook Quillora wrote, or an amounts file) into the entry
// window: the file named on the command line once start-up is through, and a file dropped
// anywhere on the window. The fields then hold the amounts as if each had been typed and
// accepted. Nothing else of the window changes.
class BudgetOpening : public QObject {
 public:
  BudgetOpening(Form1& form, Desktop& desktop, engine::NumberLocale locale);
  ~BudgetOpening() override;

  // Fills the fields from the file at `path`. When any field holds an amount other than zero
  // it first asks "Replace the amounts in the window with those of FILE?"; "No" leaves them.
  // A file that cannot be read is reported in a message naming the file and the reason, and
  // the fields stay as they were. True when the fields were filled.
  bool open(const QString& path);

 protected:
  // Drags of local files aimed at the window or any of its controls are taken here, before
  // a field could take the file's name as text.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool anyAmountSet() const;

  Form1& form_;
  Desktop& desktop_;
  engine::NumberLocale locale_;
};

}  // namespace quillora
