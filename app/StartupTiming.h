#pragma once
// Ends the program at a mark of its start-up, so a timing run measures start-up alone.
#include <functional>

class QWidget;

namespace quillora {

// Calls `done` once, when `window`'s first frame is on screen: after the first paint event of
// the top-level window (and so of its children, painted in the same pass) has completed and
// the frame has been handed to the window system; on X11 the server has processed it.
// Call it before showing the window.
void WhenFirstPainted(QWidget& window, std::function<void()> done);

// With QUILLORA_EXIT_WHEN_PAINTED set, ends the process with exit code 0 as soon as
// `window`'s first frame is on screen, in whatever event loop runs then (a message box's
// too). Call it before showing the window.
void ExitWhenFirstPaintedIfAsked(QWidget& window);

}  // namespace quillora
