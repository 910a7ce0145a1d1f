#include "budget/BudgetOpening.h"

#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <exception>
#include <optional>

#include "app/Theme.h"
#include "budget/Form1.h"
#include "spreadsheet/numbers/Amount.h"
#include "workbook/core/BudgetFile.h"

namespace quillora {
namespace {

// The first local file a drag carries, if any.
std::optional<QString> DraggedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return std::nullopt;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) return url.toLocalFile();
  return std::nullopt;
}

}  // namespace

BudgetOpening::BudgetOpening(Form1& form, Desktop& desktop, engine::NumberLocale locale)
    : form_(form), desktop_(desktop), locale_(std::move(locale)) {
  form_.setAcceptDrops(true);
  qApp->installEventFilter(this);
}

BudgetOpening::~BudgetOpening() { qApp->removeEventFilter(this); }

bool BudgetOpening::anyAmountSet() const {
  for (const BudgetCategory& category : BudgetCategories())
    for (int index = 0; index < category.fieldCount(); ++index) {
      const std::optional<double> amount =
          engine::ParseAmount(form_.field(category.position, index)->text().toStdString(), locale_);
      // Text that is no amount (half typed) counts as set: it is the user's.
      if (!amount || engine::RoundToCents(*amount) != 0) return true;
    }
  return false;
}

bool BudgetOpening::open(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  BudgetTexts texts;
  try {
    texts = AcceptedTexts(ReadBudgetFile(path.toStdString(), name.toStdString(), locale_), locale_);
  } catch (const std::exception& e) {
    desktop_.showMessage(QString::fromStdString(e.what()), AppTitle(), MessageButtons::Ok, MessageIcon::Warning);
    return false;
  }
  if (anyAmountSet() &&
      desktop_.showMessage(QStringLiteral("Replace the amounts in the window with those of %1?").arg(name),
                           AppTitle(), MessageButtons::YesNo, MessageIcon::None) != MessageAnswer::Yes)
    return false;
  for (const BudgetCategory& category : BudgetCategories())
    for (int index = 0; index < category.fieldCount(); ++index)
      form_.field(category.position, index)->setText(QString::fromStdString(texts[{category.position, index}]));
  return true;
}

bool BudgetOpening::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || (widget != &form_ && !form_.isAncestorOf(widget))) return false;
  auto* drop = static_cast<QDropEvent*>(event);
  const std::optional<QString> file = DraggedFile(drop->mimeData());
  if (!file) return false;
  drop->setDropAction(Qt::CopyAction);
  drop->accept();
  // Opened once the drop is over: a message box inside the drop would hold up the program
  // the file came from.
  if (type == QEvent::Drop)
    QMetaObject::invokeMethod(this, [this, path = *file] { open(path); }, Qt::QueuedConnection);
  return true;
}

}  // namespace quillora
