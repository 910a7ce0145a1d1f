#include "tests/budget/WindowInput.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>
#include <stdexcept>

// Entry points of QtGui that deliver input as the window system does (the Qt test
// library uses the same two).
Q_GUI_EXPORT void qt_handleKeyEvent(QWindow* w, QEvent::Type t, int k, Qt::KeyboardModifiers mods,
                                    const QString& text = QString(), bool autorep = false,
                                    ushort count = 1);
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button,
                                      QEvent::Type type, Qt::KeyboardModifiers mods, int timestamp);

namespace quillora::testing {
namespace {

int g_timestamp = 1000;

QWindow* WindowOf(QWidget* widget) {
  QWindow* handle = widget->window()->windowHandle();
  if (handle == nullptr) throw std::logic_error("the window is not shown");
  return handle;
}

void Mouse(QWidget* widget, QPoint pos, Qt::MouseButtons state, Qt::MouseButton button,
           QEvent::Type type) {
  if (pos == QPoint(-1, -1)) pos = widget->rect().center();
  const QPoint inWindow = widget->mapTo(widget->window(), pos);
  const QPoint global = widget->mapToGlobal(pos);
  g_timestamp += 500;  // far enough apart never to count as a double click
  qt_handleMouseEvent(WindowOf(widget), inWindow, global, state, button, type, Qt::NoModifier,
                      g_timestamp);
}

}  // namespace

void Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

void ShowAndActivate(QWidget* window) {
  window->show();
  window->activateWindow();
  QElapsedTimer timer;
  timer.start();
  while (QApplication::activeWindow() != window && timer.elapsed() < 3000) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  if (QApplication::activeWindow() != window) throw std::runtime_error("window not activated");
  Settle();
}

void PressKey(QWidget* window, int key, Qt::KeyboardModifiers modifiers) {
  const QString text = key == Qt::Key_Tab ? QStringLiteral("\t") : QString();
  qt_handleKeyEvent(WindowOf(window), QEvent::KeyPress, key, modifiers, text);
  qt_handleKeyEvent(WindowOf(window), QEvent::KeyRelease, key, modifiers, text);
  Settle();
}

void TypeText(QWidget* window, const QString& text) {
  for (const QChar c : text) {
    const int key = c.toUpper().unicode();  // Qt's key codes of letters and digits
    qt_handleKeyEvent(WindowOf(window), QEvent::KeyPress, key, Qt::NoModifier, QString(c));
    qt_handleKeyEvent(WindowOf(window), QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
  }
  Settle();
}

void Click(QWidget* widget, QPoint pos) {
  Mouse(widget, pos, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
  Mouse(widget, pos, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
  Settle();
}

void MoveMouseOver(QWidget* widget, QPoint pos) {
  Mouse(widget, pos, Qt::NoButton, Qt::NoButton, QEvent::MouseMove);
  Settle();
}

}  // namespace quillora::testing
