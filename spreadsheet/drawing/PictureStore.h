#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "spreadsheet/drawing/DrawingModel.h"

namespace quillora::engine {

// One shape-id cluster of the drawing group: the drawing that owns it and how many of its
// ids are taken.
struct ShapeIdCluster {
  std::uint32_t drawingId = 0;
  std::uint32_t idsUsed = 0;
  friend bool operator==(const ShapeIdCluster&, const ShapeIdCluster&) = default;
};

// The workbook's drawing group (the MSODRAWINGGROUP payload, CONTINUE records joined):
// the picture store and the shape-id bookkeeping read from it.
struct DrawingGroup {
  PictureStore pictures;
  std::uint32_t maxShapeId = 0;    // spidMax
  std::uint32_t savedShapes = 0;   // cspSaved
  std::uint32_t savedDrawings = 0; // cdgSaved
  std::vector<ShapeIdCluster> clusters;
  friend bool operator==(const DrawingGroup&, const DrawingGroup&) = default;
};

// Reads a drawing group. Throws DrawingError on a malformed tree, a missing or short
// FDGG, or a store entry whose picture overruns it.
DrawingGroup ReadDrawingGroup(std::span<const std::uint8_t> payload);

// Writes the drawing group for a picture store and the sheets' drawings (which give the
// shape-id clusters and each picture's reference count). Each picture is named by the
// MD4 digest of its bytes. Returns an empty vector when there is neither a picture nor a
// drawing (the workbook then has no MSODRAWINGGROUP record).
std::vector<std::uint8_t> WriteDrawingGroup(const PictureStore& store,
                                            std::span<const SheetDrawing> drawings);

}  // namespace quillora::engine
