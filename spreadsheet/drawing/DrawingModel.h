#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillora::engine {

// A stored picture of the workbook's picture store.
enum class BlipKind {
  Jpeg,
  Png,
  // A store entry of another kind (metafile, bitmap, ...): `bytes` holds the whole
  // entry record's payload as read, written back unchanged.
  Other,
};

struct Blip {
  BlipKind kind = BlipKind::Jpeg;
  std::vector<std::uint8_t> bytes;  // the JPEG or PNG file
  friend bool operator==(const Blip&, const Blip&) = default;
};

// The workbook-wide picture store; shapes refer to its entries by 1-based index.
struct PictureStore {
  std::vector<Blip> blips;
  friend bool operator==(const PictureStore&, const PictureStore&) = default;
};

// A two-cell anchor: zero-based columns and rows, dx in 1/1024 of the column's width,
// dy in 1/256 of the row's height.
struct Anchor {
  // fMove (bit 0) and fSize (bit 1): set bits keep the shape from moving or sizing with
  // the cells. 2 is "move but don't size with cells".
  std::uint16_t flags = 2;
  std::uint16_t col1 = 0;
  std::int16_t dx1 = 0;
  std::uint16_t row1 = 0;
  std::int16_t dy1 = 0;
  std::uint16_t col2 = 0;
  std::int16_t dx2 = 0;
  std::uint16_t row2 = 0;
  std::int16_t dy2 = 0;
  friend bool operator==(const Anchor&, const Anchor&) = default;
};

struct SheetPicture {
  std::string name;         // UTF-8
  std::string description;  // UTF-8
  int blipIndex = 1;        // 1-based index into PictureStore::blips
  Anchor anchor;
  std::uint32_t shapeId = 0;  // within the drawing's cluster: drawingId * 1024 + 1 ...
  friend bool operator==(const SheetPicture&, const SheetPicture&) = default;
};

// One sheet's drawing: its id in the workbook (1-based, one per sheet with shapes) and its
// pictures. The group shape that holds them is implicit and takes shape id drawingId * 1024.
struct SheetDrawing {
  std::uint32_t drawingId = 1;
  std::vector<SheetPicture> pictures;
  friend bool operator==(const SheetDrawing&, const SheetDrawing&) = default;
};

// The first shape id of a drawing's cluster (the group shape's id).
inline std::uint32_t FirstShapeId(std::uint32_t drawingId) { return drawingId * 1024; }

// The shape id a new picture in `drawing` should take.
std::uint32_t NextShapeId(const SheetDrawing& drawing);

}  // namespace quillora::engine
