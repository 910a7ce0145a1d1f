#include "floral/FloralPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace quillora::artwork {
namespace {

// The picture is designed on a 144 x 85 grid and painted this many times larger, then
// scaled down with area averaging, which gives the soft edges of a photograph.
constexpr double kDesignWidth = 144.0;
constexpr double kDesignHeight = 85.0;
constexpr int kSupersample = 4;

const QColor kBand(0xC3, 0x7D, 0x8C);  // the title band's fill

// Small deterministic generator so the picture never changes between builds.
class Jitter {
public:
    explicit Jitter(std::uint32_t seed) : state_(seed) {}
    // Uniform in [-1, 1].
    double Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_ % 20001u) / 10000.0 - 1.0;
    }

private:
    std::uint32_t state_;
};

QPointF Polar(QPointF centre, double radius, double degrees) {
    const double a = degrees * std::numbers::pi / 180.0;
    return centre + QPointF(radius * std::cos(a), radius * std::sin(a));
}

// A petal or leaf outline lying along +x from the origin: length `length`, half-width
// `width`; `tipRound` near 1 gives a broad rounded tip (petal), near 0 a point (leaf).
QPainterPath BladePath(double length, double width, double tipRound) {
    QPainterPath path;
    path.moveTo(0, 0);
    path.cubicTo(length * 0.25, width * 1.15, length, width * tipRound, length, 0);
    path.cubicTo(length, -width * tipRound, length * 0.25, -width * 1.15, 0, 0);
    return path;
}

QPainterPath Placed(const QPainterPath& local, QPointF at, double degrees) {
    QTransform t;
    t.translate(at.x(), at.y());
    t.rotate(degrees);
    return t.map(local);
}

QRadialGradient PetalShading(QPointF centre, double radius, QColor base) {
    QRadialGradient g(centre, radius);
    g.setColorAt(0.0, base);
    g.setColorAt(0.45, QColor(0xEB, 0xE6, 0xE1));
    g.setColorAt(0.85, QColor(0xFB, 0xF9, 0xF6));
    g.setColorAt(1.0, QColor(0xFF, 0xFF, 0xFE));
    return g;
}

const QPen kPetalEdge(QColor(140, 118, 118, 150), 0.28);

// A white garden rose seen from above: two rings of broad petals and a spiralling cup.
void PaintRose(QPainter& p, QPointF c, double r, double rotation, Jitter& jitter) {
    p.setPen(kPetalEdge);
    struct Ring { int count; double length; double width; double turn; };
    const Ring rings[] = {{6, 1.0, 0.56, 0.0}, {5, 0.74, 0.5, 36.0}, {5, 0.52, 0.45, 12.0}};
    for (const Ring& ring : rings) {
        p.setBrush(PetalShading(c, r, QColor(0xC9, 0xBF, 0xB8)));
        for (int i = 0; i < ring.count; ++i) {
            const double a = rotation + ring.turn + i * 360.0 / ring.count + 9.0 * jitter.Next();
            const double len = r * ring.length * (1.0 + 0.06 * jitter.Next());
            p.drawPath(Placed(BladePath(len, r * ring.width, 0.95), c, a));
        }
    }
    // The cup: nested petal edges as offset arcs, darker towards the heart.
    QRadialGradient cup(c + QPointF(-0.08 * r, -0.1 * r), 0.4 * r);
    cup.setColorAt(0.0, QColor(0xE4, 0xDD, 0xD6));
    cup.setColorAt(1.0, QColor(0xF8, 0xF5, 0xF1));
    p.setBrush(cup);
    p.drawEllipse(c, 0.36 * r, 0.34 * r);
    p.setBrush(Qt::NoBrush);
    for (int k = 0; k < 5; ++k) {
        const double rk = 0.33 * r * (1.0 - 0.18 * k);
        const QPointF off = Polar(c, 0.05 * r, rotation + 70.0 * k);
        p.setPen(QPen(QColor(140, 118, 116, 110 + 25 * k), 0.3));
        const QRectF box(off.x() - rk, off.y() - rk * 0.92, 2 * rk, 1.84 * rk);
        p.drawArc(box, static_cast<int>((rotation + 97.0 * k) * 16), 210 * 16);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xB4, 0xA6, 0xA0));
    p.drawEllipse(c + QPointF(0.02 * r, 0.03 * r), 0.06 * r, 0.06 * r);
}

