#include "spreadsheet/numfmt/WorkbookFormats.h"

#include "spreadsheet/numfmt/NumberFormat.h"

namespace quillora::engine {

std::string NumberFormatCode(const Workbook& workbook, std::uint16_t index) {
  if (auto found = workbook.numberFormats.find(index); found != workbook.numberFormats.end()) return found->second;
  return std::string(BuiltinFormatCode(index).value_or("General"));
}

}  // namespace quillora::engine
