#include "cli/PngFile.h"

#include <zlib.h>

#include <algorithm>
#include <exception>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <thread>

namespace quillora::cli {
namespace {

// Rows converted at once for pictures whose pixels are not 32-bit blue, green, red, unused.
constexpr int kBandRows = 64;
// A picture this tall or taller is compressed in two halves at once.
constexpr int kSplitRows = 2 * kBandRows;
// IDAT chunks hold at most this many bytes each.
constexpr std::size_t kChunkBytes = std::size_t{1} << 20;

void PutBig32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(const PngSink& sink, const char (&type)[5], std::span<const std::uint8_t> data) {
  std::vector<std::uint8_t> frame;
  PutBig32(frame, static_cast<std::uint32_t>(data.size()));
  const auto* name = reinterpret_cast<const std::uint8_t*>(type);
  frame.insert(frame.end(), name, name + 4);
  sink(frame);
  if (!data.empty()) sink(data);
  uLong crc = crc32(0, name, 4);
  if (!data.empty()) crc = crc32_z(crc, data.data(), data.size());  // a null buffer would restart the sum
  frame.clear();
  PutBig32(frame, static_cast<std::uint32_t>(crc));
  sink(frame);
}

// The compressed bytes go into blocks of one chunk's size, each later written as one IDAT
// chunk: nothing is moved or over-allocated as the piece grows.
struct Block {
  std::unique_ptr<std::uint8_t[]> bytes;
  std::size_t used = 0;
};
// Rows [first, last) as one piece of a deflate stream: each row a filter byte (none) and
// its pixels as red, green, blue. A piece that is not the last ends on a byte boundary
// without closing the stream, so the pieces join into one.
struct Piece {
  std::vector<Block> deflated;
  uLong adler = adler32(0, nullptr, 0);
  std::size_t rawBytes = 0;
};

Piece Compress(const QImage& picture, int first, int last, bool closes) {
  static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "32-bit pixels are stored as blue, green, red, alpha");
  const bool direct =
      picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32_Premultiplied;
  const int width = picture.width();
  const std::size_t rowBytes = 1 + 3 * static_cast<std::size_t>(width);
  Piece piece;
  z_stream z{};
  if (deflateInit2(&z, 1, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw std::runtime_error("cannot start the PNG compressor");
  // The compressor's state is released however the piece ends.
  const std::unique_ptr<z_stream, int (*)(z_stream*)> release(&z, deflateEnd);
  const auto feed = [&](const std::uint8_t* data, std::size_t size, int flush) {
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(size);
    for (;;) {
      if (piece.deflated.empty() || piece.deflated.back().used == kChunkBytes)
        piece.deflated.push_back({std::make_unique_for_overwrite<std::uint8_t[]>(kChunkBytes), 0});
      Block& block = piece.deflated.back();
      z.next_out = block.bytes.get() + block.used;
      z.avail_out = static_cast<uInt>(kChunkBytes - block.used);
      const int result = deflate(&z, flush);
      block.used = kChunkBytes - z.avail_out;
      if (result == Z_STREAM_END) return;
      if (result != Z_OK && result != Z_BUF_ERROR) throw std::runtime_error("cannot compress the picture as PNG");
      if (z.avail_in == 0 && z.avail_out != 0) return;
    }
  };
  std::vector<std::uint8_t> row(rowBytes, 0);
  QImage band;
  for (int y = first; y < last; ++y) {
    if (direct) {
      const std::uint8_t* from = picture.constScanLine(y);
      for (int x = 0; x < width; ++x, from += 4) {
        row[1 + 3 * static_cast<std::size_t>(x)] = from[2];
        row[2 + 3 * static_cast<std::size_t>(x)] = from[1];
        row[3 + 3 * static_cast<std::size_t>(x)] = from[0];
      }
    } else {
      const int inBand = (y - first) % kBandRows;
      if (inBand == 0)
        band = picture.copy(0, y, width, std::min(kBandRows, last - y)).convertToFormat(QImage::Format_RGB888);
      std::copy_n(band.constScanLine(inBand), rowBytes - 1, row.begin() + 1);
    }
    piece.adler = adler32_z(piece.adler, row.data(), row.size());
    piece.rawBytes += row.size();
    feed(row.data(), row.size(), Z_NO_FLUSH);
  }
  feed(nullptr, 0, closes ? Z_FINISH : Z_SYNC_FLUSH);
  return piece;
}

}  // namespace

void WritePng(const QImage& picture, const PngSink& sink) {
  const int width = picture.width(), height = picture.height();
  if (width <= 0 || height <= 0) throw std::runtime_error("cannot encode an empty picture as PNG");
  const int split = height >= kSplitRows ? height / 2 : height;
  Piece lower;
  std::exception_ptr lowerFailed;
  std::thread second;
  if (split < height)
    second = std::thread([&] {
      try {
        lower = Compress(picture, split, height, true);
      } catch (...) {
        lowerFailed = std::current_exception();
      }
    });
  Piece upper;
  try {
    upper = Compress(picture, 0, split, split == height);
  } catch (...) {
    if (second.joinable()) second.join();
    throw;
  }
  if (second.joinable()) second.join();
  if (lowerFailed) std::rethrow_exception(lowerFailed);

  // One zlib stream over IDAT chunks: its header (deflate, fastest level), the pieces as they
  // are, the checksum of all rows. Chunks may split the stream anywhere, so nothing is copied
  // twice.
  const uLong adler =
      split < height ? adler32_combine(upper.adler, lower.adler, static_cast<z_off_t>(lower.rawBytes)) : upper.adler;
  const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  sink(signature);
  std::vector<std::uint8_t> header;
  PutBig32(header, static_cast<std::uint32_t>(width));
  PutBig32(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, no filtering method, not interlaced
  PutChunk(sink, "IHDR", header);
  const std::uint8_t zlibHeader[] = {0x78, 0x01};
  PutChunk(sink, "IDAT", zlibHeader);
  for (Piece* piece : {&upper, &lower})
    for (Block& block : piece->deflated) {
      if (block.used != 0) PutChunk(sink, "IDAT", std::span<const std::uint8_t>(block.bytes.get(), block.used));
      block.bytes.reset();
    }
  std::vector<std::uint8_t> checksum;
  PutBig32(checksum, static_cast<std::uint32_t>(adler));
  PutChunk(sink, "IDAT", checksum);
  PutChunk(sink, "IEND", {});
}

std::vector<std::uint8_t> EncodePng(const QImage& picture) {
  std::vector<std::uint8_t> out;
  WritePng(picture, [&out](std::span<const std::uint8_t> bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); });
  return out;
}

}  // namespace quillora::cli
