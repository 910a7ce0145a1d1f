#pragma once

#include <filesystem>
#include <functional>

#include "app/Desktop.h"
#include "app/core/Services.h"

namespace quillora {

// The seams every window and routine reaches the outside world through. The program
// wires the real ones in main(); tests wire fakes and folders of their own.
struct AppContext {
  Desktop& desktop;
  Clock& clock;
  RandomSource& random;
  // The folder that holds the program file (HAND-M.CUR and x/o.cjs live there).
  std::filesystem::path programFolder;
  // The temporary folder T; throws with a clear message when no safe folder exists.
  std::function<std::filesystem::path()> temporaryFolder;
};

}  // namespace quillora
