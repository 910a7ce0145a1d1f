// make-floral OUT.jpg [PREVIEW.png]
// Paints the floral arrangement at 144 x 85 and writes it as a JPEG whose quality is chosen
// so the file lands closest to 5 KB. The optional preview is the same picture on a strip of
// the title band, enlarged six times, for looking at it.
#include "floral/FloralPainter.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

constexpr int kWidth = 144;
constexpr int kHeight = 85;
constexpr qint64 kTargetBytes = 5 * 1024;

QByteArray EncodeJpeg(const QImage& image, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPG", quality)) {
        throw std::runtime_error("the JPEG writer is missing (install the Qt image format plugins)");
    }
    return bytes;
}

QByteArray EncodeNearTarget(const QImage& image, int& chosenQuality) {
    QByteArray best;
    for (int quality = 30; quality <= 98; ++quality) {
        QByteArray bytes = EncodeJpeg(image, quality);
        if (best.isEmpty() || std::llabs(bytes.size() - kTargetBytes) < std::llabs(best.size() - kTargetBytes)) {
            best = std::move(bytes);
            chosenQuality = quality;
        }
    }
    return best;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw std::runtime_error("cannot write " + path.toStdString() + ": " + file.errorString().toStdString());
    }
}

// The picture as it sits on the sheet: on the rose band (60 px high, picture from 10 px
// down) with the white rows below, enlarged for inspection.
QImage Preview(const QImage& jpeg) {
    QImage sheet(260, 110, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.fillRect(0, 0, 260, 60, QColor(0xC3, 0x7D, 0x8C));
    p.drawImage(QRect(17, 10, 135, 80), jpeg);
    p.end();
    return sheet.scaled(sheet.size() * 5, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: make-floral OUT.jpg [PREVIEW.png]\n");
        return 2;
    }
    try {
        const QImage picture = quillora::artwork::PaintFloralArrangement(kWidth, kHeight);
        int quality = 0;
        const QByteArray jpeg = EncodeNearTarget(picture, quality);
        WriteFile(QString::fromLocal8Bit(argv[1]), jpeg);
        std::printf("%s: %dx%d, JPEG quality %d, %lld bytes\n", argv[1], kWidth, kHeight, quality,
                    static_cast<long long>(jpeg.size()));
        if (argc == 3) {
            const QImage decoded = QImage::fromData(jpeg, "JPG");
            if (!Preview(decoded).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
                throw std::runtime_error(std::string("cannot write ") + argv[2]);
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-floral: %s\n", e.what());
        return 1;
    }
    return 0;
}
