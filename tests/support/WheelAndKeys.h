#pragma once

#include <QPoint>
#include <QString>
#include <Qt>

class QWidget;

// Wheel and key events sent to a widget as the window system's would arrive there: through
// the application's event filters, then the widget.
namespace quillora::testing {

// A wheel turn over the widget's centre: `angle` in eighths of a degree (120 per notch,
// positive away from the user), `pixels` as a touchpad reports them (none for a wheel).
void SendWheel(QWidget* widget, QPoint angle, QPoint pixels = QPoint(),
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// A key press and release with the text it types.
void SendKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
             const QString& text = QString());

}  // namespace quillora::testing
