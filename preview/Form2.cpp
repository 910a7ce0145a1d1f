#include "preview/Form2.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <stdexcept>

#include "app/HandCursor.h"
#include "app/QuietDelete.h"
#include "app/Theme.h"
#include "app/core/ProductInfo.h"
#include "preview/PreviewInput.h"
#include "preview/Twips.h"
#include "workbook/core/FileHelpers.h"

namespace quillora {

namespace {

constexpr int kClientWidth = 9840;  // twips
constexpr int kClientHeight = 9345;
constexpr int kButtonHeight = 405;

QFont CaptionFont(double points) {
  QFont font(QStringLiteral("Arial"));
  font.setBold(true);
  font.setPointSizeF(points);
  return font;
}

std::filesystem::path FilePath(const QString& text) { return std::filesystem::path(text.toStdString()); }

}  // namespace

using preview::PixelRect;

Form2::Form2(AppContext& context, QWidget* form1, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      Frame1(new HoverFrame(QStringLiteral("Zoom:"), this)),
      PushButton1(makeButton(QStringLiteral("Zoom In"), Frame1, 240, 300, 4440)),
      PushButton2(makeButton(QStringLiteral("Zoom Out"), Frame1, 4800, 300, 4560)),
      PushButton6(makeButton(QStringLiteral("Save Results To Excel File"), this, 4920, 8850, 4800)),
      PushButton8(makeButton(QStringLiteral("< Back"), this, 120, 8850, 4680)),
      context_(context),
      form1_(form1),
      traps_(context.desktop, QStringLiteral("Form2")),
      pointer_(this),
      viewport_(this, traps_, [this] { pointer_.set(PointerShape::Default); }) {
  setObjectName(QStringLiteral("Form2"));
  setFont(CaptionFont(9));
  setFixedSize(preview::Pixels(kClientWidth), preview::Pixels(kClientHeight));
  setMouseTracking(true);
  Frame1->setGeometry(PixelRect(120, 7860, 9600, 855));
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());

  // Tab order as designed: bars, viewport, frame, zoom buttons, save, back.
  setTabOrder(viewport_.HScroll1, viewport_.VScroll1);
  setTabOrder(viewport_.VScroll1, PushButton1);
  setTabOrder(PushButton1, PushButton2);
  setTabOrder(PushButton2, PushButton6);
  setTabOrder(PushButton6, PushButton8);

  connect(PushButton1, &QPushButton::clicked, this, &Form2::PushButton1_Click);
  connect(PushButton2, &QPushButton::clicked, this, &Form2::PushButton2_Click);
  connect(PushButton6, &QPushButton::clicked, this, &Form2::PushButton6_Click);
  connect(PushButton8, &QPushButton::clicked, this, &Form2::PushButton8_Click);
  new preview::PreviewInput(this, viewport_, [this](int direction) {
    if (direction == 0) {
      PushButton1_Click();
    } else {
      PushButton2_Click();
    }
  });
  for (PushButton* button : {PushButton1, PushButton2, PushButton6, PushButton8})
    connect(button, &PushButton::mouseMoved, this, [this] { pointer_.hoverButton(); });
  // A move over a button inside the frame also reaches the frame; only its own surface counts.
  connect(Frame1, &HoverFrame::mouseMoved, this, [this](Qt::MouseButtons, Qt::KeyboardModifiers, QPointF at) {
    if (Frame1->childAt(at.toPoint()) == nullptr) pointer_.hoverBackground();
  });

  makePictureMenu();
  Form_Load();
}

PushButton* Form2::makeButton(const QString& caption, QWidget* parent, int left, int top, int width) {
  auto* button = new PushButton(caption, parent);
  button->setFont(CaptionFont(11.25));
  button->setGeometry(PixelRect(left, top, width, kButtonHeight));
  return button;
}

void Form2::Form_Load() {
  ErrorTrap trap(context_.desktop, QStringLiteral("Form2"), QStringLiteral("Form_Load"));
  trap(100, [&] { mFirstActivate = true; });
  trap(102, [&] { UseButtonFaceColour(this); });
  trap(104, [&] {
    setWindowTitle(QString::fromUtf8(kProductName));
    setWindowIcon(ApplicationIcon());
  });
  const std::filesystem::path cursorFile = context_.programFolder / "HAND-M.CUR";
  if (trap.test(108, [&] { return FileExists(cursorFile); }))
    trap(110, [&] { pointer_.setCustomCursor(LoadCursorFile(cursorFile)); });
}

void Form2::setPicture(const QImage& picture) {
  viewport_.setPicture(picture);
  mFirstActivate = true;
  if (isVisible()) activateSoonUnlessActivated();
}

void Form2::Form_Activate() {
  ErrorTrap trap(context_.desktop, QStringLiteral("Form2"), QStringLiteral("Form_Activate"));
  if (trap.test(100, [&] { return mFirstActivate; })) {
    preview::TrapSteps steps(trap);
    viewport_.model().setUp(steps);
  }
  trap(138, [&] { mFirstActivate = false; });
}

bool Form2::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  if (event->type() == QEvent::WindowActivate) Form_Activate();
  return handled;
}

