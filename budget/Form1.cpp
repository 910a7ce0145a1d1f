#include "budget/Form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <algorithm>

#include "app/HoverFrame.h"
#include "app/PushButton.h"
#include "budget/core/Twips.h"
#include "preview/Form2.h"
#include "resources/resources.h"

namespace quillora {
namespace {

// Window geometry in twips.
constexpr int kClientWidth = 9240;
constexpr int kClientHeight = 9435;
constexpr int kViewportBorder = 30;  // the viewport's sunken border, each side
constexpr int kPanelHeight = 34950;
constexpr int kScrollMaximum = 26600;
constexpr int kScrollSmallStep = 500;
constexpr int kScrollLargeStep = 1000;

// Row layout inside a category frame, in twips.
constexpr int kLabelLeft = 165;
constexpr int kLabelTop = 615;
constexpr int kLabelHeight = 240;
constexpr int kFieldTop = 555;
constexpr int kRowPitch = 390;
constexpr int kEstimatedLeft = 3810;
constexpr int kActualLeft = 6120;
constexpr int kFieldWidth = 2250;
constexpr int kFieldHeight = 360;

// Fonts: Arial bold 9.75 pt for labels, frames and fields; 11.25 pt for the buttons
// (13 and 15 pixels at 96 dots per inch).
QFont ArialBold(int pixels) {
  QFont font(QStringLiteral("Arial"));
  font.setBold(true);
  font.setPixelSize(pixels);
  return font;
}

// Places `widget` at a rectangle given in twips; edges are rounded, not sizes, so
// neighbours stay flush.
void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
  const int x = TwipsToPixels(left);
  const int y = TwipsToPixels(top);
  widget->setGeometry(x, y, TwipsToPixels(left + width) - x, TwipsToPixels(top + height) - y);
}

void MakeWhite(QWidget* widget) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, Qt::white);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

// Widgets that must not pass mouse moves on to the frame or window behind them.
void KeepMouseMoves(QWidget* widget) { widget->setAttribute(Qt::WA_NoMousePropagation); }

}  // namespace

