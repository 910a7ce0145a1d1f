// The evaluator's stack machine: operands, references and operators; functions are in
// EvalFunctions.cpp.
#include "spreadsheet/formula/Evaluator.h"

#include <algorithm>
#include <cmath>

#include "spreadsheet/formula/EvalOperand.h"
#include "spreadsheet/formula/ValueOps.h"

namespace quillora::engine {

void CellSource::ForEachValue(int sheet, const CellRange& range,
                              const std::function<void(CellAddress, const Value&)>& visit) const {
  for (int row = range.rowFirst; row <= range.rowLast; ++row) {
    for (int column = range.columnFirst; column <= range.columnLast; ++column) {
      const CellAddress cell{row, column};
      const Value v = CellValue(sheet, cell);
      if (!std::holds_alternative<std::monostate>(v)) visit(cell, v);
    }
  }
}

namespace {

using eval::Operand;

Operand MakeScalar(Value v) { return Operand{std::move(v), {}, false}; }

// The areas a reference token stands for; nullopt for a 3-D reference to an unknown sheet.
std::optional<SheetArea> TokenArea(const FormulaToken& t, EvaluationSite site, const ReferenceResolver& resolver) {
  SheetArea area;
  area.sheetFirst = area.sheetLast = site.sheet;
  if (t.sheetRef) {
    const auto span = resolver.ExternSheetSpan(t.externSheet);
    if (!span || span->first < 0 || span->last < span->first) return std::nullopt;
    area.sheetFirst = span->first;
    area.sheetLast = span->last;
  }
  area.cells = CellRange::FromCorners({t.first.row, t.first.column}, {t.last.row, t.last.column});
  return area;
}

SheetArea Bounding(const SheetArea& a, const SheetArea& b) {
  SheetArea r = a;
  r.cells.rowFirst = std::min(a.cells.rowFirst, b.cells.rowFirst);
  r.cells.rowLast = std::max(a.cells.rowLast, b.cells.rowLast);
  r.cells.columnFirst = std::min(a.cells.columnFirst, b.cells.columnFirst);
  r.cells.columnLast = std::max(a.cells.columnLast, b.cells.columnLast);
  return r;
}

std::optional<SheetArea> Intersect(const SheetArea& a, const SheetArea& b) {
  if (a.sheetFirst != b.sheetFirst || a.sheetLast != b.sheetLast) return std::nullopt;
  SheetArea r = a;
  r.cells.rowFirst = std::max(a.cells.rowFirst, b.cells.rowFirst);
  r.cells.rowLast = std::min(a.cells.rowLast, b.cells.rowLast);
  r.cells.columnFirst = std::max(a.cells.columnFirst, b.cells.columnFirst);
  r.cells.columnLast = std::min(a.cells.columnLast, b.cells.columnLast);
  if (r.cells.rowFirst > r.cells.rowLast || r.cells.columnFirst > r.cells.columnLast) return std::nullopt;
  return r;
}

Value Arithmetic(std::uint8_t op, double x, double y) {
  double r = 0;
  switch (op) {
    case ptg::kAdd: r = x + y; break;
    case ptg::kSub: r = x - y; break;
    case ptg::kMul: r = x * y; break;
    case ptg::kDiv:
      if (y == 0) return ErrorCode::Div0;
      r = x / y;
      break;
    default:
      if (x == 0 && y == 0) return ErrorCode::Num;
      if (x == 0 && y < 0) return ErrorCode::Div0;
      r = std::pow(x, y);
      break;
  }
  if (!std::isfinite(r)) return ErrorCode::Num;
  return r;
}

bool Comparison(std::uint8_t op, int order) {
  switch (op) {
    case ptg::kLt: return order < 0;
    case ptg::kLe: return order <= 0;
    case ptg::kEq: return order == 0;
    case ptg::kGe: return order >= 0;
    case ptg::kGt: return order > 0;
    default: return order != 0;
  }
}

class Machine final : public eval::Context {
 public:
  Machine(const CellSource& cells, EvaluationSite site, const ReferenceResolver& resolver)
      : cells_(cells), site_(site), resolver_(resolver) {}

  const CellSource& Cells() const override { return cells_; }

