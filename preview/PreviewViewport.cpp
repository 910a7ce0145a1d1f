#include "preview/PreviewViewport.h"

#include <QPainter>
#include <stdexcept>
#include <string>

#include "app/Theme.h"
#include "preview/Twips.h"

namespace quillora::preview {

namespace {

QFrame* MakeFrame(QWidget* window) {
  auto* frame = new QFrame(window);
  frame->setObjectName("Picture2");
  frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  frame->setLineWidth(2);  // inner size = outer size - 60 twips on each axis
  frame->setGeometry(PixelRect(kViewportDesign));
  PaintBackground(frame, Qt::white);
  return frame;
}

QWidget* MakeInnerArea(QFrame* frame) {
  auto* inner = new QWidget(frame);
  inner->setGeometry(frame->contentsRect());
  return inner;
}

PictureBox* MakePictureBox(QWidget* parent, const char* name, const Box& design) {
  auto* box = new PictureBox(parent);
  box->setObjectName(name);
  box->setGeometry(PixelRect(design));
  return box;
}

QScrollBar* MakeBar(QWidget* window, Qt::Orientation orientation, const char* name, const Box& design) {
  auto* bar = new QScrollBar(orientation, window);
  bar->setObjectName(name);
  bar->setGeometry(PixelRect(design));
  return bar;
}

}  // namespace

PreviewViewport::PreviewViewport(QWidget* window, RoutineTraps& traps,
                                 std::function<void()> pointerToDefault)
    : Picture2(MakeFrame(window)),
      Picture1(MakePictureBox(MakeInnerArea(Picture2), "Picture1", kImageBoxDesign)),
      Zoom_Ori(MakePictureBox(window, "Zoom_Ori", kHolderDesign)),
      HScroll1(MakeBar(window, Qt::Horizontal, "HScroll1", kHScrollDesign)),
      VScroll1(MakeBar(window, Qt::Vertical, "VScroll1", kVScrollDesign)),
      inner_(Picture1->parentWidget()),
      pointerToDefault_(std::move(pointerToDefault)),
      model_(*this, traps) {
  for (Axis axis : {Axis::Horizontal, Axis::Vertical}) {
    scrollBarChanged(axis, model_.bar(axis));
    QObject::connect(bar(axis), &QScrollBar::valueChanged, bar(axis), [this, axis](int value) {
      model_.setBarValue(axis, static_cast<std::int16_t>(value));
    });
  }
  Picture1->onMouseDown = [this](int b, int s, float x, float y) { model_.Picture1_MouseDown(b, s, x, y); };
  Picture1->onMouseMove = [this](int b, int s, float x, float y) { model_.Picture1_MouseMove(b, s, x, y); };
  Picture1->onMouseUp = [this](int b, int s, float x, float y) { model_.Picture1_MouseUp(b, s, x, y); };
}

void PreviewViewport::setPicture(const QImage& picture) {
  // A new picture replaces what was drawn from the last one.
  Picture1->clearDrawing();
  Picture1->setPicture(picture);
  if (picture.isNull()) {
    model_.pictureAssigned(std::nullopt);
    return;
  }
  model_.pictureAssigned(SizeTwips{static_cast<float>(picture.width() * kTwipsPerPixel),
                                   static_cast<float>(picture.height() * kTwipsPerPixel)});
}

void PreviewViewport::imageBoxChanged(const Box& imageBox) {
  Picture1->setGeometry(PixelRect(imageBox));
}

void PreviewViewport::scrollBarChanged(Axis axis, const ScrollBarState& state) {
  QScrollBar* target = bar(axis);
  const QSignalBlocker quiet(target);  // the model already knows; no change handler here
  target->setRange(0, state.max);
  target->setValue(state.value);
  target->setEnabled(state.enabled);
  target->setSingleStep(state.smallChange);
  target->setPageStep(state.largeChange);
}

void PreviewViewport::keepPictureInHolder() { Zoom_Ori->setPicture(Picture1->picture()); }

void PreviewViewport::hideHolder() { Zoom_Ori->hide(); }

void PreviewViewport::clearImage() { Picture1->clearDrawing(); }

void PreviewViewport::drawStretched(const StretchDraw& draw) {
  const QSize size(Pixels(draw.destinationWidth), Pixels(draw.destinationHeight));
  QImage drawing(size, QImage::Format_ARGB32_Premultiplied);
  if (drawing.isNull()) {
    throw std::runtime_error("Out of memory for a " + std::to_string(size.width()) + " x " +
                             std::to_string(size.height()) + " pixel drawing");
  }
  drawing.fill(Qt::transparent);
  {
    QPainter painter(&drawing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const double px = kTwipsPerPixel;
    painter.drawImage(QRectF(0, 0, draw.destinationWidth / px, draw.destinationHeight / px),
                      Zoom_Ori->picture(),
                      QRectF(0, 0, draw.sourceWidth / px, draw.sourceHeight / px));
  }
  Picture1->setDrawing(std::move(drawing));
}

void PreviewViewport::pointerToDefault() {
  if (pointerToDefault_) pointerToDefault_();
}

}  // namespace quillora::preview
