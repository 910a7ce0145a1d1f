#include "cursor/HandShape.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace quillora::artwork {
namespace {

// The hand is designed on a 32-pixel grid. At each size the straight edges are snapped so
// the outline (one design pixel, rounded to whole device pixels) covers whole pixels and
// stays crisp instead of smearing over two half-grey columns.
class Grid {
public:
    explicit Grid(int size)
        : scale_(size / 32.0), pen_(std::max(1.0, std::round(scale_))) {}

    double Pen() const { return pen_; }
    double Scale() const { return scale_; }
    // A design coordinate of an edge, in device pixels, on a pixel centre for an odd pen
    // and on a pixel boundary for an even one.
    double Edge(double v) const {
        const double d = v * scale_;
        return static_cast<int>(pen_) % 2 == 1 ? std::floor(d) + 0.5 : std::round(d);
    }
    QPointF At(double x, double y) const { return {Edge(x), Edge(y)}; }

private:
    double scale_;
    double pen_;
};

QPainterPath Capsule(const Grid& g, double left, double top, double right, double bottom, double radius) {
    QPainterPath path;
    const QPointF a = g.At(left, top);
    const QPointF b = g.At(right, bottom);
    path.addRoundedRect(QRectF(a, b), radius * g.Scale(), radius * g.Scale());
    return path;
}

// Index finger edges and tip in design pixels; the hotspot is the tip's centre.
constexpr double kFingerLeft = 6.0;
constexpr double kFingerRight = 11.0;
constexpr double kFingerTop = 0.5;

QPainterPath HandOutline(const Grid& g) {
    QPainterPath hand = Capsule(g, kFingerLeft, kFingerTop, kFingerRight, 18.0, 2.5);
    hand = hand.united(Capsule(g, 11.0, 8.5, 15.0, 18.0, 2.0));   // middle knuckle
    hand = hand.united(Capsule(g, 15.0, 9.5, 19.0, 18.5, 2.0));   // ring knuckle
    hand = hand.united(Capsule(g, 19.0, 11.0, 22.5, 19.0, 1.75)); // little knuckle
    QPainterPath palm;
    palm.moveTo(g.At(6.0, 14.0));
    palm.lineTo(g.At(22.5, 14.0));
    palm.lineTo(g.At(22.5, 21.0));
    palm.cubicTo(g.At(22.5, 24.0), g.At(21.0, 25.5), g.At(19.5, 27.0));
    palm.lineTo(g.At(19.5, 30.5));
    palm.lineTo(g.At(9.0, 30.5));
    palm.lineTo(g.At(9.0, 28.0));
    palm.cubicTo(g.At(7.5, 26.5), g.At(6.0, 25.0), g.At(6.0, 22.0));
    palm.closeSubpath();
    hand = hand.united(palm);
    // The thumb leans out to the left from the lower palm.
    QTransform thumbTurn;
    thumbTurn.translate(6.5 * g.Scale(), 21.0 * g.Scale());
    thumbTurn.rotate(-40.0);
    thumbTurn.scale(g.Scale(), g.Scale());
    QPainterPath thumb;
    thumb.addRoundedRect(QRectF(-8.0, -2.5, 10.0, 5.0), 2.5, 2.5);
    hand = hand.united(thumbTurn.map(thumb));
    return hand.simplified();
}

// The creases between the curled fingers and the cuff line at the wrist.
QPainterPath HandCreases(const Grid& g) {
    QPainterPath lines;
    const double creases[][3] = {{11.0, 10.5, 14.5}, {15.0, 11.5, 15.0}, {19.0, 13.0, 16.0}};
    for (const auto& c : creases) {
        lines.moveTo(g.At(c[0], c[1]));
        lines.lineTo(g.At(c[0], c[2]));
    }
    lines.moveTo(g.At(9.0, 27.5));
    lines.lineTo(g.At(19.5, 27.5));
    return lines;
}

}  // namespace

CursorImage DrawPointingHand(int size) {
    const Grid g(size);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    // A one-pixel outline stays black and crisp only without smoothing, as in pixel-drawn
    // cursors; the thicker outline of the larger size is smoothed.
    p.setRenderHint(QPainter::Antialiasing, g.Pen() > 1.0);
    QPen outline(Qt::black, g.Pen());
    outline.setJoinStyle(Qt::RoundJoin);
    outline.setCapStyle(Qt::FlatCap);
    p.setPen(outline);
    p.setBrush(Qt::white);
    p.drawPath(HandOutline(g));
    p.setBrush(Qt::NoBrush);
    p.drawPath(HandCreases(g));
    p.end();
    // The first pixel row the outline covers above the fingertip, on the finger's centre.
    const double centre = (g.Edge(kFingerLeft) + g.Edge(kFingerRight)) / 2.0;
    const double top = g.Edge(kFingerTop) - g.Pen() / 2.0;
    const QPoint hotspot(static_cast<int>(std::floor(centre)), static_cast<int>(std::floor(top)));
    return {image.convertToFormat(QImage::Format_ARGB32), hotspot};
}

}  // namespace quillora::artwork