  Value Scalar(const Operand& op) const override {
    if (!op.IsReference()) return op.value;
    if (op.areas.size() != 1) return ErrorCode::Value;
    const SheetArea& a = op.areas.front();
    if (a.sheetFirst != a.sheetLast) return ErrorCode::Value;
    const CellRange& r = a.cells;
    if (r.rowFirst == r.rowLast && r.columnFirst == r.columnLast) {
      return cells_.CellValue(a.sheetFirst, CellAddress{r.rowFirst, r.columnFirst});
    }
    // Implicit intersection with the formula's own row or column.
    if (r.columnFirst == r.columnLast && site_.cell.row >= r.rowFirst && site_.cell.row <= r.rowLast) {
      return cells_.CellValue(a.sheetFirst, CellAddress{site_.cell.row, r.columnFirst});
    }
    if (r.rowFirst == r.rowLast && site_.cell.column >= r.columnFirst && site_.cell.column <= r.columnLast) {
      return cells_.CellValue(a.sheetFirst, CellAddress{r.rowFirst, site_.cell.column});
    }
    return ErrorCode::Value;
  }

  Value Run(const std::vector<FormulaToken>& tokens) {
    stack_.clear();
    for (const FormulaToken& t : tokens) Step(t);
    Value result = Scalar(stack_.back());
    if (std::holds_alternative<std::monostate>(result)) return 0.0;
    return result;
  }

 private:
  Operand Pop() {
    Operand op = std::move(stack_.back());
    stack_.pop_back();
    return op;
  }

  void Step(const FormulaToken& t) {
    switch (t.kind) {
      case FormulaToken::Kind::Number: stack_.push_back(eval::Operand{t.number, {}, false}); break;
      case FormulaToken::Kind::String: stack_.push_back(eval::Operand{t.text, {}, false}); break;
      case FormulaToken::Kind::Boolean: stack_.push_back(eval::Operand{t.boolean, {}, false}); break;
      case FormulaToken::Kind::Error: stack_.push_back(eval::Operand{t.error, {}, false}); break;
      case FormulaToken::Kind::Missing: stack_.push_back(eval::Operand{{}, {}, true}); break;
      case FormulaToken::Kind::Ref:
      case FormulaToken::Kind::Area: {
        if (t.sheetRef && resolver_.ExternSheetInOtherWorkbook(t.externSheet))
          throw UnsupportedFormula("refers to another workbook");
        auto area = TokenArea(t, site_, resolver_);
        stack_.push_back(area ? eval::Operand{{}, {*area}, false} : eval::Operand{ErrorCode::Ref, {}, false});
        break;
      }
      case FormulaToken::Kind::Name: throw UnsupportedFormula("defined names are not evaluated");
      case FormulaToken::Kind::Paren: break;
      case FormulaToken::Kind::Unary: UnaryStep(t.op); break;
      case FormulaToken::Kind::Binary: BinaryStep(t.op); break;
      case FormulaToken::Kind::Function: {
        const auto n = static_cast<std::size_t>(t.argCount);
        std::vector<Operand> args(std::make_move_iterator(stack_.end() - static_cast<std::ptrdiff_t>(n)),
                                  std::make_move_iterator(stack_.end()));
        stack_.resize(stack_.size() - n);
        stack_.push_back(eval::CallFunction(t.function, args, *this));
        break;
      }
    }
  }

  void UnaryStep(std::uint8_t op) {
    const Value v = Scalar(Pop());
    if (op == ptg::kUplus) {
      stack_.push_back(eval::Operand{v, {}, false});
      return;
    }
    const NumberOrError n = ToNumber(v);
    if (const auto* e = std::get_if<ErrorCode>(&n)) {
      stack_.push_back(eval::Operand{*e, {}, false});
      return;
    }
    const double x = std::get<double>(n);
    stack_.push_back(eval::Operand{op == ptg::kUminus ? -x : x / 100, {}, false});
  }

  void BinaryStep(std::uint8_t op) {
    Operand right = Pop();
    Operand left = Pop();
    if (op == ptg::kRange || op == ptg::kIsect || op == ptg::kUnion) {
      stack_.push_back(ReferenceOperator(op, std::move(left), std::move(right)));
      return;
    }
    const Value a = Scalar(left);
    const Value b = Scalar(right);
    stack_.push_back(eval::Operand{ValueOperator(op, a, b), {}, false});
  }

