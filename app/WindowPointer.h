#pragma once

#include <QCursor>
#include <optional>

class QWidget;

namespace quillora {

// The window-wide mouse pointer setting: default arrow, hourglass or the custom hand.
enum class PointerShape { Default = 0, Hourglass = 11, Custom = 99 };

class WindowPointer {
 public:
  explicit WindowPointer(QWidget* window) : window_(window) {}

  void setCustomCursor(const QCursor& cursor);
  bool hasCustomCursor() const { return custom_.has_value(); }

  void set(PointerShape shape);
  PointerShape shape() const { return shape_; }

  // Over a button: the custom pointer, unless the hourglass shows.
  void hoverButton();
  // Over the background or a frame: the arrow, unless the hourglass shows.
  void hoverBackground();

 private:
  QWidget* window_;
  std::optional<QCursor> custom_;
  PointerShape shape_ = PointerShape::Default;
};

}  // namespace quillora
