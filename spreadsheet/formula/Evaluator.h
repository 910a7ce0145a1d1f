#pragma once

// Evaluation of BIFF8 formula tokens against a CellSource.
//
// Evaluated: numbers, text, booleans, error constants, missing arguments; cell references,
// areas, 3-D references (through ReferenceResolver::ExternSheetSpan), the range, intersection
// and union operators; + - * / ^, unary + -, %, & and the comparisons; the functions SUM,
// AVERAGE, MIN, MAX, COUNT, COUNTA, IF, ROUND, ABS, AND, OR, NOT, TRUE, FALSE, NA, INT, MOD,
// SQRT and PRODUCT.
//
// Values follow the usual spreadsheet rules: an empty cell is 0 in arithmetic and "" in
// concatenation; text that reads as a number is that number in arithmetic, other text gives
// #VALUE!; a division by zero gives #DIV/0!; a result that is not a finite number gives #NUM!;
// the first error among the operands is the result. SUM, AVERAGE, MIN, MAX, COUNT, AND and OR
// skip text, booleans and empty cells inside ranges but take direct arguments (TRUE is 1,
// "3" is 3); an error inside a range is the result (COUNT and COUNTA count instead). A range
// where one value is wanted gives the cell in the formula's own row or column (implicit
// intersection), otherwise #VALUE!. A formula whose result is an empty cell gives 0.
//
// Anything else (defined names, other functions, references to other workbooks) makes
// evaluation throw UnsupportedFormula: the caller keeps the formula's cached value.

#include <cstdint>
#include <span>
#include <vector>

#include "spreadsheet/formula/CellSource.h"
#include "spreadsheet/formula/FormulaTokens.h"
#include "spreadsheet/formula/ReferenceResolver.h"

namespace quillora::engine {

class UnsupportedFormula : public FormulaError {
 public:
  using FormulaError::FormulaError;
};

// Where a formula lives: relative parts of its references are already absolute in BIFF8 cell
// formulas, so the site serves the sheet of 2-D references and implicit intersection.
struct EvaluationSite {
  int sheet = 0;
  CellAddress cell;
};

// A block of cells on a span of sheets: what a reference operand stands for.
struct SheetArea {
  int sheetFirst = 0;
  int sheetLast = 0;
  CellRange cells;
};

// A formula decoded once, evaluated many times.
class CompiledFormula {
 public:
  // Throws FormulaError when the bytes are malformed or use unsupported tokens.
  explicit CompiledFormula(std::span<const std::uint8_t> rgce);

  // Evaluates; throws UnsupportedFormula for what the evaluator does not take.
  Value Evaluate(const CellSource& cells, EvaluationSite site,
                 const ReferenceResolver& resolver = NoReferences()) const;

  // Every area the formula's result can depend on (for dependency ordering); a 3-D reference
  // the resolver does not know contributes nothing.
  std::vector<SheetArea> Precedents(EvaluationSite site, const ReferenceResolver& resolver = NoReferences()) const;

  // True when Evaluate can take every token (no names, only evaluated functions).
  bool Evaluable() const { return evaluable_; }

  const std::vector<FormulaToken>& Tokens() const { return tokens_; }

 private:
  std::vector<FormulaToken> tokens_;
  bool evaluable_ = true;
};

// Decodes and evaluates in one step.
Value EvaluateFormula(std::span<const std::uint8_t> rgce, const CellSource& cells, EvaluationSite site,
                      const ReferenceResolver& resolver = NoReferences());

}  // namespace quillora::engine