void Form2::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  activateSoonUnlessActivated();
}

void Form2::activateSoonUnlessActivated() {
  if (!mFirstActivate) return;
  QTimer::singleShot(0, this, [this] {
    if (mFirstActivate && isVisible()) Form_Activate();
  });
}

void Form2::PushButton1_Click() {
  ErrorTrap trap(context_.desktop, QStringLiteral("Form2"), QStringLiteral("PushButton1_Click"));
  trap(100, [&] { viewport_.model().StepZoom(0); });
}

void Form2::PushButton2_Click() {
  ErrorTrap trap(context_.desktop, QStringLiteral("Form2"), QStringLiteral("PushButton2_Click"));
  trap(100, [&] { viewport_.model().StepZoom(1); });
}

void Form2::PushButton8_Click() {
  ErrorTrap trap(context_.desktop, QStringLiteral("Form2"), QStringLiteral("PushButton8_Click"));
  trap(102, [&] {
    DeleteFileQuietly(FilePath(mExcelFile));
    runFolder_.reset();
  });
  trap(104, [&] {
    if (form1_ == nullptr) throw std::runtime_error("The entry window is not there to go back to");
    form1_->show();
  });
  trap(106, [&] { hide(); });
}

void Form2::SetHScrollbarByPercent(std::int16_t percent) {
  viewport_.model().SetScrollbarByPercent(preview::Axis::Horizontal, percent);
}

void Form2::SetVScrollbarByPercent(std::int16_t percent) {
  viewport_.model().SetScrollbarByPercent(preview::Axis::Vertical, percent);
}

void Form2::closeEvent(QCloseEvent* event) {
  Form_QueryUnload();
  event->accept();  // the close is never cancelled
  Form_Unload();
}

void Form2::Form_QueryUnload() {
  ErrorTrap trap(context_.desktop, QStringLiteral("Form2"), QStringLiteral("Form_QueryUnload"));
  trap(100, [&] {
    DeleteFileQuietly(FilePath(mExcelFile));
    runFolder_.reset();
  });
  trap(102, [&] { QCoreApplication::processEvents(); });
  trap(104, [&] { QCoreApplication::processEvents(); });
}

void Form2::Form_Unload() { context_.desktop.endProgram(); }

// Only the window's own surface counts, not a control the move came through.
void Form2::mouseMoveEvent(QMouseEvent* event) {
  if (childAt(event->position().toPoint()) == nullptr) Form_MouseMove();
  QWidget::mouseMoveEvent(event);
}

void Form2::Form_MouseMove() { pointer_.hoverBackground(); }

}  // namespace quillora
