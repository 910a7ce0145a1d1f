#pragma once

#include "app/AppContext.h"

namespace quillora {

// Runs the program: the entry window's start-up, then the event loop. Returns the exit code.
int RunProgram(AppContext& context);

}  // namespace quillora
