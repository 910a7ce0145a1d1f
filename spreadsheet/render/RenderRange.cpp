#include "spreadsheet/render/RenderRange.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "spreadsheet/formula/Formula.h"
#include "spreadsheet/formula/FormulaTokens.h"

namespace quillora::render {

CellRange UsedRange(const engine::Sheet& sheet) {
  if (sheet.cells.empty() && sheet.rows.empty()) return {};
  CellRange range{65535, 255, 0, 0};
  for (const auto& [address, cell] : sheet.cells) {
    range.firstRow = std::min(range.firstRow, address.row);
    range.lastRow = std::max(range.lastRow, address.row);
    range.firstColumn = std::min(range.firstColumn, address.column);
    range.lastColumn = std::max(range.lastColumn, address.column);
  }
  for (const auto& [row, info] : sheet.rows) {
    const bool set = info.customHeight || info.hidden || info.xf.has_value();
    if (!set) continue;
    range.firstRow = std::min(range.firstRow, row);
    range.lastRow = std::max(range.lastRow, row);
  }
  if (range.firstColumn > range.lastColumn) range.firstColumn = range.lastColumn = 0;
  return range;
}

CellRange ParseRange(std::string_view text) {
  const std::string shown(text);
  std::vector<engine::FormulaToken> tokens;
  try {
    tokens = engine::DecodeFormula(engine::CompileFormula(text));
  } catch (const std::exception&) {
    tokens.clear();
  }
  if (tokens.size() != 1 || tokens[0].sheetRef ||
      (tokens[0].kind != engine::FormulaToken::Kind::Ref &&
       tokens[0].kind != engine::FormulaToken::Kind::Area))
    throw std::runtime_error("\"" + shown + "\" is not a cell range such as A1:C118");
  const engine::FormulaToken& token = tokens[0];
  const engine::RefCorner last =
      token.kind == engine::FormulaToken::Kind::Area ? token.last : token.first;
  return {std::min(token.first.row, last.row), std::min(token.first.column, last.column),
          std::max(token.first.row, last.row), std::max(token.first.column, last.column)};
}

}  // namespace quillora::render
