#include "spreadsheet/drawing/DrawingModel.h"

#include <algorithm>

namespace quillora::engine {

std::uint32_t NextShapeId(const SheetDrawing& drawing) {
  std::uint32_t last = FirstShapeId(drawing.drawingId);
  for (const auto& picture : drawing.pictures) last = std::max(last, picture.shapeId);
  return last + 1;
}

}  // namespace quillora::engine
