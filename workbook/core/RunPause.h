#pragma once
// A seam for tests of an interrupted run: they need the run stopped at a known point with all
// its temporary files in place, without guessing with a sleep.
#include <filesystem>

namespace quillora {

// When QUILLORA_PAUSE_FIFO names a FIFO, writes `folder` and a newline into it (waiting for
// a reader) and then waits, for good, for a writer to open it: the test reads the folder and
// sends the signal it wants to see handled. Without the variable this does nothing.
void PauseRunIfAsked(const std::filesystem::path& folder) noexcept;

}  // namespace quillora
