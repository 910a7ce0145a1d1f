#include "spreadsheet/render/RenderRange.h"

#include <stdexcept>
#include <string>

#include "spreadsheet/base/A1Text.h"
#include "spreadsheet/edit/UsedRange.h"

namespace quillora::render {

CellRange UsedRange(const engine::Sheet& sheet) {
  const engine::CellRange used = engine::SheetUsedRange(sheet);
  return {used.rowFirst, used.columnFirst, used.rowLast, used.columnLast};
}

CellRange ParseRange(std::string_view text) {
  const std::optional<engine::A1Range> range = engine::ParseA1Range(text);
  if (!range) throw std::runtime_error("\"" + std::string(text) + "\" is not a cell range such as A1:C118");
  return {range->rowFirst, range->columnFirst, range->rowLast, range->columnLast};
}

}  // namespace quillora::render