  static Value ValueOperator(std::uint8_t op, const Value& a, const Value& b) {
    if (op == ptg::kConcat) {
      const auto x = ToText(a);
      if (!x) return std::get<ErrorCode>(a);
      const auto y = ToText(b);
      if (!y) return std::get<ErrorCode>(b);
      return *x + *y;
    }
    if (op >= ptg::kLt && op <= ptg::kNe) {
      if (IsError(a)) return a;
      if (IsError(b)) return b;
      return Comparison(op, CompareValues(a, b));
    }
    const NumberOrError x = ToNumber(a);
    if (const auto* e = std::get_if<ErrorCode>(&x)) return *e;
    const NumberOrError y = ToNumber(b);
    if (const auto* e = std::get_if<ErrorCode>(&y)) return *e;
    return Arithmetic(op, std::get<double>(x), std::get<double>(y));
  }

  static Operand ReferenceOperator(std::uint8_t op, Operand left, Operand right) {
    if (!left.IsReference()) return IsError(left.value) ? left : MakeScalar(ErrorCode::Value);
    if (!right.IsReference()) return IsError(right.value) ? right : MakeScalar(ErrorCode::Value);
    if (op == ptg::kUnion) {
      left.areas.insert(left.areas.end(), right.areas.begin(), right.areas.end());
      return left;
    }
    if (op == ptg::kRange) {
      SheetArea box = left.areas.front();
      for (const auto* side : {&left, &right}) {
        for (const SheetArea& a : side->areas) {
          if (a.sheetFirst != box.sheetFirst || a.sheetLast != box.sheetLast) return MakeScalar(ErrorCode::Value);
          box = Bounding(box, a);
        }
      }
      return Operand{{}, {box}, false};
    }
    Operand result;
    for (const SheetArea& a : left.areas) {
      for (const SheetArea& b : right.areas) {
        if (auto r = Intersect(a, b)) result.areas.push_back(*r);
      }
    }
    return result.IsReference() ? result : MakeScalar(ErrorCode::Null);
  }

  const CellSource& cells_;
  EvaluationSite site_;
  const ReferenceResolver& resolver_;
  std::vector<Operand> stack_;
};

}  // namespace

CompiledFormula::CompiledFormula(std::span<const std::uint8_t> rgce) : tokens_(DecodeFormula(rgce)) {
  for (const FormulaToken& t : tokens_) {
    if (t.kind == FormulaToken::Kind::Name) evaluable_ = false;
    if (t.kind == FormulaToken::Kind::Function && !eval::IsEvaluated(t.function)) evaluable_ = false;
  }
}

Value CompiledFormula::Evaluate(const CellSource& cells, EvaluationSite site, const ReferenceResolver& resolver) const {
  return Machine(cells, site, resolver).Run(tokens_);
}

std::vector<SheetArea> CompiledFormula::Precedents(EvaluationSite site, const ReferenceResolver& resolver) const {
  // Follows the token program with areas only, so a range operator contributes the whole
  // block between its operands.
  std::vector<std::vector<SheetArea>> stack;
  for (const FormulaToken& t : tokens_) {
    std::size_t pops = 0;
    if (t.kind == FormulaToken::Kind::Unary || t.kind == FormulaToken::Kind::Paren) pops = 1;
    if (t.kind == FormulaToken::Kind::Binary) pops = 2;
    if (t.kind == FormulaToken::Kind::Function) pops = static_cast<std::size_t>(t.argCount);
    std::vector<SheetArea> merged;
    for (std::size_t i = stack.size() - pops; i < stack.size(); ++i) {
      merged.insert(merged.end(), stack[i].begin(), stack[i].end());
    }
    stack.resize(stack.size() - pops);
    if (t.kind == FormulaToken::Kind::Ref || t.kind == FormulaToken::Kind::Area) {
      if (auto area = TokenArea(t, site, resolver)) merged.push_back(*area);
    }
    if (t.kind == FormulaToken::Kind::Binary && t.op == ptg::kRange && !merged.empty()) {
      SheetArea box = merged.front();
      for (const SheetArea& a : merged) {
        if (a.sheetFirst == box.sheetFirst && a.sheetLast == box.sheetLast) box = Bounding(box, a);
      }
      merged.push_back(box);
    }
    stack.push_back(std::move(merged));
  }
  return stack.empty() ? std::vector<SheetArea>{} : std::move(stack.back());
}

Value EvaluateFormula(std::span<const std::uint8_t> rgce, const CellSource& cells, EvaluationSite site,
                      const ReferenceResolver& resolver) {
  return CompiledFormula(rgce).Evaluate(cells, site, resolver);
}

}  // namespace quillora::engine
