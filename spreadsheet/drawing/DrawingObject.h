#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace quillora::engine {

// The OBJ record that follows each shape of a sheet drawing. Its common part (ftCmo) is
// decoded; the whole payload is kept as read.
struct DrawingObject {
  std::uint16_t objectType = 0;  // ot: 8 is a picture
  std::uint16_t objectId = 0;
  std::uint16_t flags = 0;
  std::vector<std::uint8_t> bytes;
  friend bool operator==(const DrawingObject&, const DrawingObject&) = default;
};

inline constexpr std::uint16_t kObjectTypePicture = 8;
// Locked, printed, automatic fill and line.
inline constexpr std::uint16_t kPictureObjectFlags = 0x6011;

// Decodes an OBJ payload. Throws DrawingError when it does not start with a complete
// ftCmo sub-record.
DrawingObject ReadDrawingObject(std::span<const std::uint8_t> payload);

// The OBJ payload of a picture: ftCmo (picture, id, flags), ftCf (format neither metafile
// nor bitmap), ftPioGrbit (aspect ratio kept), ftEnd.
std::vector<std::uint8_t> WritePictureObject(std::uint16_t objectId);

}  // namespace quillora::engine
