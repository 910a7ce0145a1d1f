#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "spreadsheet/drawing/DrawingModel.h"
#include "spreadsheet/drawing/DrawingObject.h"
#include "spreadsheet/drawing/OfficeArtRecord.h"

namespace quillora::engine {

// A sheet's drawing is one OfficeArt tree cut into several MSODRAWING records, with an OBJ
// record after the record that ends each shape's client data (and a TXO after a text box's
// text). These are the records of that run, in file order, each payload with its CONTINUE
// records already joined.
enum class DrawingRecordKind { Drawing, Object, Text };

struct DrawingRecord {
  DrawingRecordKind kind = DrawingRecordKind::Drawing;
  std::vector<std::uint8_t> payload;
  friend bool operator==(const DrawingRecord&, const DrawingRecord&) = default;
};

// A shape found in a sheet drawing, with the OBJ record that followed it.
struct DrawingShape {
  std::uint32_t shapeId = 0;
  std::uint16_t shapeType = 0;  // FSP instance: 75 picture frame, 0 the group
  std::optional<DrawingObject> object;
};

struct SheetDrawingRead {
  SheetDrawing drawing;                  // the pictures this engine models
  std::vector<OfficeArtRecord> records;  // the whole tree, for what is not modelled
  std::vector<DrawingShape> shapes;      // every shape in file order
  std::size_t otherShapes = 0;           // shapes besides the group and the pictures
};

// Reads a sheet's drawing. Throws DrawingError when the joined payloads are not one
// drawing container (0xF002) with its FDG, when a record is malformed, or when an OBJ record
// does not come right after a shape's client data.
SheetDrawingRead ReadSheetDrawing(std::span<const DrawingRecord> records);

// The records to write for a sheet's drawing: MSODRAWING payloads, each followed by the OBJ
// payload of the picture whose client data it ends. Empty when the drawing has no picture.
// Throws DrawingError for shape ids outside the drawing's cluster or repeated, a
// blip index below 1, or names that are not valid UTF-8.
std::vector<DrawingRecord> WriteSheetDrawing(const SheetDrawing& drawing);

}  // namespace quillora::engine
