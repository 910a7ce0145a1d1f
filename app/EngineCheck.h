#pragma once

#include "app/AppContext.h"

namespace quillora {

// The start-up check that the spreadsheet engine can be started; the last step of the
// entry window's start-up. It ends the program with its message when the engine cannot
// run. Not wired to the engine yet: it returns at once.
void RunSpreadsheetEngineCheck(AppContext& context);

}  // namespace quillora
