#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

class QWidget;

namespace quillora {

// The title every message box without a title of its own shows.
QString AppTitle();

// The program's own icon, shown by both windows.
QIcon ApplicationIcon();

// The desktop's colour for the face of buttons; follows the user's colour scheme.
QColor ButtonFaceColour();

// Gives `widget` a solid background of `colour`.
void PaintBackground(QWidget* widget, const QColor& colour);

// The window's background and every frame, label, option button and check box in it take
// the button-face colour; fields, buttons, scroll bars and picture boxes keep theirs.
void UseButtonFaceColour(QWidget* window);

}  // namespace quillora
