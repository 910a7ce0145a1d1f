// The worksheet functions the evaluator computes.
#include <algorithm>
#include <cmath>
#include <string>
#include <optional>

#include "spreadsheet/formula/EvalOperand.h"
#include "spreadsheet/formula/FunctionTable.h"
#include "spreadsheet/formula/ValueOps.h"

namespace quillora::engine::eval {
namespace {

constexpr std::uint16_t kNa = 10, kInt = 25, kSqrt = 20, kMod = 39, kProduct = 183;

Operand Result(Value v) { return Operand{std::move(v), {}, false}; }

Operand NumberResult(double v) {
  return std::isfinite(v) ? Result(v) : Result(ErrorCode::Num);
}

// Calls visit for every value stored in the operand's areas.
template <typename Visit>
void VisitReferenced(const Context& c, const Operand& op, Visit&& visit) {
  for (const SheetArea& a : op.areas) {
    for (int sheet = a.sheetFirst; sheet <= a.sheetLast; ++sheet) {
      c.Cells().ForEachValue(sheet, a.cells, [&](CellAddress, const Value& v) { visit(v); });
    }
  }
}

// Feeds the numbers of the arguments to add. In ranges only numbers count; direct arguments
// are converted (TRUE 1, "3" 3). Returns the first error, unless counting (COUNT skips what is
// not a number, errors included).
template <typename Add>
std::optional<ErrorCode> CollectNumbers(std::span<Operand> args, const Context& c, bool counting, Add&& add) {
  std::optional<ErrorCode> error;
  for (const Operand& arg : args) {
    if (arg.missing) continue;
    if (arg.IsReference()) {
      VisitReferenced(c, arg, [&](const Value& v) {
        if (const auto* d = std::get_if<double>(&v)) add(*d);
        else if (const auto* e = std::get_if<ErrorCode>(&v); e && !counting && !error) error = *e;
      });
    } else {
      const NumberOrError n = ToNumber(arg.value);
      if (const auto* d = std::get_if<double>(&n)) add(*d);
      else if (!counting && !error) error = std::get<ErrorCode>(n);
    }
    if (error) return error;
  }
  return std::nullopt;
}

Operand Aggregate(std::uint16_t function, std::span<Operand> args, const Context& c) {
  double sum = 0, product = 1, low = HUGE_VAL, high = -HUGE_VAL;
  std::size_t count = 0;
  const bool counting = function == fn::kCount;
  if (auto error = CollectNumbers(args, c, counting, [&](double d) {
        sum += d;
        product *= d;
        low = std::min(low, d);
        high = std::max(high, d);
        ++count;
      })) {
    return Result(*error);
  }
  switch (function) {
    case fn::kSum: return NumberResult(sum);
    case fn::kAverage: return count == 0 ? Result(ErrorCode::Div0) : NumberResult(sum / static_cast<double>(count));
    case fn::kMin: return Result(count == 0 ? 0.0 : low);
    case fn::kMax: return Result(count == 0 ? 0.0 : high);
    case kProduct: return NumberResult(count == 0 ? 0.0 : product);
    default: return Result(static_cast<double>(count));
  }
}

Operand CountA(std::span<Operand> args, const Context& c) {
  double count = 0;
  for (const Operand& arg : args) {
    if (arg.IsReference()) {
      VisitReferenced(c, arg, [&](const Value& v) { count += std::holds_alternative<std::monostate>(v) ? 0 : 1; });
    } else if (!arg.missing) {
      ++count;
    }
  }
  return Result(count);
}

// AND / OR: booleans and numbers count; text and empty cells in ranges are skipped; with no
// value at all the result is #VALUE!.
Operand Logical(bool isAnd, std::span<Operand> args, const Context& c) {
  bool any = false;
  bool result = isAnd;
  std::optional<ErrorCode> error;
  auto take = [&](bool b) {
    any = true;
    result = isAnd ? (result && b) : (result || b);
  };
  for (const Operand& arg : args) {
    if (arg.missing) continue;
    if (arg.IsReference()) {
      VisitReferenced(c, arg, [&](const Value& v) {
        if (const auto* d = std::get_if<double>(&v)) take(*d != 0);
        else if (const auto* b = std::get_if<bool>(&v)) take(*b);
        else if (const auto* e = std::get_if<ErrorCode>(&v); e && !error) error = *e;
      });
    } else {
      const auto b = ToBoolean(arg.value);
      if (const auto* e = std::get_if<ErrorCode>(&b)) error = error ? error : *e;
      else take(std::get<bool>(b));
    }
    if (error) return Result(*error);
  }
  return any ? Result(result) : Result(ErrorCode::Value);
}

// Numeric argument i (missing counts as 0).
NumberOrError NumberArg(std::span<Operand> args, std::size_t i, const Context& c) {
  if (i >= args.size() || args[i].missing) return 0.0;
  return ToNumber(c.Scalar(args[i]));
}

Operand Unary(std::span<Operand> args, const Context& c, double (*f)(double)) {
  const NumberOrError x = NumberArg(args, 0, c);
  if (const auto* e = std::get_if<ErrorCode>(&x)) return Result(*e);
  return NumberResult(f(std::get<double>(x)));
}

Operand Binary(std::span<Operand> args, const Context& c, Operand (*f)(double, double)) {
  const NumberOrError x = NumberArg(args, 0, c);
  if (const auto* e = std::get_if<ErrorCode>(&x)) return Result(*e);
  const NumberOrError y = NumberArg(args, 1, c);
  if (const auto* e = std::get_if<ErrorCode>(&y)) return Result(*e);
  return f(std::get<double>(x), std::get<double>(y));
}

Operand If(std::span<Operand> args, const Context& c) {
  const auto condition = ToBoolean(c.Scalar(args[0]));
  if (const auto* e = std::get_if<ErrorCode>(&condition)) return Result(*e);
  const std::size_t chosen = std::get<bool>(condition) ? 1 : 2;
  if (chosen >= args.size()) return Result(false);
  if (args[chosen].missing) return Result(0.0);
  return std::move(args[chosen]);
}

Operand Not(std::span<Operand> args, const Context& c) {
  const auto b = ToBoolean(c.Scalar(args[0]));
  if (const auto* e = std::get_if<ErrorCode>(&b)) return Result(*e);
  return Result(!std::get<bool>(b));
}

}  // namespace

bool IsEvaluated(std::uint16_t function) {
  switch (function) {
    case fn::kCount: case fn::kIf: case fn::kSum: case fn::kAverage: case fn::kMin: case fn::kMax:
    case fn::kAbs: case fn::kRound: case fn::kTrue: case fn::kFalse: case fn::kAnd: case fn::kOr:
    case fn::kNot: case fn::kCountA: case kNa: case kInt: case kSqrt: case kMod: case kProduct:
      return true;
    default:
      return false;
  }
}

Operand CallFunction(std::uint16_t function, std::span<Operand> args, const Context& c) {
  switch (function) {
    case fn::kSum: case fn::kAverage: case fn::kMin: case fn::kMax: case fn::kCount: case kProduct:
      return Aggregate(function, args, c);
    case fn::kCountA: return CountA(args, c);
    case fn::kAnd: case fn::kOr: return Logical(function == fn::kAnd, args, c);
    case fn::kIf: return If(args, c);
    case fn::kNot: return Not(args, c);
    case fn::kTrue: return Result(true);
    case fn::kFalse: return Result(false);
    case kNa: return Result(ErrorCode::NA);
    case fn::kAbs: return Unary(args, c, [](double x) { return std::fabs(x); });
    case kInt: return Unary(args, c, [](double x) { return std::floor(x); });
    case kSqrt: return Unary(args, c, [](double x) { return x < 0 ? NAN : std::sqrt(x); });
    case fn::kRound:
      return Binary(args, c, [](double x, double digits) {
        return NumberResult(RoundDigits(x, static_cast<int>(std::clamp(std::trunc(digits), -400.0, 400.0))));
      });
    case kMod:
      return Binary(args, c, [](double x, double y) {
        return y == 0 ? Result(ErrorCode::Div0) : NumberResult(x - y * std::floor(x / y));
      });
    default: {
      const FunctionInfo* info = FindFunction(function);
      throw UnsupportedFormula("the function " + (info ? std::string(info->name) : "number " + std::to_string(function)) +
                               " is not evaluated");
    }
  }
}

}  // namespace quillora::engine::eval
