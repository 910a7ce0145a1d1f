#pragma once

#include <functional>

#include "app/Desktop.h"

namespace quillora {

// The start-up check that a spreadsheet instance can be started; the last step of the
// entry window's start-up. `startInstance` starts one and lets it go again, throwing when it
// cannot. Any failure of it leads to the one explanatory message (OK, no icon, the
// application's title), and then the program ends. Never reports through the error trap.
void RunSpreadsheetEngineCheck(Desktop& desktop, const std::function<void()>& startInstance);

// The message shown when no instance can be started: five paragraphs, an empty line
// between each two.
QString EngineCheckMessage();

}  // namespace quillora