Form1::Form1(AppContext& context, engine::NumberLocale locale, QWidget* parent)
    : QWidget(parent),
      templateBytes(resources::TemplateBytes),
      context_(context),
      locale_(std::move(locale)),
      excel_(EmbeddedSpreadsheet(locale_)),
      pointer_(this) {
  setObjectName(QStringLiteral("Form1"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
  setFont(ArialBold(13));
  MakeWhite(this);
  setMouseTracking(true);

  buildButtons();
  buildPanel();

  // The design's keyboard order: the focus holder, the "Apparel" fields, the scroll bar
  // and the buttons; the other categories follow until start-up orders them.
  tabOrder_.push_back(Command1);
  tabOrder_.insert(tabOrder_.end(), fields_[0].begin(), fields_[0].end());
  tabOrder_.insert(tabOrder_.end(), {VScroll1, PushButton22, PushButton6, PushButton7});
  for (int c = 1; c < kCategoryCount; ++c) {
    tabOrder_.insert(tabOrder_.end(), fields_[static_cast<std::size_t>(c)].begin(),
                     fields_[static_cast<std::size_t>(c)].end());
  }
  applyTabOrder();
  Command1->setFocus(Qt::OtherFocusReason);

  qApp->installEventFilter(this);
}

Form1::~Form1() { qApp->removeEventFilter(this); }

void Form1::buildButtons() {
  const auto makeButton = [this](const char* name, const char* caption, int left, int top,
                                 int width) {
    auto* button = new PushButton(QString::fromUtf8(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(ArialBold(15));
    PlaceTwips(button, left, top, width, 405);
    KeepMouseMoves(button);
    connect(button, &PushButton::mouseMoved, this, [this] { pointer_.hoverButton(); });
    return button;
  };
  PushButton22 = makeButton("PushButton22", "Start Creating Template", 120, 120, 9000);
  PushButton6 = makeButton("PushButton6", "Help", 120, 630, 4440);
  PushButton7 = makeButton("PushButton7", "Load Sample/Example Data", 4680, 630, 4440);
  connect(PushButton22, &QPushButton::clicked, this, [this] { PushButton22_Click(); });
  connect(PushButton6, &QPushButton::clicked, this, [this] { PushButton6_Click(); });
  connect(PushButton7, &QPushButton::clicked, this, [this] { PushButton7_Click(); });

  // The invisible focus holder, outside the client area; it has no action.
  Command1 = new QPushButton(QStringLiteral("Command1"), this);
  Command1->setObjectName(QStringLiteral("Command1"));
  PlaceTwips(Command1, -780, 2565, 615, 495);
}

void Form1::buildPanel() {
  Picture2 = new QFrame(this);
  Picture2->setObjectName(QStringLiteral("Picture2"));
  Picture2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Picture2->setLineWidth(2);
  Picture2->setProperty(kPictureBoxProperty, true);
  MakeWhite(Picture2);
  KeepMouseMoves(Picture2);
  PlaceTwips(Picture2, 120, 1170, 9000, 8160);

  // The viewport's inner area: children are placed and clipped inside the border.
  viewportClient_ = new QWidget(Picture2);
  KeepMouseMoves(viewportClient_);
  PlaceTwips(viewportClient_, kViewportBorder, kViewportBorder, 9000 - 2 * kViewportBorder,
             8160 - 2 * kViewportBorder);

  VScroll1 = new QScrollBar(Qt::Vertical, viewportClient_);
  VScroll1->setObjectName(QStringLiteral("VScroll1"));
  VScroll1->setRange(0, kScrollMaximum);
  VScroll1->setSingleStep(kScrollSmallStep);
  VScroll1->setPageStep(kScrollLargeStep);
  VScroll1->setFocusPolicy(Qt::StrongFocus);
  KeepMouseMoves(VScroll1);
  PlaceTwips(VScroll1, 8640, 0, 300, 8100);
  connect(VScroll1, &QScrollBar::valueChanged, this, [this] { VScroll1_Change(); });
  connect(VScroll1, &QScrollBar::sliderMoved, this, [this] { VScroll1_Scroll(); });

  Picture1 = new QWidget(viewportClient_);
  Picture1->setObjectName(QStringLiteral("Picture1"));
  Picture1->setProperty(kPictureBoxProperty, true);
  MakeWhite(Picture1);
  KeepMouseMoves(Picture1);
  PlaceTwips(Picture1, 15, 0, 8625, kPanelHeight);

  for (const BudgetCategory& category : BudgetCategories()) buildCategory(category);
}

void Form1::buildCategory(const BudgetCategory& category) {
  const auto position = static_cast<std::size_t>(category.position);
  auto* frame = new HoverFrame(QString::fromUtf8(category.caption.data(),
                                                 static_cast<qsizetype>(category.caption.size())),
                               Picture1);
  frame->setObjectName(QStringLiteral("Frame1_%1").arg(category.position));
  MakeWhite(frame);
  PlaceTwips(frame, 15, category.frameTop, 8550, category.frameHeight);
  KeepMouseMoves(frame);
  connect(frame, &HoverFrame::mouseMoved, this, [this] { pointer_.hoverBackground(); });
  Frame1[position] = frame;

  const auto addLabel = [frame](const QString& text, int left, int top, int width,
                                Qt::Alignment alignment) {
    auto* label = new QLabel(text, frame);
    label->setAlignment(alignment | Qt::AlignVCenter);
    KeepMouseMoves(label);
    PlaceTwips(label, left, top, width, kLabelHeight);
    return label;
  };
  // Headings are centred over their columns; widened when the font needs more room.
  addLabel(QStringLiteral("Estimated"), kEstimatedLeft, 240, kFieldWidth, Qt::AlignHCenter);
  addLabel(QStringLiteral("Actual"), kActualLeft, 240, kFieldWidth, Qt::AlignHCenter);

  std::vector<QLineEdit*>& fields = fields_[position];
  for (int k = 0; k < category.itemCount(); ++k) {
    const std::string_view label = category.items[static_cast<std::size_t>(k)];
    addLabel(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())), kLabelLeft,
             kLabelTop + kRowPitch * k, kEstimatedLeft - kLabelLeft - 45, Qt::AlignLeft);
    for (const int left : {kEstimatedLeft, kActualLeft}) {
      auto* box = new QLineEdit(QStringLiteral("0"), frame);
      box->setObjectName(QStringLiteral("%1_%2")
                             .arg(QString::fromUtf8(category.fieldArray.data(),
                                                    static_cast<qsizetype>(category.fieldArray.size())))
                             .arg(fields.size()));
      box->setFocusPolicy(Qt::StrongFocus);
      MakeWhite(box);
      KeepMouseMoves(box);
      PlaceTwips(box, left, kFieldTop + kRowPitch * k, kFieldWidth, kFieldHeight);
      fields.push_back(box);
    }
  }
}

QLineEdit* Form1::field(int category, int index) const {
  return fields_.at(static_cast<std::size_t>(category)).at(static_cast<std::size_t>(index));
}

std::optional<FieldAddress> Form1::addressOf(const QObject* widget) const {
  for (int c = 0; c < kCategoryCount; ++c) {
    const auto& fields = fields_[static_cast<std::size_t>(c)];
    const auto it = std::find(fields.begin(), fields.end(), widget);
    if (it != fields.end()) return FieldAddress{c, static_cast<int>(it - fields.begin())};
  }
  return std::nullopt;
}

void Form1::setPanelTop(int twips) {
  panelTop_ = twips;
  Picture1->move(Picture1->x(), TwipsToPixels(twips));
}

void Form1::VScroll1_Change() { setPanelTop(-VScroll1->value()); }
void Form1::VScroll1_Scroll() { setPanelTop(-VScroll1->sliderPosition()); }
void Form1::VScroll1_GotFocus() { PushButton22->setFocus(Qt::OtherFocusReason); }

void Form1::setTabIndex(QWidget* control, int position) {
  tabOrder_.erase(std::remove(tabOrder_.begin(), tabOrder_.end(), control), tabOrder_.end());
  const auto at = std::min(static_cast<std::size_t>(std::max(position, 0)), tabOrder_.size());
  tabOrder_.insert(tabOrder_.begin() + static_cast<std::ptrdiff_t>(at), control);
}

void Form1::applyTabOrder() {
  for (std::size_t i = 0; i + 1 < tabOrder_.size(); ++i) {
    QWidget::setTabOrder(tabOrder_[i], tabOrder_[i + 1]);
  }
}

void Form1::mouseMoveEvent(QMouseEvent* event) {
  pointer_.hoverBackground();
  QWidget::mouseMoveEvent(event);
}

void Form1::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void Form1::Form_Unload() { context_.desktop.endProgram(); }

}  // namespace quillora
