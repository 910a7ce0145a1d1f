#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/AppContext.h"
#include "app/Skin.h"
#include "app/WindowPointer.h"
#include "budget/core/Budget.h"
#include "budget/core/BudgetTexts.h"
#include "spreadsheet/numbers/NumberLocale.h"
#include "workbook/ExcelSession.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QWheelEvent;

namespace quillora {

class Form2;
class HoverFrame;
class PushButton;

// The named handlers of the ten field arrays, each a thin entry point into the one
// implementation shared by all arrays.
#define QUILLORA_FIELD_ARRAYS(X)                                                        \
  X(Apparel, 0) X(Decorations, 1) X(Gifts, 2) X(Flowers, 3) X(Music, 4) X(Photography, 5) \
  X(Reception, 6) X(Stationery, 7) X(Transportation, 8) X(Others, 9)

// The budget entry window: three buttons over a scrolling panel of ten category frames
// with 142 amount fields, all built from the budget table.
class Form1 : public QWidget {
  Q_OBJECT
 public:
  Form1(AppContext& context, engine::NumberLocale locale, QWidget* parent = nullptr);
  ~Form1() override;

  // Start-up: caption, icon, title, skin, home-page visit, hand cursor, panel position,
  // tab order, formatting of every field, engine check. Runs while the window is hidden.
  void Form_Load();

  void PushButton22_Click();  // "Start Creating Template": the generation run
  void PushButton6_Click();   // "Help"
  void PushButton7_Click();   // "Load Sample/Example Data"
  void VScroll1_Change();
  void VScroll1_Scroll();
  void VScroll1_GotFocus();

  // Focus and validation of the amount fields, shared by every field array. The window calls
  // each array's own handlers (txtApparel_GotFocus, txtApparel_Validate, ...), which pass on
  // their category's position.
  void FieldGotFocus(int category, int index);
  void FieldValidate(int category, int index, bool& cancel);

#define QUILLORA_DECLARE_FIELD_HANDLERS(name, position)                                   \
  void txt##name##_GotFocus(int index) { FieldGotFocus(position, index); }               \
  void txt##name##_Validate(int index, bool& cancel) { FieldValidate(position, index, cancel); }
  QUILLORA_FIELD_ARRAYS(QUILLORA_DECLARE_FIELD_HANDLERS)
#undef QUILLORA_DECLARE_FIELD_HANDLERS

  QLineEdit* field(int category, int index) const;
  // The field a widget is, if it is one.
  std::optional<FieldAddress> addressOf(const QObject* widget) const;
  WindowPointer& pointer() { return pointer_; }
  // The 142 field texts as they stand.
  BudgetTexts fieldTexts() const;
  // The spreadsheet instances the generation run and the start-up check start; tests give
  // it a starter of their own.
  ExcelSession& excel() { return excel_; }
  // The embedded template, read by the start-up check and by every generation run.
  std::function<std::vector<std::uint8_t>()> templateBytes;
  // The preview window, created and loaded on first use.
  Form2& previewWindow();
  bool hasPreviewWindow() const { return form2_ != nullptr; }

  // The panel's top edge inside the viewport, in twips (0 or negative).
  int panelTopTwips() const { return panelTop_; }
  // The controls in keyboard order, position 0 first.
  const std::vector<QWidget*>& tabOrder() const { return tabOrder_; }

  // Controls under their design names.
  PushButton* PushButton22 = nullptr;
  PushButton* PushButton6 = nullptr;
  PushButton* PushButton7 = nullptr;
  QPushButton* Command1 = nullptr;
  QFrame* Picture2 = nullptr;   // the viewport, with a sunken border
  QWidget* Picture1 = nullptr;  // the scrolling panel
  QScrollBar* VScroll1 = nullptr;
  std::array<HoverFrame*, kCategoryCount> Frame1{};
  SkinFramework SkinFramework1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildButtons();
  void buildPanel();
  void buildCategory(const BudgetCategory& category);
  void Form_Unload();
  void setPanelTop(int twips);
  // Moves `control` to keyboard position `position`, shifting the others, as setting a
  // control's tab index does; applyTabOrder() makes the list the focus chain.
  void setTabIndex(QWidget* control, int position);
  void applyTabOrder();
  bool validateBeforeFocusLeaves(QWidget* target);
  void focusEntered(QWidget* widget);
  bool wheelOverPanel(QWidget* widget, QWheelEvent* event);

  AppContext& context_;
  engine::NumberLocale locale_;
  ExcelSession excel_;
  std::unique_ptr<Form2> form2_;
  WindowPointer pointer_;
  QWidget* viewportClient_ = nullptr;
  std::array<std::vector<QLineEdit*>, kCategoryCount> fields_;
  std::vector<QWidget*> tabOrder_;
  int panelTop_ = 0;
  // The control whose focus handlers ran last: the window's focus widget once they have.
  QWidget* entered_ = nullptr;
};

}  // namespace quillora
