#pragma once

#include <cstddef>
#include <vector>

#include "spreadsheet/drawing/OfficeArtRecord.h"

namespace quillora::engine::drawing {

// A shape container of a sheet drawing and where, in the joined drawing stream, its client
// data record ends (that is where the shape's OBJ record goes).
struct ShapeLocation {
  const OfficeArtRecord* shape = nullptr;
  std::size_t clientDataEnd = 0;
  bool hasClientData = false;
  bool topLevel = false;  // a direct member of the drawing's outermost group
};

// All shape containers below `drawing` (a drawing container stored at stream offset 0),
// in stream order.
std::vector<ShapeLocation> LocateShapes(const OfficeArtRecord& drawing);

}  // namespace quillora::engine::drawing
