#include "spreadsheet/render/RenderRange.h"

#include <string>

#include "spreadsheet/base/A1Text.h"
#include "spreadsheet/edit/UsedRange.h"
#include "spreadsheet/render/RenderError.h"

namespace quillora::render {

CellRange ParseRange(std::string_view text) {
  const std::optional<CellRange> range = engine::ParseA1Range(text);
  if (!range) throw RenderError("\"" + std::string(text) + "\" is not a cell range such as A1:C118");
  return *range;
}

}  // namespace quillora::render
