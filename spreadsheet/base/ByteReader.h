#pragma once
// Bounds-checked little-endian reads from a span of bytes. A read the bytes cannot hold
// calls ShortRead, which a reader for one kind of data overrides to throw its own error
// with its own wording; nothing is read past the end.
#include <cstddef>
#include <cstdint>
#include <span>

namespace quillora::engine {

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}
  virtual ~ByteReader() = default;
  ByteReader(const ByteReader&) = default;
  ByteReader& operator=(const ByteReader&) = default;

  std::uint8_t U8();
  std::uint16_t U16();
  std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
  std::uint32_t U32();
  double F64();
  // The next `count` bytes, which the reader moves past.
  std::span<const std::uint8_t> Bytes(std::size_t count);
  void Skip(std::size_t count) { Bytes(count); }

  std::size_t Position() const { return pos_; }
  std::size_t Remaining() const { return data_.size() - pos_; }
  bool AtEnd() const { return pos_ >= data_.size(); }

 protected:
  // The bytes from the current position to the end.
  std::span<const std::uint8_t> Rest() const { return data_.subspan(pos_); }
  // Throws for a read of `count` bytes at Position() that runs past the end. The default
  // throws Error naming the offset and the shortfall.
  [[noreturn]] virtual void ShortRead(std::size_t count) const;

 private:
  void Need(std::size_t count) const {
    if (count > Remaining()) ShortRead(count);
  }

  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
};

}  // namespace quillora::engine
