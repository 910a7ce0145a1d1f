// make-icon OUT.png [PREVIEW.png]
// Paints the 256 x 256 application icon: an ivory quill with a gold nib and an ink
// flourish on a dusty-rose rounded square. The preview shows it at the sizes a desktop uses.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

constexpr int kSize = 256;
const QColor kRose(0xC3, 0x7D, 0x8C);

void PaintTile(QPainter& p) {
    const QRectF tile(8, 8, 240, 240);
    QLinearGradient fill(tile.topLeft(), tile.bottomLeft());
    fill.setColorAt(0.0, kRose.lighter(118));
    fill.setColorAt(0.55, kRose);
    fill.setColorAt(1.0, kRose.darker(118));
    p.setPen(QPen(kRose.darker(135), 2.0));
    p.setBrush(fill);
    p.drawRoundedRect(tile, 52, 52);
    // A soft sheen across the upper half.
    QRadialGradient sheen(QPointF(100, 40), 170);
    sheen.setColorAt(0.0, QColor(255, 255, 255, 70));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawRoundedRect(tile.adjusted(2, 2, -2, -2), 50, 50);
}

// The quill in its own frame: the nib's point at the origin, the shaft along +x.
QPainterPath Vane() {
    QPainterPath vane;
    vane.moveTo(62, 0);
    vane.cubicTo(88, -40, 160, -54, 212, -6);
    vane.cubicTo(170, 28, 100, 30, 62, 0);
    // Two splits in the barbs, as real feathers show.
    const auto notch = [](double x, double y, double dx, double dy) {
        QPainterPath cut;
        cut.moveTo(x, y);
        cut.lineTo(x + dx, y + dy);
        cut.lineTo(x + dx + 6, y + dy);
        cut.closeSubpath();
        return cut;
    };
    return vane.subtracted(notch(120, -42, 5, 12)).subtracted(notch(150, 22, -2, -8));
}

QPainterPath Nib() {
    QPainterPath nib;
    nib.moveTo(0, 0);
    nib.cubicTo(10, -4, 24, -8, 36, -8);
    nib.lineTo(40, -6);
    nib.lineTo(40, 6);
    nib.lineTo(36, 8);
    nib.cubicTo(24, 8, 10, 4, 0, 0);
    return nib;
}

void PaintQuill(QPainter& p) {
    const QPainterPath vane = Vane();
    const QPainterPath nib = Nib();

    // Shadow of the whole quill on the tile.
    p.save();
    p.translate(5, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x6E, 0x2E, 0x3E, 70));
    p.drawPath(vane);
    p.drawPath(nib);
    p.restore();

    QLinearGradient ivory(0, -50, 0, 28);
    ivory.setColorAt(0.0, QColor(0xFF, 0xFF, 0xFF));
    ivory.setColorAt(0.6, QColor(0xFB, 0xF4, 0xEC));
    ivory.setColorAt(1.0, QColor(0xE6, 0xD3, 0xD0));
    p.setPen(QPen(QColor(0x9C, 0x5A, 0x68, 160), 1.2));
    p.setBrush(ivory);
    p.drawPath(vane);
    // Barbs: fine lines leaning back from the shaft, clipped to the vane.
    p.save();
    p.setClipPath(vane);
    p.setPen(QPen(QColor(0xC3, 0x9A, 0xA2, 60), 1.0));
    for (int x = 66; x < 216; x += 8) {
        p.drawLine(QPointF(x, 0), QPointF(x + 22, -54));
        p.drawLine(QPointF(x, 0), QPointF(x + 18, 32));
    }
    p.restore();
    // The shaft runs from the nib into the tip.
    p.setPen(QPen(QColor(0xB8, 0x8E, 0x96), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(38, 0), QPointF(200, -5));

    QLinearGradient gold(0, -8, 0, 8);
    gold.setColorAt(0.0, QColor(0xF6, 0xDE, 0x9E));
    gold.setColorAt(0.5, QColor(0xD9, 0xB0, 0x5C));
    gold.setColorAt(1.0, QColor(0xA8, 0x7C, 0x34));
    p.setPen(QPen(QColor(0x7A, 0x56, 0x22), 1.2));
    p.setBrush(gold);
    p.drawPath(nib);
    p.setPen(QPen(QColor(0x6A, 0x48, 0x1C), 1.2));
    p.drawLine(QPointF(3, 0), QPointF(22, 0));  // the nib's slit
    p.setBrush(QColor(0x6A, 0x48, 0x1C));
    p.drawEllipse(QPointF(24, 0), 1.8, 1.8);
}

void PaintFlourish(QPainter& p) {
    QPainterPath flourish;
    flourish.moveTo(52, 210);
    flourish.cubicTo(90, 226, 124, 182, 150, 198);
    flourish.cubicTo(170, 210, 150, 226, 140, 214);
    flourish.cubicTo(132, 202, 176, 196, 210, 206);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x6E, 0x2E, 0x3E, 60), 6.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(flourish.translated(2, 3));
    p.setPen(QPen(QColor(0xFF, 0xF8, 0xF2, 235), 5.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(flourish);
}

QImage PaintIcon() {
    QImage icon(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    PaintTile(p);
    PaintFlourish(p);
    p.save();
    p.translate(50, 210);
    p.rotate(-47.0);
    p.scale(1.1, 1.1);
    PaintQuill(p);
    p.restore();
    p.end();
    return icon.convertToFormat(QImage::Format_ARGB32);
}

QImage Preview(const QImage& icon) {
    QImage sheet(256 + 3 * 16 + 128 + 64 + 48 + 32 + 16, 272, QImage::Format_RGB32);
    sheet.fill(QColor(0xF2, 0xF2, 0xF2));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    int x = 8;
    for (int size : {256, 128, 64, 48, 32, 16}) {
        p.drawImage(QPoint(x, 8), icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        x += size + 8;
    }
    return sheet;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: make-icon OUT.png [PREVIEW.png]\n");
        return 2;
    }
    try {
        const QImage icon = PaintIcon();
        if (!icon.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
            throw std::runtime_error(std::string("cannot write ") + argv[1]);
        }
        std::printf("%s: %dx%d\n", argv[1], kSize, kSize);
        if (argc == 3 && !Preview(icon).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
            throw std::runtime_error(std::string("cannot write ") + argv[2]);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-icon: %s\n", e.what());
        return 1;
    }
    return 0;
}