// A single open five-petalled blossom with a pale green-gold heart.
void PaintBlossom(QPainter& p, QPointF c, double r, double rotation, Jitter& jitter) {
    p.setPen(kPetalEdge);
    p.setBrush(PetalShading(c, r, QColor(0xDD, 0xD8, 0xCC)));
    for (int i = 0; i < 5; ++i) {
        const double a = rotation + i * 72.0 + 6.0 * jitter.Next();
        p.drawPath(Placed(BladePath(r * (1.0 + 0.05 * jitter.Next()), r * 0.62, 1.0), c, a));
    }
    QRadialGradient heart(c + QPointF(-0.05 * r, -0.05 * r), 0.26 * r);
    heart.setColorAt(0.0, QColor(0xE8, 0xE4, 0xA8));
    heart.setColorAt(1.0, QColor(0xA8, 0xA2, 0x62));
    p.setPen(Qt::NoPen);
    p.setBrush(heart);
    p.drawEllipse(c, 0.24 * r, 0.24 * r);
    p.setBrush(QColor(0x8A, 0x7A, 0x48));
    for (int i = 0; i < 7; ++i) {
        p.drawEllipse(Polar(c, 0.2 * r, rotation + i * 51.0), 0.045 * r, 0.045 * r);
    }
}

// A sprig of baby's breath: a few thin stems ending in tiny white clusters.
void PaintSprig(QPainter& p, QPointF base, double angle, double length, Jitter& jitter) {
    for (int s = 0; s < 4; ++s) {
        const double a = angle + 22.0 * jitter.Next();
        const QPointF tip = Polar(base, length * (0.7 + 0.3 * std::abs(jitter.Next())), a);
        p.setPen(QPen(QColor(0x6E, 0x8A, 0x58, 200), 0.3));
        p.drawLine(base, tip);
        p.setPen(QPen(QColor(170, 150, 150, 140), 0.15));
        for (int d = 0; d < 6; ++d) {
            const QPointF dot = tip + QPointF(2.0 * jitter.Next(), 1.8 * jitter.Next());
            const double rad = 0.55 + 0.25 * jitter.Next();
            p.setBrush(QColor(0xFF, 0xFD, 0xFB));
            p.drawEllipse(dot, rad, rad);
        }
    }
}

void PaintLeaf(QPainter& p, QPointF base, double angle, double length, double width, QColor tone) {
    const QPainterPath leaf = Placed(BladePath(length, width, 0.15), base, angle);
    QLinearGradient g(Polar(base, width, angle - 90.0), Polar(base, width, angle + 90.0));
    g.setColorAt(0.0, tone.lighter(135));
    g.setColorAt(0.5, tone);
    g.setColorAt(1.0, tone.darker(150));
    p.setPen(QPen(tone.darker(170), 0.25));
    p.setBrush(g);
    p.drawPath(leaf);
    p.setPen(QPen(QColor(0xC8, 0xDA, 0xB0, 150), 0.3));
    p.drawLine(Polar(base, length * 0.1, angle), Polar(base, length * 0.85, angle));
}

