#include "app/core/CursorFile.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace quillora {
namespace {

// Little-endian reads with bounds checks against the whole file.
class Bytes {
 public:
  explicit Bytes(std::span<const std::uint8_t> data) : data_(data) {}
  std::uint32_t u8(std::size_t at) const { return need(at, 1), data_[at]; }
  std::uint32_t u16(std::size_t at) const { return need(at, 2), data_[at] | (data_[at + 1] << 8); }
  std::uint32_t u32(std::size_t at) const {
    need(at, 4);
    return data_[at] | (data_[at + 1] << 8) | (data_[at + 2] << 16) |
           (static_cast<std::uint32_t>(data_[at + 3]) << 24);
  }
  std::span<const std::uint8_t> slice(std::size_t at, std::size_t size) const {
    need(at, size);
    return data_.subspan(at, size);
  }
  std::size_t size() const { return data_.size(); }

 private:
  void need(std::size_t at, std::size_t size) const {
    if (at > data_.size() || size > data_.size() - at)
      throw std::runtime_error("Cursor file is truncated");
  }
  std::span<const std::uint8_t> data_;
};

constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool IsPng(std::span<const std::uint8_t> image) {
  return image.size() >= sizeof kPngSignature &&
         std::equal(std::begin(kPngSignature), std::end(kPngSignature), image.begin());
}

std::size_t RowBytes(std::size_t width, std::size_t bitsPerPixel) {
  return (width * bitsPerPixel + 31) / 32 * 4;
}

// Decodes a BITMAPINFOHEADER image: colour bits (bottom-up), then the 1-bit AND mask.
void DecodeDib(const Bytes& image, CursorImage& out) {
  const std::uint32_t headerSize = image.u32(0);
  if (headerSize < 40) throw std::runtime_error("Cursor image has an unknown header");
  const auto width = static_cast<std::int32_t>(image.u32(4));
  const auto doubledHeight = static_cast<std::int32_t>(image.u32(8));
  const std::uint32_t bits = image.u16(14);
  const std::uint32_t compression = image.u32(16);
  std::uint32_t colours = image.u32(32);
  if (width <= 0 || width > 256 || doubledHeight <= 0 || doubledHeight > 512 || doubledHeight % 2)
    throw std::runtime_error("Cursor image has an impossible size");
  if (compression != 0) throw std::runtime_error("Compressed cursor images are not supported");
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
    throw std::runtime_error("Cursor image has " + std::to_string(bits) + " bits per pixel");
  if (bits <= 8) {
    if (colours == 0 || colours > (1u << bits)) colours = 1u << bits;
  } else {
    colours = 0;
  }
  const std::size_t w = static_cast<std::size_t>(width);
  const std::size_t h = static_cast<std::size_t>(doubledHeight / 2);
  const std::size_t paletteAt = headerSize;
  const std::size_t colourAt = paletteAt + 4 * colours;
  const std::size_t colourRow = RowBytes(w, bits);
  const std::size_t maskAt = colourAt + colourRow * h;
  const std::size_t maskRow = RowBytes(w, 1);
  image.slice(paletteAt, maskAt + maskRow * h - paletteAt);  // everything must be there

  out.width = static_cast<int>(w);
  out.height = static_cast<int>(h);
  out.argb.assign(w * h, 0);
  bool anyAlpha = false;
  for (std::size_t y = 0; y < h; ++y) {
    const std::size_t row = colourAt + (h - 1 - y) * colourRow;
    for (std::size_t x = 0; x < w; ++x) {
      std::uint32_t pixel = 0;
      if (bits == 32) {
        pixel = image.u32(row + 4 * x);
        anyAlpha = anyAlpha || (pixel >> 24) != 0;
      } else if (bits == 24) {
        const std::size_t at = row + 3 * x;
        pixel = 0xFF000000u | image.u8(at) | (image.u8(at + 1) << 8) | (image.u8(at + 2) << 16);
      } else {
        const std::size_t bitIndex = x * bits;
        const std::uint32_t byte = image.u8(row + bitIndex / 8);
        const std::uint32_t shift = 8 - bits - bitIndex % 8;
        const std::uint32_t index = (byte >> shift) & ((1u << bits) - 1);
        if (index >= colours) throw std::runtime_error("Cursor image uses a missing colour");
        pixel = 0xFF000000u | (image.u32(paletteAt + 4 * index) & 0xFFFFFFu);
      }
      out.argb[y * w + x] = pixel;
    }
  }
  // Without alpha in the colour bits, the AND mask says which pixels are transparent.
  if (!anyAlpha) {
    for (std::size_t y = 0; y < h; ++y) {
      const std::size_t row = maskAt + (h - 1 - y) * maskRow;
      for (std::size_t x = 0; x < w; ++x) {
        const bool transparent = (image.u8(row + x / 8) >> (7 - x % 8)) & 1;
        std::uint32_t& pixel = out.argb[y * w + x];
        pixel = transparent ? 0 : (pixel | 0xFF000000u);
      }
    }
  }
}

}  // namespace

std::vector<CursorImage> ReadCursorFile(std::span<const std::uint8_t> data) {
  const Bytes file(data);
  if (file.size() < 6 || file.u16(0) != 0 || file.u16(2) != 2)
    throw std::runtime_error("Not a cursor file");
  const std::uint32_t count = file.u16(4);
  if (count == 0) throw std::runtime_error("Cursor file holds no image");
  std::vector<CursorImage> images;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
    CursorImage image;
    image.hotspotX = static_cast<int>(file.u16(entry + 4));
    image.hotspotY = static_cast<int>(file.u16(entry + 6));
    const Bytes body(file.slice(file.u32(entry + 12), file.u32(entry + 8)));
    const auto raw = body.slice(0, body.size());
    if (IsPng(raw)) {
      image.width = file.u8(entry) == 0 ? 256 : static_cast<int>(file.u8(entry));
      image.height = file.u8(entry + 1) == 0 ? 256 : static_cast<int>(file.u8(entry + 1));
      image.png.assign(raw.begin(), raw.end());
    } else {
      DecodeDib(body, image);
    }
    if (image.hotspotX >= image.width || image.hotspotY >= image.height)
      throw std::runtime_error("Cursor hotspot lies outside its image");
    images.push_back(std::move(image));
  }
  return images;
}

}  // namespace quillora
