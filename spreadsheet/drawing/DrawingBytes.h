#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "spreadsheet/base/ByteReader.h"
#include "spreadsheet/base/LittleEndian.h"

// Byte helpers shared by the drawing codecs: little-endian reads and writes come from the
// base layer; a short read throws DrawingError naming what was being read.
namespace quillora::engine::drawing {

class ByteCursor : public ByteReader {
 public:
  ByteCursor(std::span<const std::uint8_t> bytes, std::string_view what) : ByteReader(bytes), what_(what) {}

 private:
  [[noreturn]] void ShortRead(std::size_t count) const override;
  std::string_view what_;
};

// UTF-8 text to UTF-16LE code units with a terminating null, as OfficeArt stores names.
// Invalid UTF-8 throws.
std::vector<std::uint8_t> ToUtf16Z(std::string_view utf8, std::string_view what);
// UTF-16LE bytes to UTF-8, up to the first null; unpaired surrogates become U+FFFD.
std::string FromUtf16(std::span<const std::uint8_t> bytes);

}  // namespace quillora::engine::drawing
