#pragma once

// The evaluator's stack entry and the functions it evaluates (internal to the evaluator).

#include <span>
#include <vector>

#include "spreadsheet/formula/Evaluator.h"

namespace quillora::engine::eval {

// A plain value, or a reference to one or more areas (a union has several).
struct Operand {
  Value value;
  std::vector<SheetArea> areas;
  bool missing = false;  // an omitted argument

  bool IsReference() const { return !areas.empty(); }
};

// What a function needs from the machine that runs the formula.
class Context {
 public:
  virtual ~Context() = default;
  // The single value an operand stands for (implicit intersection for a range).
  virtual Value Scalar(const Operand& operand) const = 0;
  // The cells that references read.
  virtual const CellSource& Cells() const = 0;
};

// True when CallFunction evaluates the function with this index.
bool IsEvaluated(std::uint16_t function);

// Calls a function on its arguments; throws UnsupportedFormula for one IsEvaluated refuses.
Operand CallFunction(std::uint16_t function, std::span<Operand> args, const Context& context);

}  // namespace quillora::engine::eval
