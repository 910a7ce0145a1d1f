// make-cursor OUT.CUR [PREVIEW.png]
// Draws the pointing hand at 32 and 48 pixels and writes both into one Windows cursor file.
#include "cursor/CurWriter.h"
#include "cursor/HandShape.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSaveFile>

#include <cstdio>
#include <stdexcept>
#include <vector>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw std::runtime_error("cannot write " + path.toStdString() + ": " + file.errorString().toStdString());
    }
}

// Both sizes side by side on a light and a dark ground, enlarged, with the hotspot marked.
QImage Preview(const std::vector<quillora::artwork::CursorImage>& cursors) {
    constexpr int kZoom = 8;
    QImage sheet(2 * 60 * kZoom, 2 * 56 * kZoom, QImage::Format_RGB32);
    QPainter p(&sheet);
    p.fillRect(0, 0, sheet.width(), sheet.height() / 2, QColor(0xF4, 0xEC, 0xEE));
    p.fillRect(0, sheet.height() / 2, sheet.width(), sheet.height() / 2, QColor(0x3A, 0x3A, 0x44));
    for (int row = 0; row < 2; ++row) {
        int x = 4;
        for (const auto& c : cursors) {
            const QPoint at(x * kZoom, (row * 56 + 4) * kZoom);
            p.drawImage(QRect(at, c.image.size() * kZoom), c.image);
            p.fillRect(QRect(at + c.hotspot * kZoom, QSize(kZoom, kZoom)), QColor(255, 0, 0, 140));
            x += c.image.width() + 8;
        }
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
        std::fprintf(stderr, "usage: make-cursor OUT.CUR [PREVIEW.png]\n");
        return 2;
    }
    try {
        const std::vector<quillora::artwork::CursorImage> cursors = {
            quillora::artwork::DrawPointingHand(32), quillora::artwork::DrawPointingHand(48)};
        const QByteArray bytes = quillora::artwork::EncodeCursorFile(cursors);
        quillora::artwork::CheckCursorFile(bytes, cursors);
        WriteFile(QString::fromLocal8Bit(argv[1]), bytes);
        std::printf("%s: %lld bytes", argv[1], static_cast<long long>(bytes.size()));
        for (const auto& c : cursors) {
            std::printf(", %dx%d hotspot (%d,%d)", c.image.width(), c.image.height(), c.hotspot.x(),
                        c.hotspot.y());
        }
        std::printf("\n");
        if (argc == 3 && !Preview(cursors).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
            throw std::runtime_error(std::string("cannot write ") + argv[2]);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-cursor: %s\n", e.what());
        return 1;
    }
    return 0;
}
