#include "spreadsheet/render/PictureCache.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <string>

#include "spreadsheet/render/PngImage.h"
#include "spreadsheet/render/RenderError.h"

namespace quillora::render {
namespace {

// Width and height from a PNG file's header chunk, or an empty size when it has none.
QSize PngSize(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < 24) return {};
  const auto be32 = [&](std::size_t at) {
    return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 |
           std::uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
  };
  const std::uint32_t width = be32(16), height = be32(20);
  if (width > 0x7FFFFFFF || height > 0x7FFFFFFF) return {};
  return {static_cast<int>(width), static_cast<int>(height)};
}

void CheckPixels(int blipIndex, QSize size) {
  if (!size.isValid() || static_cast<std::uint64_t>(size.width()) * static_cast<std::uint64_t>(size.height()) <=
                             kMaxPicturePixels)
    return;
  throw RenderError("picture " + std::to_string(blipIndex) + " of the workbook is " + std::to_string(size.width()) +
                    " x " + std::to_string(size.height()) + " pixels, more than the " +
                    std::to_string(kMaxPicturePixels) + " pixels a picture may have to be drawn");
}

QImage DecodeJpeg(const std::vector<std::uint8_t>& bytes, int blipIndex) {
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "JPG");
  CheckPixels(blipIndex, reader.size());
  return reader.read();
}

}  // namespace

const QImage& PictureCache::Decoded(int blipIndex) {
  if (auto found = decoded_.find(blipIndex); found != decoded_.end()) return found->second;
  QImage image;
  if (blipIndex >= 1 && static_cast<std::size_t>(blipIndex) <= store_.blips.size()) {
    const engine::Blip& blip = store_.blips[static_cast<std::size_t>(blipIndex) - 1];
    if (blip.kind == engine::BlipKind::Png) {
      CheckPixels(blipIndex, PngSize(blip.bytes));
      image = DecodePng(blip.bytes);
    } else if (blip.kind == engine::BlipKind::Jpeg) {
      image = DecodeJpeg(blip.bytes, blipIndex);
    }
  }
  return decoded_.emplace(blipIndex, std::move(image)).first->second;
}

const QImage* PictureCache::Scaled(int blipIndex, QSize size) {
  const auto key = std::make_tuple(blipIndex, size.width(), size.height());
  if (auto found = scaled_.find(key); found != scaled_.end()) return &found->second;
  const std::uint64_t pixels = static_cast<std::uint64_t>(size.width()) * static_cast<std::uint64_t>(size.height());
  if (size.isEmpty() || scaledPixels_ + pixels > kMaxPicturePixels) return nullptr;
  scaledPixels_ += pixels;
  const QImage& source = Decoded(blipIndex);
  QImage scaled(size, QImage::Format_ARGB32_Premultiplied);
  scaled.fill(Qt::transparent);
  {
    // The same smooth transformation the painter applies when it draws the picture into a
    // rectangle, so drawing the copy gives the same pixels.
    QPainter painter(&scaled);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRect(QPoint(0, 0), size), source);
  }
  return &scaled_.emplace(key, std::move(scaled)).first->second;
}

}  // namespace quillora::render
