#include "app/StartupTiming.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace quillora {
namespace {

// Watches every widget's events for the first paint in the window; lives as its child.
// The window itself may get no paint event of its own when opaque children cover it, so
// any paint event of a widget in it counts: all of them are painted in the same pass.
class FirstPaintWatcher final : public QObject {
 public:
  FirstPaintWatcher(QWidget& window, std::function<void()> done)
      : QObject(&window), window_(&window), done_(std::move(done)) {
    QCoreApplication::instance()->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_ && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == window_) {
      seen_ = true;
      QCoreApplication::instance()->removeEventFilter(this);
      // The filter runs before the paint; the frame is painted and flushed within the same
      // pass, so a zero timer fires once both are done. sync() waits until the window
      // system has processed the flush (a round trip on X11, nothing offscreen).
      QTimer::singleShot(0, this, [this] {
        QGuiApplication::sync();
        const std::function<void()> done = std::move(done_);
        deleteLater();
        done();
      });
    }
    return false;
  }

 private:
  QWidget* window_;
  std::function<void()> done_;
  bool seen_ = false;
};

}  // namespace

void WhenFirstPainted(QWidget& window, std::function<void()> done) { new FirstPaintWatcher(window, std::move(done)); }

void ExitWhenFirstPaintedIfAsked(QWidget& window) {
  if (!qEnvironmentVariableIsSet("QUILLORA_EXIT_WHEN_PAINTED")) return;
  // Quitting the event loop would be lost in a message box's loop before the main one
  // runs; nothing is left to clean up at this point of start-up.
  WhenFirstPainted(window, [] {
    std::fflush(nullptr);
    std::_Exit(0);
  });
}

}  // namespace quillora
