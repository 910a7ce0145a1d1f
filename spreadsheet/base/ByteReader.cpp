#include "spreadsheet/base/ByteReader.h"

#include <string>

#include "spreadsheet/base/Error.h"
#include "spreadsheet/base/LittleEndian.h"

namespace quillora::engine {

void ByteReader::ShortRead(std::size_t count) const {
  throw Error("the data ends early: " + std::to_string(count) + " bytes needed at offset " + std::to_string(pos_) +
              ", " + std::to_string(Remaining()) + " left");
}

std::uint8_t ByteReader::U8() {
  Need(1);
  return data_[pos_++];
}

std::uint16_t ByteReader::U16() {
  Need(2);
  pos_ += 2;
  return Load16(data_.data() + pos_ - 2);
}

std::uint32_t ByteReader::U32() {
  Need(4);
  pos_ += 4;
  return Load32(data_.data() + pos_ - 4);
}

double ByteReader::F64() {
  Need(8);
  pos_ += 8;
  return LoadDouble(data_.data() + pos_ - 8);
}

std::span<const std::uint8_t> ByteReader::Bytes(std::size_t count) {
  Need(count);
  pos_ += count;
  return data_.subspan(pos_ - count, count);
}

}  // namespace quillora::engine