void PaintBackground(QPainter& p) {
    p.fillRect(QRectF(0, 0, kDesignWidth, kDesignHeight), kBand);
    // Soft light behind the arrangement; the edges keep the band's own colour.
    QRadialGradient glow(QPointF(74, 42), 56);
    glow.setColorAt(0.0, QColor(0xEE, 0xC4, 0xCC, 150));
    glow.setColorAt(0.6, QColor(0xDA, 0xA0, 0xAD, 60));
    glow.setColorAt(1.0, QColor(0xC3, 0x7D, 0x8C, 0));
    p.fillRect(QRectF(0, 0, kDesignWidth, kDesignHeight), glow);
    // Out-of-focus highlights, as a shallow depth of field would show them.
    const struct { double x, y, r; int alpha; } bokeh[] = {
        {18, 13, 7, 38}, {127, 17, 8, 34}, {104, 12, 5, 40}, {9, 31, 5, 28}, {134, 32, 5, 26}};
    for (const auto& b : bokeh) {
        QRadialGradient g(QPointF(b.x, b.y), b.r);
        g.setColorAt(0.0, QColor(255, 232, 236, b.alpha));
        g.setColorAt(0.7, QColor(255, 232, 236, b.alpha * 2 / 3));
        g.setColorAt(1.0, QColor(255, 232, 236, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(QPointF(b.x, b.y), b.r, b.r);
    }
    // The pale surface the arrangement stands on; it meets the white rows below the band.
    QLinearGradient table(0, 50, 0, kDesignHeight);
    table.setColorAt(0.0, QColor(0xF4, 0xE6, 0xE8, 0));
    table.setColorAt(0.3, QColor(0xF4, 0xE6, 0xE8, 215));
    table.setColorAt(1.0, QColor(0xFE, 0xFB, 0xFB, 255));
    p.fillRect(QRectF(0, 50, kDesignWidth, kDesignHeight - 50), table);
}

enum class Kind { Rose, Blossom };
// `squash` < 1 tips the flower away from the camera along the direction `tilt`.
struct Flower { Kind kind; double x, y, r, rotation, tilt, squash; };

// Each flower is painted on its own layer so the light from the upper left can shade it
// as one body, then laid on the picture over a soft contact shadow.
void PaintFlower(QPainter& canvas, const Flower& f, Jitter& jitter, QSize pixels) {
    const QPointF c(f.x, f.y);
    QRadialGradient shadow(c + QPointF(0.18 * f.r, 0.3 * f.r), 1.2 * f.r);
    shadow.setColorAt(0.0, QColor(70, 25, 40, 110));
    shadow.setColorAt(1.0, QColor(70, 25, 40, 0));
    canvas.setPen(Qt::NoPen);
    canvas.setBrush(shadow);
    canvas.drawEllipse(c + QPointF(0.18 * f.r, 0.3 * f.r), 1.2 * f.r, 1.2 * f.r);

    QImage layer(pixels, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    QPainter p(&layer);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(kSupersample, kSupersample);
    p.translate(c);
    p.rotate(f.tilt);
    p.scale(1.0, f.squash);
    p.rotate(-f.tilt);
    p.translate(-c);
    if (f.kind == Kind::Rose) {
        PaintRose(p, c, f.r, f.rotation, jitter);
    } else {
        PaintBlossom(p, c, f.r, f.rotation, jitter);
    }
    QLinearGradient light(c - QPointF(f.r, f.r), c + QPointF(f.r, f.r));
    light.setColorAt(0.0, QColor(255, 255, 255, 40));
    light.setColorAt(0.5, QColor(255, 255, 255, 0));
    light.setColorAt(1.0, QColor(95, 60, 70, 105));
    p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    p.resetTransform();
    p.scale(kSupersample, kSupersample);
    p.fillRect(QRectF(c.x() - 1.3 * f.r, c.y() - 1.3 * f.r, 2.6 * f.r, 2.6 * f.r), light);
    p.end();
    canvas.save();
    canvas.resetTransform();
    canvas.drawImage(0, 0, layer);
    canvas.restore();
}

}  // namespace

QImage PaintFloralArrangement(int width, int height) {
    const QSize pixels(width * kSupersample, height * kSupersample);
    QImage big(pixels, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(kSupersample * width / kDesignWidth, kSupersample * height / kDesignHeight);
    Jitter jitter(0x5EED1234u);

    PaintBackground(p);

    const QColor deep(0x3F, 0x6A, 0x3C), fresh(0x5E, 0x8C, 0x4F), sage(0x86, 0xA0, 0x86);
    const struct { double x, y, angle, length, width; QColor tone; } leaves[] = {
        {26, 50, 200, 22, 6, fresh}, {18, 64, 172, 20, 5.5, deep},  {30, 40, 228, 16, 4.5, sage},
        {120, 48, -22, 22, 6, fresh}, {128, 64, 4, 18, 5.5, deep},  {112, 36, -48, 16, 4.5, sage},
        {58, 30, -118, 17, 5, deep},  {92, 26, -66, 18, 5, fresh},  {74, 24, -92, 14, 4, sage},
        {34, 76, 160, 18, 5, fresh},  {112, 78, 18, 18, 5, fresh},  {44, 38, 215, 14, 4, deep}};
    for (const auto& l : leaves) {
        PaintLeaf(p, QPointF(l.x, l.y), l.angle, l.length, l.width, l.tone);
    }
    const struct { double x, y, angle, length; } sprigs[] = {
        {42, 34, -125, 14}, {96, 30, -60, 15}, {118, 44, -25, 13}, {24, 50, -160, 12}, {70, 28, -90, 12}};
    for (const auto& s : sprigs) {
        PaintSprig(p, QPointF(s.x, s.y), s.angle, s.length, jitter);
    }

    std::vector<Flower> flowers = {
        {Kind::Rose, 52, 36, 12.5, 10, 30, 0.82},    {Kind::Rose, 86, 32, 14, 40, -20, 0.85},
        {Kind::Blossom, 30, 42, 8, 15, 60, 0.75},    {Kind::Blossom, 112, 40, 8.5, 50, -50, 0.8},
        {Kind::Blossom, 69, 23, 6.5, 0, 90, 0.7},    {Kind::Rose, 34, 58, 14.5, 70, 20, 0.9},
        {Kind::Rose, 67, 51, 18, 20, 0, 0.95},       {Kind::Rose, 101, 54, 15.5, 55, -30, 0.88},
        {Kind::Blossom, 124, 61, 8.5, 30, -10, 0.85},{Kind::Rose, 50, 75, 15, 5, 45, 0.9},
        {Kind::Rose, 85, 77, 16, 80, -40, 0.92},     {Kind::Blossom, 17, 71, 7.5, 60, 20, 0.8},
        {Kind::Rose, 119, 79, 12, 25, 10, 0.85}};
    // Dark foliage deep in the arrangement, so the gaps between flowers read as shade.
    for (const Flower& f : flowers) {
        if (f.y > 70) {
            continue;  // the front row stands on the pale surface
        }
        QRadialGradient g(QPointF(f.x, f.y + 0.2 * f.r), 1.25 * f.r);
        g.setColorAt(0.0, QColor(0x26, 0x3D, 0x25, 235));
        g.setColorAt(0.7, QColor(0x35, 0x52, 0x30, 150));
        g.setColorAt(1.0, QColor(0x35, 0x52, 0x30, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(QPointF(f.x, f.y + 0.2 * f.r), 1.25 * f.r, 1.25 * f.r);
    }
    std::stable_sort(flowers.begin(), flowers.end(),
                     [](const Flower& a, const Flower& b) { return a.y < b.y; });
    for (const Flower& f : flowers) {
        PaintFlower(p, f, jitter, pixels);
    }
    p.end();

    QImage small = big.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_RGB32);
    // A faint film grain keeps large smooth areas from looking drawn.
    Jitter grain(0xF11Au);
    for (int y = 0; y < small.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(small.scanLine(y));
        for (int x = 0; x < small.width(); ++x) {
            const int n = static_cast<int>(std::lround(1.6 * grain.Next()));
            const auto channel = [n](int v) { return std::clamp(v + n, 0, 255); };
            row[x] = qRgb(channel(qRed(row[x])), channel(qGreen(row[x])), channel(qBlue(row[x])));
        }
    }
    return small;
}

}  // namespace quillora::artwork
