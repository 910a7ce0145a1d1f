#pragma once
// The drawing records of a workbook (MSODRAWINGGROUP in the globals, MSODRAWING and OBJ in
// the sheets) between the kept records a reader collects and the model's pictures.
#include <cstdint>
#include <vector>

#include "spreadsheet/drawing/SheetDrawingCodec.h"
#include "spreadsheet/model/Workbook.h"

namespace quillora::engine {

// Moves the drawings of a freshly read workbook into the model: the picture store and each
// sheet's pictures. Done only when every sheet's drawing holds nothing but pictures and the
// whole drawing decodes; otherwise every drawing record stays kept, written back as read.
void ModelDrawings(Workbook& workbook);

// What to write for the model's pictures: the MSODRAWINGGROUP payload (empty: no record)
// and, per sheet, its MSODRAWING/OBJ records. Each sheet with pictures gets the next
// drawing id from 1; picture shape ids outside that drawing's cluster are renumbered.
// Throws std::runtime_error for a picture whose store entry does not exist.
struct DrawingOutput {
  std::vector<std::uint8_t> group;
  std::vector<std::vector<DrawingRecord>> sheets;  // by sheet index
};
DrawingOutput PrepareDrawings(const Workbook& workbook);

}  // namespace quillora::engine
