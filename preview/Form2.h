#pragma once

#include <QImage>
#include <QMenu>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "app/AppContext.h"
#include "app/HoverFrame.h"
#include "app/PushButton.h"
#include "app/WindowPointer.h"
#include "preview/FormTraps.h"
#include "preview/PreviewViewport.h"
#include "spreadsheet/base/RunFolder.h"

namespace quillora {

// The preview window: the sheet's picture in a zoomable, draggable viewport, "Save Results
// To Excel File", and "< Back" to the entry window. Closing it ends the program.
//
// The generation run hands over each new picture with setPicture, sets mExcelFile, shows
// this window and hides the entry window. Every new picture is shown whole at 100 % from
// its top-left corner: setPicture arms the viewport set-up again, and it runs when the
// window next becomes active (or right after it is shown, where nothing activates it).
class Form2 : public QWidget {
  Q_OBJECT
 public:
  // `form1` is the entry window that "< Back" shows again. Runs Form_Load.
  Form2(AppContext& context, QWidget* form1, QWidget* parent = nullptr);

  // Assigns the captured sheet picture to the image box and arms the viewport set-up.
  void setPicture(const QImage& picture);

  void SetHScrollbarByPercent(std::int16_t percent);
  void SetVScrollbarByPercent(std::int16_t percent);

  // Full path of the generated workbook in the temporary folder; deleted on "< Back"
  // and on close.
  QString mExcelFile;
  // The run folder that holds mExcelFile; removed with it on "< Back" and on close.
  void keepRunFolder(std::shared_ptr<base::RunFolder> folder) { runFolder_ = std::move(folder); }

  // True from load (and from each new picture) until the set-up has run.
  bool firstActivatePending() const { return mFirstActivate; }
  const WindowPointer& pointer() const { return pointer_; }
  WindowPointer& pointer() { return pointer_; }
  preview::PreviewViewport& viewport() { return viewport_; }

  // The picture's context menu: "Print…", "Export PDF…" and "Copy Picture" (Form2Print.cpp).
  QMenu* pictureMenu() const { return pictureMenu_; }

  HoverFrame* const Frame1;
  PushButton* const PushButton1;  // "Zoom In"
  PushButton* const PushButton2;  // "Zoom Out"
  PushButton* const PushButton6;  // "Save Results To Excel File"
  PushButton* const PushButton8;  // "< Back"

 public slots:
  void PushButton1_Click();
  void PushButton2_Click();
  // Saves a copy of the generated workbook under a name the user picks (Form2Save.cpp).
  void PushButton6_Click();
  void PushButton8_Click();
  // The picture's menu: the generated workbook's pages, as its page setup lays them out, to
  // a printer or a PDF file; the picture to the clipboard.
  void mnuPrint_Click();
  void mnuExportPdf_Click();
  void mnuCopyPicture_Click();

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void Form_Load();
  void Form_Activate();
  void Form_QueryUnload();
  void Form_Unload();
  void Form_MouseMove();
  // Where no window manager activates the window, the first show counts as activation.
  void activateSoonUnlessActivated();
  void makePictureMenu();
  PushButton* makeButton(const QString& caption, QWidget* parent, int left, int top, int width);

  AppContext& context_;
  QWidget* const form1_;
  preview::FormTraps traps_;
  WindowPointer pointer_;
  preview::PreviewViewport viewport_;
  bool mFirstActivate = true;
  std::shared_ptr<base::RunFolder> runFolder_;
  QMenu* pictureMenu_ = nullptr;
};

}  // namespace quillora
