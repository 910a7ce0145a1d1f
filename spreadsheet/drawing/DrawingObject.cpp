#include "spreadsheet/drawing/DrawingObject.h"

#include <stdexcept>
#include <string>

#include "spreadsheet/drawing/DrawingBytes.h"

namespace quillora::engine {

namespace {

constexpr std::uint16_t kFtCmo = 0x0015;
constexpr std::uint16_t kCmoSize = 0x0012;
constexpr std::uint16_t kFtCf = 0x0007;
constexpr std::uint16_t kFtPioGrbit = 0x0008;
constexpr std::uint16_t kFtEnd = 0x0000;
constexpr std::uint16_t kCfUnspecified = 0xFFFF;
constexpr std::uint16_t kPioAutoPict = 0x0001;

}  // namespace

DrawingObject ReadDrawingObject(std::span<const std::uint8_t> payload) {
  drawing::ByteCursor cursor(payload, "object record");
  const std::uint16_t ft = cursor.U16();
  const std::uint16_t cb = cursor.U16();
  if (ft != kFtCmo || cb != kCmoSize)
    throw std::runtime_error("object record does not start with its common data (ft " +
                             std::to_string(ft) + ", size " + std::to_string(cb) + ")");
  DrawingObject object;
  object.objectType = cursor.U16();
  object.objectId = cursor.U16();
  object.flags = cursor.U16();
  cursor.Skip(12);
  object.bytes.assign(payload.begin(), payload.end());
  return object;
}

std::vector<std::uint8_t> WritePictureObject(std::uint16_t objectId) {
  std::vector<std::uint8_t> out;
  drawing::PutU16(out, kFtCmo);
  drawing::PutU16(out, kCmoSize);
  drawing::PutU16(out, kObjectTypePicture);
  drawing::PutU16(out, objectId);
  drawing::PutU16(out, kPictureObjectFlags);
  for (int i = 0; i < 3; ++i) drawing::PutU32(out, 0);
  drawing::PutU16(out, kFtCf);
  drawing::PutU16(out, 2);
  drawing::PutU16(out, kCfUnspecified);
  drawing::PutU16(out, kFtPioGrbit);
  drawing::PutU16(out, 2);
  drawing::PutU16(out, kPioAutoPict);
  drawing::PutU16(out, kFtEnd);
  drawing::PutU16(out, 0);
  return out;
}

}  // namespace quillora::engine
