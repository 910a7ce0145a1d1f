#include "app/Theme.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QRadioButton>
#include <QWidget>

#include "app/core/ApplicationTitle.h"
#include "app/core/ProductInfo.h"
#include "resources/resources.h"

namespace quillora {

QString AppTitle() { return QString::fromStdString(ApplicationTitle(kProductName)); }

QIcon ApplicationIcon() { return QIcon(QString::fromLatin1(resources::kApplicationIcon)); }

QColor ButtonFaceColour() { return QApplication::palette().color(QPalette::Button); }

void PaintBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

void UseButtonFaceColour(QWidget* window) {
  const QColor face = ButtonFaceColour();
  PaintBackground(window, face);
  for (QWidget* child : window->findChildren<QWidget*>()) {
    if (qobject_cast<QGroupBox*>(child) || qobject_cast<QLabel*>(child) ||
        qobject_cast<QRadioButton*>(child) || qobject_cast<QCheckBox*>(child))
      PaintBackground(child, face);
  }
}

}  // namespace quillora
