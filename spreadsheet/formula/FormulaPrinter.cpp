// Token bytes -> canonical A1 text. Works on an explicit stack (no recursion), adding
// parentheses only where the token order needs them and no tParen says so.
#include <cmath>

#include "spreadsheet/formula/Formula.h"
#include "spreadsheet/formula/FormulaText.h"
#include "spreadsheet/formula/FunctionTable.h"

namespace quillora::engine {
namespace {

// Binding strength of a printed fragment, loosest first.
enum Precedence : int {
  kComparison = 1, kConcat, kAdditive, kMultiplicative, kPower, kPercent, kPrefix,
  kUnion, kIntersection, kRange, kAtom
};

struct Fragment {
  std::string text;
  int precedence = kAtom;
  bool cellAtStart = false;  // a reference leaf that begins with a cell ("A1", "A1:B2")
  bool cellAtEnd = false;    // a single-cell reference leaf ("A1", "Sheet1!A1")
};

int BinaryPrecedence(std::uint8_t op) {
  switch (op) {
    case ptg::kAdd: case ptg::kSub: return kAdditive;
    case ptg::kMul: case ptg::kDiv: return kMultiplicative;
    case ptg::kPower: return kPower;
    case ptg::kConcat: return kConcat;
    case ptg::kUnion: return kUnion;
    case ptg::kIsect: return kIntersection;
    case ptg::kRange: return kRange;
    default: return kComparison;
  }
}

std::string_view BinaryText(std::uint8_t op) {
  switch (op) {
    case ptg::kAdd: return "+";
    case ptg::kSub: return "-";
    case ptg::kMul: return "*";
    case ptg::kDiv: return "/";
    case ptg::kPower: return "^";
    case ptg::kConcat: return "&";
    case ptg::kLt: return "<";
    case ptg::kLe: return "<=";
    case ptg::kEq: return "=";
    case ptg::kGe: return ">=";
    case ptg::kGt: return ">";
    case ptg::kNe: return "<>";
    case ptg::kUnion: return ",";
    case ptg::kIsect: return " ";
    default: return ":";
  }
}

// Text of an operand that needs at least `minimum` binding; a union is always parenthesised
// unless the caller allows it (it reads as argument separators otherwise).
std::string Operand(Fragment&& f, int minimum, bool unionAllowed = false) {
  if (f.precedence < minimum || (f.precedence == kUnion && !unionAllowed)) return "(" + f.text + ")";
  return std::move(f.text);
}

std::string Escaped(std::string_view name) {
  std::string out;
  for (char c : name) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out;
}

std::string SheetPrefix(std::uint16_t index, const ReferenceResolver& resolver) {
  const auto names = resolver.ExternSheetNames(index);
  if (!names) throw FormulaError("formula refers to unknown sheet entry " + std::to_string(index));
  if (names->first == names->last) return QuoteSheetName(names->first) + "!";
  const std::string first = QuoteSheetName(names->first);
  const std::string last = QuoteSheetName(names->last);
  if (first == names->first && last == names->last) return first + ":" + last + "!";
  return "'" + Escaped(names->first) + ":" + Escaped(names->last) + "'!";
}

std::string CornerText(const RefCorner& c) {
  return CellText(c.row, c.column, !c.rowRelative, !c.columnRelative);
}

std::string AreaText(const RefCorner& a, const RefCorner& b) {
  if (a.row == 0 && b.row == kLastRow && !a.rowRelative && !b.rowRelative) {
    return (a.columnRelative ? "" : "$") + ColumnLetters(a.column) + ":" + (b.columnRelative ? "" : "$") +
           ColumnLetters(b.column);
  }
  if (a.column == 0 && b.column == kLastColumn && !a.columnRelative && !b.columnRelative) {
    return (a.rowRelative ? "" : "$") + std::to_string(a.row + 1) + ":" + (b.rowRelative ? "" : "$") +
           std::to_string(b.row + 1);
  }
  return CornerText(a) + ":" + CornerText(b);
}

Fragment Leaf(const FormulaToken& t, const ReferenceResolver& resolver) {
  switch (t.kind) {
    case FormulaToken::Kind::Number:
      if (!std::isfinite(t.number)) throw FormulaError("formula holds a number that is not finite");
      return {NumberLiteral(t.number), t.number < 0 ? kPrefix : kAtom};
    case FormulaToken::Kind::String: {
      std::string text = "\"";
      for (char c : t.text) {
        text += c;
        if (c == '"') text += '"';
      }
      return {text + "\""};
    }
    case FormulaToken::Kind::Boolean: return {t.boolean ? "TRUE" : "FALSE"};
    case FormulaToken::Kind::Error: {
      std::string text(ErrorText(t.error));
      if (t.deletedRef && t.sheetRef) {
        if (auto names = resolver.ExternSheetNames(t.externSheet)) text = SheetPrefix(t.externSheet, resolver) + text;
      }
      return {text};
    }
    case FormulaToken::Kind::Missing: return {""};
    case FormulaToken::Kind::Ref:
    case FormulaToken::Kind::Area: {
      std::string text = t.sheetRef ? SheetPrefix(t.externSheet, resolver) : "";
      text += t.kind == FormulaToken::Kind::Ref ? CornerText(t.first) : AreaText(t.first, t.last);
      return {text, kAtom, !t.sheetRef, t.kind == FormulaToken::Kind::Ref};
    }
    case FormulaToken::Kind::Name: {
      auto name = resolver.NameText(t.nameIndex);
      if (!name) throw FormulaError("formula refers to unknown defined name " + std::to_string(t.nameIndex));
      return {*name};
    }
    default: return {};
  }
}

}  // namespace

std::string PrintFormula(std::span<const std::uint8_t> rgce, const ReferenceResolver& resolver) {
  const std::vector<FormulaToken> tokens = DecodeFormula(rgce);
  std::vector<Fragment> stack;
  auto pop = [&stack] {
    Fragment f = std::move(stack.back());
    stack.pop_back();
    return f;
  };
  // DecodeFormula has checked that every token finds its operands on the stack.
  for (const FormulaToken& t : tokens) {
    switch (t.kind) {
      case FormulaToken::Kind::Unary: {
        Fragment operand = pop();
        if (t.op == ptg::kPercent) {
          stack.push_back({Operand(std::move(operand), kPercent) + "%", kPercent});
        } else {
          stack.push_back({(t.op == ptg::kUminus ? "-" : "+") + Operand(std::move(operand), kPrefix), kPrefix});
        }
        break;
      }
      case FormulaToken::Kind::Binary: {
        Fragment right = pop();
        Fragment left = pop();
        const int p = BinaryPrecedence(t.op);
        // "A1" ":" "B2" must not fuse into the area A1:B2 when the tokens say range operator.
        const bool spaced = t.op == ptg::kRange && left.cellAtEnd && right.cellAtStart;
        std::string text = Operand(std::move(left), p, t.op == ptg::kUnion);
        text += spaced ? " : " : BinaryText(t.op);
        text += Operand(std::move(right), p + 1);
        stack.push_back({std::move(text), p});
        break;
      }
      case FormulaToken::Kind::Paren: {
        Fragment inner = pop();
        stack.push_back({"(" + inner.text + ")"});
        break;
      }
      case FormulaToken::Kind::Function: {
        const FunctionInfo* info = FindFunction(t.function);
        if (info == nullptr) throw FormulaError("formula calls unknown function number " + std::to_string(t.function));
        std::vector<Fragment> args(static_cast<std::size_t>(t.argCount));
        for (auto it = args.rbegin(); it != args.rend(); ++it) *it = pop();
        std::string text(info->name);
        text += '(';
        for (std::size_t i = 0; i < args.size(); ++i) {
          if (i > 0) text += ',';
          text += Operand(std::move(args[i]), kComparison);
        }
        stack.push_back({text + ")"});
        break;
      }
      default: stack.push_back(Leaf(t, resolver)); break;
    }
  }
  return Operand(pop(), kComparison);
}

}  // namespace quillora::engine
