#pragma once

#include <QString>

#include "app/AppContext.h"

namespace quillora {

// Runs the program: the entry window's start-up, then the event loop. A `budgetFile` (a saved
// budget workbook or an amounts file) fills the fields once the window shows. Returns the
// exit code.
int RunProgram(AppContext& context, const QString& budgetFile = QString());

}  // namespace quillora
