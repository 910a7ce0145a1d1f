#include "spreadsheet/drawing/DrawingObject.h"

#include <string>

#include "spreadsheet/drawing/DrawingBytes.h"
#include "spreadsheet/drawing/DrawingError.h"

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
    throw DrawingError("object record does not start with its common data (ft " + std::to_string(ft) + ", size " +
                       std::to_string(cb) + ")");
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
  Put16(out, kFtCmo);
  Put16(out, kCmoSize);
  Put16(out, kObjectTypePicture);
  Put16(out, objectId);
  Put16(out, kPictureObjectFlags);
  for (int i = 0; i < 3; ++i) Put32(out, 0);
  Put16(out, kFtCf);
  Put16(out, 2);
  Put16(out, kCfUnspecified);
  Put16(out, kFtPioGrbit);
  Put16(out, 2);
  Put16(out, kPioAutoPict);
  Put16(out, kFtEnd);
  Put16(out, 0);
  return out;
}

}  // namespace quillora::engine
