#pragma once

// Recalculation of a workbook's formula cells in dependency order.
//
// The workbook model plugs in through RecalcWorkbook: it lists its formula cells, gives cell
// values (a formula cell's value is its cached result) and takes the new results. The
// Recalculator decodes every formula and orders them so that each formula is evaluated
// after the formula cells it reads, a range counting as reading every cell in it. Then:
//   - a formula the evaluator cannot take (a defined name, a function it does not evaluate,
//     token bytes it cannot decode) keeps its cached value, which its dependants then read;
//   - the formulas of a circular reference (a cycle of any length, a formula reading its own
//     cell included) get kCircularReferenceError, which spreads to the formulas that read them;
//   - everything else gets its evaluated result.
// Ordering uses explicit stacks (no recursion), so long chains and cycles are safe, and costs
// time about linear in formulas plus references: a range read is one dependency, not one per formula
// inside it (see DependencyGraph).

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "spreadsheet/formula/Evaluator.h"
#include "spreadsheet/formula/FormulaIndex.h"

namespace quillora::engine {

// The result given to every formula in a circular reference.
inline constexpr ErrorCode kCircularReferenceError = ErrorCode::Ref;

class RecalcWorkbook : public CellSource {
 public:
  struct FormulaCell {
    int sheet = 0;
    CellAddress cell;
    std::span<const std::uint8_t> tokens;  // the formula's rgce
  };

  // Calls visit once for each formula cell of each sheet. The token bytes need to stay valid
  // only during the call.
  virtual void ForEachFormula(const std::function<void(const FormulaCell&)>& visit) const = 0;

  // Stores a formula cell's new result as its cached value.
  virtual void SetFormulaResult(int sheet, CellAddress cell, const Value& result) = 0;
};

struct RecalcSummary {
  std::size_t formulas = 0;    // formula cells seen
  std::size_t evaluated = 0;   // given a newly evaluated result
  std::size_t keptCached = 0;  // not evaluable: cached value kept
  std::size_t circular = 0;    // part of a circular reference
  // One line per formula that kept its cached value: "sheet 0 B4: <reason>".
  std::vector<std::string> notEvaluated;
};

class Recalculator {
 public:
  // Reads and orders the workbook's formulas. The resolver must outlive the Recalculator.
  // Build a new Recalculator after formulas change; values may change freely between runs.
  explicit Recalculator(const RecalcWorkbook& workbook, const ReferenceResolver& resolver = NoReferences());

  // Evaluates every formula in order and stores the results in the workbook.
  RecalcSummary Run(RecalcWorkbook& workbook) const;

 private:
  struct Formula {
    int sheet = 0;
    CellAddress cell;
    std::size_t bytesAt = 0;  // where its token bytes start in bytes_
    bool circular = false;
  };
  class Overlay;

  std::span<const std::uint8_t> Bytes(std::size_t formula) const;

  const ReferenceResolver& resolver_;
  std::vector<Formula> formulas_;
  std::vector<std::uint8_t> bytes_;  // every formula's token bytes, one after the other
  std::unordered_map<std::size_t, std::string> problems_;  // why a formula is not evaluable
  FormulaIndex index_;              // where formulas_ are
  std::vector<std::size_t> order_;  // evaluation order
};

// Orders and runs once.
RecalcSummary Recalculate(RecalcWorkbook& workbook, const ReferenceResolver& resolver = NoReferences());

}  // namespace quillora::engine
