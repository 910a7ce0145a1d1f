#include "spreadsheet/edit/CellNumberFormat.h"

#include <algorithm>
#include <stdexcept>

#include "spreadsheet/base/Error.h"
#include "spreadsheet/numfmt/WorkbookFormats.h"

namespace quillora::engine {
namespace {

constexpr std::size_t kMaxCellFormats = 4050;      // XF records a BIFF8 workbook may hold
constexpr std::uint16_t kFirstOwnFormat = 164;     // indexes below belong to built-in formats
constexpr std::uint16_t kDefaultCellFormat = 15;

std::uint16_t FormatIndexFor(Workbook& workbook, std::string_view code) {
  for (const auto& [index, text] : workbook.numberFormats)
    if (text == code) return index;
  std::uint16_t index = kFirstOwnFormat;
  if (!workbook.numberFormats.empty()) index = std::max(index, workbook.numberFormats.rbegin()->first);
  if (workbook.numberFormats.count(index) != 0) {
    if (index == 0xFFFF) throw RequestError("The workbook has no room for another number format");
    ++index;
  }
  workbook.numberFormats.emplace(index, std::string(code));
  return index;
}

std::uint16_t CellFormatFor(Workbook& workbook, CellFormat wanted) {
  const auto& formats = workbook.cellFormats;
  if (const auto it = std::find(formats.begin(), formats.end(), wanted); it != formats.end())
    return static_cast<std::uint16_t>(it - formats.begin());
  if (formats.size() >= kMaxCellFormats)
    throw RequestError("The workbook has no room for another cell format (4050 at most)");
  workbook.cellFormats.push_back(wanted);
  return static_cast<std::uint16_t>(workbook.cellFormats.size() - 1);
}

}  // namespace

std::string CellNumberFormatCode(const Workbook& workbook, const Sheet& sheet, CellAddress cell) {
  const auto it = sheet.cells.find(cell);
  const std::uint16_t xf = it == sheet.cells.end() ? kDefaultCellFormat : it->second.xf;
  if (xf >= workbook.cellFormats.size()) return "General";
  return NumberFormatCode(workbook, workbook.cellFormats[xf].format);
}

void SetCellNumberFormat(Workbook& workbook, Sheet& sheet, CellAddress cell, std::string_view code) {
  if (CellNumberFormatCode(workbook, sheet, cell) == code) return;
  Cell& target = sheet.cells[cell];  // a new cell is blank, in the default format
  CellFormat wanted = target.xf < workbook.cellFormats.size() ? workbook.cellFormats[target.xf] : CellFormat{};
  wanted.format = FormatIndexFor(workbook, code);
  wanted.usedAttributes |= 0x01;  // the number format is the cell's own
  target.xf = CellFormatFor(workbook, wanted);
}

}  // namespace quillora::engine
