#pragma once

#include <QPoint>
#include <QString>
#include <Qt>

class QWidget;

// Input that takes the same path as the window system's: spontaneous key and mouse events
// delivered to the window, so focus changes on click and Tab happen as for a user.
namespace quillora::testing {

// Shows the window and waits until it is the active window.
void ShowAndActivate(QWidget* window);
void PressKey(QWidget* window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Types `text` (letters and digits) into whatever the window's keyboard input reaches.
void TypeText(QWidget* window, const QString& text);
// Presses and releases the left button at `pos` in `widget` (its centre by default).
void Click(QWidget* widget, QPoint pos = QPoint(-1, -1));
// Moves the mouse, no button held, to `pos` in `widget` (its centre by default).
void MoveMouseOver(QWidget* widget, QPoint pos = QPoint(-1, -1));
// Lets queued work run (the select-all after focus).
void Settle();

}  // namespace quillora::testing
