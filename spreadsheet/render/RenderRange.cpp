#include "spreadsheet/render/RenderRange.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "spreadsheet/formula/Formula.h"
#include "spreadsheet/formula/FormulaTokens.h"
#include "spreadsheet/model/UsedRange.h"

namespace quillora::render {

CellRange UsedRange(const engine::Sheet& sheet) {
  const engine::CellRange used = engine::SheetUsedRange(sheet);
  return {used.rowFirst, used.columnFirst, used.rowLast, used.columnLast};
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
