#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include "app/StartupTiming.h"

namespace quillora {
namespace {

// A child that records when its paint event has completed.
class PaintRecorder final : public QLabel {
 public:
  using QLabel::QLabel;
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QLabel::paintEvent(event);
    ++paints;
  }
};

// Runs the event loop until `done` holds or five seconds have passed.
bool ProcessEventsUntil(const std::function<bool()>& done) {
  QDeadlineTimer deadline(5000);
  while (!done() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  return done();
}

TEST(WhenFirstPainted, CallsOnceAfterTheWindowsFirstFrameIsPainted) {
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* child = new PaintRecorder("amount");
  child->setAutoFillBackground(true);  // opaque: the window itself may get no paint event
  layout->addWidget(child);
  int calls = 0, paintsAtCall = -1;
  WhenFirstPainted(window, [&] {
    ++calls;
    paintsAtCall = child->paints;
  });
  QWidget other;  // painting another window does not count
  other.show();
  window.show();
  ASSERT_TRUE(ProcessEventsUntil([&] { return calls > 0; }));
  EXPECT_GE(paintsAtCall, 1);  // the whole pass was painted before the call
  child->setText("changed");
  ASSERT_TRUE(ProcessEventsUntil([&] { return child->paints > paintsAtCall; }));
  QCoreApplication::processEvents();
  EXPECT_EQ(calls, 1);
}

TEST(WhenFirstPainted, IgnoresOtherWindowsAndGoesWithItsWindow) {
  int calls = 0;
  {
    QWidget window;
    WhenFirstPainted(window, [&] { ++calls; });
    PaintRecorder other("other");
    other.show();
    ASSERT_TRUE(ProcessEventsUntil([&] { return other.paints > 0; }));
    QCoreApplication::processEvents();
  }  // never shown; the watcher goes with the window, its application event filter too
  PaintRecorder later("later");
  later.show();
  ASSERT_TRUE(ProcessEventsUntil([&] { return later.paints > 0; }));
  QCoreApplication::processEvents();
  EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace quillora
