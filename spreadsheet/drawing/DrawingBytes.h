#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Little-endian byte helpers shared by the drawing codecs. Every read is bounds-checked and
// a short read throws std::runtime_error naming what was being read.
namespace quillora::engine::drawing {

class ByteCursor {
 public:
  ByteCursor(std::span<const std::uint8_t> bytes, std::string_view what)
      : bytes_(bytes), what_(what) {}

  std::uint8_t U8();
  std::uint16_t U16();
  std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
  std::uint32_t U32();
  std::span<const std::uint8_t> Take(std::size_t count);
  void Skip(std::size_t count) { Take(count); }

  std::size_t Offset() const { return offset_; }
  std::size_t Remaining() const { return bytes_.size() - offset_; }

 private:
  void Need(std::size_t count) const;

  std::span<const std::uint8_t> bytes_;
  std::string_view what_;
  std::size_t offset_ = 0;
};

void PutU8(std::vector<std::uint8_t>& out, std::uint8_t value);
void PutU16(std::vector<std::uint8_t>& out, std::uint16_t value);
void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value);
void PutBytes(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> bytes);

// UTF-8 text to UTF-16LE code units with a terminating null, as OfficeArt stores names.
// Invalid UTF-8 throws.
std::vector<std::uint8_t> ToUtf16Z(std::string_view utf8, std::string_view what);
// UTF-16LE bytes to UTF-8, up to the first null; unpaired surrogates become U+FFFD.
std::string FromUtf16(std::span<const std::uint8_t> bytes);

}  // namespace quillora::engine::drawing
