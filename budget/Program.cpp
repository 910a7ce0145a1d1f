#include "budget/Program.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "app/RegionalSettings.h"
#include "app/StartupTiming.h"
#include "budget/BudgetOpening.h"
#include "budget/Form1.h"

namespace quillora {

int RunProgram(AppContext& context, const QString& budgetFile) {
  const engine::NumberLocale locale = SystemNumberLocale();
  Form1 form(context, locale);
  form.Form_Load();
  // Ending the program during start-up (the engine check) never returns here, so the
  // window shows only when start-up has gone through.
  if (const QScreen* screen = form.screen()) {
    form.move(screen->availableGeometry().center() - form.rect().center());
  }
  // For timing start-up: end once the entry window's first frame is on screen.
  ExitWhenFirstPaintedIfAsked(form);
  form.show();
  BudgetOpening opening(form, context.desktop, locale);
  if (!budgetFile.isEmpty()) opening.open(budgetFile);
  // For timing start-up: end as soon as the entry window has been shown.
  if (qEnvironmentVariableIsSet("QUILLORA_EXIT_WHEN_SHOWN")) QTimer::singleShot(0, qApp, &QCoreApplication::quit);
  return QApplication::exec();
}

}  // namespace quillora
