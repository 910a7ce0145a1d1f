// The Windows cursor file written here, all numbers little-endian:
//
//   ICONDIR (6 bytes)        reserved u16 = 0, type u16 = 2 (cursor), count u16
//   ICONDIRENTRY x count     (16 bytes each)
//     width u8, height u8    pixels (0 would mean 256)
//     colour count u8 = 0    no palette
//     reserved u8 = 0
//     hotspot x u16          where an icon file keeps its plane count
//     hotspot y u16          where an icon file keeps its bit count
//     bytes in image u32     size of this image's DIB
//     image offset u32       from the start of the file
//   one DIB per entry, in directory order:
//     BITMAPINFOHEADER (40 bytes): size 40, width, height = 2 x image height (the colour
//       rows and the mask rows together), planes 1, bit count 32, compression 0 (BI_RGB),
//       image size = colour bytes + mask bytes, x/y pixels per metre 0, colours used 0,
//       colours important 0
//     colour rows: bottom row first, 4 bytes per pixel B, G, R, A (straight alpha; fully
//       transparent pixels are all zero)
//     AND mask rows: bottom row first, 1 bit per pixel, most significant bit leftmost, each
//       row padded to a multiple of 4 bytes; 1 = transparent (alpha 0), 0 = drawn
#include "cursor/CurWriter.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quillora::artwork {
namespace {

constexpr int kDirHeaderSize = 6;
constexpr int kDirEntrySize = 16;
constexpr int kInfoHeaderSize = 40;

int MaskStride(int width) { return (width + 31) / 32 * 4; }
int DibSize(int w, int h) { return kInfoHeaderSize + w * h * 4 + MaskStride(w) * h; }

void Put16(QByteArray& out, std::uint16_t v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>(v >> 8));
}

void Put32(QByteArray& out, std::uint32_t v) {
    Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(v >> 16));
}

std::uint32_t Get(const QByteArray& in, qsizetype at, int bytes) {
    if (at < 0 || at + bytes > in.size()) {
        throw std::runtime_error("cursor check: read past the end of the file at " + std::to_string(at));
    }
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = (v << 8) | static_cast<std::uint8_t>(in[at + i]);
    }
    return v;
}

void Expect(bool ok, const std::string& what) {
    if (!ok) {
        throw std::runtime_error("cursor check: " + what);
    }
}

void AppendDib(QByteArray& out, const QImage& image) {
    const int w = image.width();
    const int h = image.height();
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(w));
    Put32(out, static_cast<std::uint32_t>(2 * h));
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(DibSize(w, h) - kInfoHeaderSize));
    for (int i = 0; i < 4; ++i) {
        Put32(out, 0);
    }
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const QRgb px = qAlpha(image.pixel(x, y)) == 0 ? 0 : image.pixel(x, y);
            out.append(static_cast<char>(qBlue(px)));
            out.append(static_cast<char>(qGreen(px)));
            out.append(static_cast<char>(qRed(px)));
            out.append(static_cast<char>(qAlpha(px)));
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(MaskStride(w), '\0');
        for (int x = 0; x < w; ++x) {
            if (qAlpha(image.pixel(x, y)) == 0) {
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
            }
        }
        out.append(row);
    }
}

}  // namespace

QByteArray EncodeCursorFile(const std::vector<CursorImage>& cursors) {
    QByteArray out;
    Put16(out, 0);
    Put16(out, 2);
    Put16(out, static_cast<std::uint16_t>(cursors.size()));
    std::uint32_t offset = kDirHeaderSize + kDirEntrySize * static_cast<std::uint32_t>(cursors.size());
    for (const CursorImage& c : cursors) {
        const int w = c.image.width();
        const int h = c.image.height();
        if (w < 1 || w > 255 || h < 1 || h > 255) {
            throw std::runtime_error("a cursor image must be 1 to 255 pixels on each side");
        }
        out.append(static_cast<char>(w));
        out.append(static_cast<char>(h));
        out.append('\0');
        out.append('\0');
        Put16(out, static_cast<std::uint16_t>(c.hotspot.x()));
        Put16(out, static_cast<std::uint16_t>(c.hotspot.y()));
        Put32(out, static_cast<std::uint32_t>(DibSize(w, h)));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(DibSize(w, h));
    }
    for (const CursorImage& c : cursors) {
        AppendDib(out, c.image.convertToFormat(QImage::Format_ARGB32));
    }
    return out;
}

void CheckCursorFile(const QByteArray& bytes, const std::vector<CursorImage>& cursors) {
    Expect(Get(bytes, 0, 2) == 0 && Get(bytes, 2, 2) == 2, "not a cursor directory");
    Expect(Get(bytes, 4, 2) == cursors.size(), "wrong image count");
    qsizetype end = kDirHeaderSize + kDirEntrySize * static_cast<qsizetype>(cursors.size());
    for (std::size_t i = 0; i < cursors.size(); ++i) {
        const QImage image = cursors[i].image.convertToFormat(QImage::Format_ARGB32);
        const int w = image.width();
        const int h = image.height();
        const qsizetype entry = kDirHeaderSize + kDirEntrySize * static_cast<qsizetype>(i);
        Expect(Get(bytes, entry, 1) == static_cast<std::uint32_t>(w) &&
                   Get(bytes, entry + 1, 1) == static_cast<std::uint32_t>(h),
               "directory size differs");
        Expect(Get(bytes, entry + 4, 2) == static_cast<std::uint32_t>(cursors[i].hotspot.x()) &&
                   Get(bytes, entry + 6, 2) == static_cast<std::uint32_t>(cursors[i].hotspot.y()),
               "hotspot differs");
        const qsizetype dib = Get(bytes, entry + 12, 4);
        Expect(dib == end && Get(bytes, entry + 8, 4) == static_cast<std::uint32_t>(DibSize(w, h)),
               "images are not packed in directory order");
        end += DibSize(w, h);
        Expect(Get(bytes, dib, 4) == kInfoHeaderSize && Get(bytes, dib + 4, 4) == static_cast<std::uint32_t>(w) &&
                   Get(bytes, dib + 8, 4) == static_cast<std::uint32_t>(2 * h) && Get(bytes, dib + 14, 2) == 32,
               "bitmap header differs");
        const qsizetype colours = dib + kInfoHeaderSize;
        const qsizetype mask = colours + static_cast<qsizetype>(w) * h * 4;
        for (int y = 0; y < h; ++y) {
            const int fileRow = h - 1 - y;
            for (int x = 0; x < w; ++x) {
                const QRgb want = image.pixel(x, y);
                const std::uint32_t bgra = Get(bytes, colours + (static_cast<qsizetype>(fileRow) * w + x) * 4, 4);
                const bool clear = (Get(bytes, mask + fileRow * MaskStride(w) + x / 8, 1) >> (7 - x % 8)) & 1;
                Expect((bgra >> 24) == static_cast<std::uint32_t>(qAlpha(want)), "alpha differs");
                Expect(qAlpha(want) == 0 || (bgra & 0xFFFFFF) == (want & 0xFFFFFF), "colour differs");
                Expect(clear == (qAlpha(want) == 0), "AND mask differs");
            }
        }
    }
    Expect(end == bytes.size(), "trailing bytes after the last image");
}

}  // namespace quillora::artwork
