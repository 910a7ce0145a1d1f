#include "spreadsheet/formula/FormulaTokens.h"

#include <string>

#include "spreadsheet/base/ByteReader.h"
#include "spreadsheet/formula/FormulaText.h"
#include "spreadsheet/formula/FunctionTable.h"

namespace quillora::engine {
namespace {

std::string Hex(unsigned value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return std::string("0x") + kDigits[(value >> 4) & 0xF] + kDigits[value & 0xF];
}

// Bounds-checked little-endian reader over the token bytes; each read names what it reads,
// which a short read reports.
class Reader : private ByteReader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : ByteReader(bytes) {}
  using ByteReader::AtEnd;
  using ByteReader::Position;
  std::uint8_t U8(const char* what) { return (what_ = what, ByteReader::U8()); }
  std::uint16_t U16(const char* what) { return (what_ = what, ByteReader::U16()); }
  double F64(const char* what) { return (what_ = what, ByteReader::F64()); }
  std::span<const std::uint8_t> Bytes(std::size_t n, const char* what) { return (what_ = what, ByteReader::Bytes(n)); }
  void Skip(std::size_t n, const char* what) { Bytes(n, what); }

 private:
  [[noreturn]] void ShortRead(std::size_t) const override {
    throw FormulaError(std::string("formula tokens end inside ") + what_ + " at byte " + std::to_string(Position()));
  }
  const char* what_ = "";
};

void ReadRef(Reader& in, FormulaToken& t) {
  const std::uint16_t row = in.U16("a reference");
  t.first = t.last = DecodeCorner(row, in.U16("a reference"));
}

void ReadArea(Reader& in, FormulaToken& t) {
  const std::uint16_t rowFirst = in.U16("an area");
  const std::uint16_t rowLast = in.U16("an area");
  const std::uint16_t colFirst = in.U16("an area");
  const std::uint16_t colLast = in.U16("an area");
  t.first = DecodeCorner(rowFirst, colFirst);
  t.last = DecodeCorner(rowLast, colLast);
}

// Reads the tAttr option byte and its data; returns true when it is tAttrSum (a one-argument
// SUM), false for the hint-only forms.
bool ReadAttr(Reader& in) {
  const std::uint8_t options = in.U8("tAttr");
  const std::uint16_t data = in.U16("tAttr");
  if (options & ptg::kAttrSum) return true;
  if (options & ptg::kAttrChoose) in.Skip((static_cast<std::size_t>(data) + 1) * 2, "a CHOOSE jump table");
  const std::uint8_t known = ptg::kAttrSemi | ptg::kAttrIf | ptg::kAttrChoose | ptg::kAttrSkip |
                             ptg::kAttrSpace | ptg::kAttrAssign;
  if ((options & ~known) != 0 || options == 0) {
    throw FormulaError("unsupported tAttr option " + Hex(options));
  }
  return false;
}

FormulaToken DecodeOperatorOrConstant(Reader& in, std::uint8_t b) {
  FormulaToken t;
  switch (b) {
    case ptg::kAdd: case ptg::kSub: case ptg::kMul: case ptg::kDiv: case ptg::kPower:
    case ptg::kConcat: case ptg::kLt: case ptg::kLe: case ptg::kEq: case ptg::kGe:
    case ptg::kGt: case ptg::kNe: case ptg::kIsect: case ptg::kUnion: case ptg::kRange:
      t.kind = FormulaToken::Kind::Binary;
      t.op = b;
      return t;
    case ptg::kUplus: case ptg::kUminus: case ptg::kPercent:
      t.kind = FormulaToken::Kind::Unary;
      t.op = b;
      return t;
    case ptg::kParen:
      t.kind = FormulaToken::Kind::Paren;
      return t;
    case ptg::kMissArg:
      t.kind = FormulaToken::Kind::Missing;
      return t;
    case ptg::kStr: {
      const std::uint8_t count = in.U8("a string");
      const std::uint8_t flags = in.U8("a string");
      const bool wide = (flags & 0x01) != 0;
      t.kind = FormulaToken::Kind::String;
      t.text = DecodeBiffString(in.Bytes(count * (wide ? 2u : 1u), "a string"), wide);
      return t;
    }
    case ptg::kErr: {
      t.kind = FormulaToken::Kind::Error;
      const std::uint8_t code = in.U8("an error");
      if (!IsErrorCode(code)) throw FormulaError("unknown error code " + Hex(code) + " in formula");
      t.error = static_cast<ErrorCode>(code);
      return t;
    }
    case ptg::kBool:
      t.kind = FormulaToken::Kind::Boolean;
      t.boolean = in.U8("a boolean") != 0;
      return t;
    case ptg::kInt:
      t.number = in.U16("an integer");
      return t;
    case ptg::kNum:
      t.number = in.F64("a number");
      return t;
    default:
      throw FormulaError("unsupported formula token " + Hex(b) + " at byte " +
                         std::to_string(in.Position() - 1));
  }
}

// Classed tokens (0x20..0x7F); kind is the reference-class form of the byte.
FormulaToken DecodeClassed(Reader& in, std::uint8_t b) {
  const std::uint8_t base = static_cast<std::uint8_t>((b & 0x1F) | 0x20);
  FormulaToken t;
  switch (base) {
    case ptg::kFunc: {
      t.kind = FormulaToken::Kind::Function;
      t.function = in.U16("a function");
      const FunctionInfo* info = FindFunction(t.function);
      if (info == nullptr || !info->FixedArity()) {
        throw FormulaError("unknown fixed-argument function number " + std::to_string(t.function));
      }
      t.argCount = info->minArgs;
      return t;
    }
    case ptg::kFuncVar: {
      t.kind = FormulaToken::Kind::Function;
      t.argCount = in.U8("a function") & 0x7F;
      t.function = in.U16("a function") & 0x7FFF;
      // A known function called with an argument count it cannot take is a damaged
      // formula; the evaluator and printer rely on the count fitting the function.
      const FunctionInfo* info = FindFunction(t.function);
      if (info != nullptr && (t.argCount < info->minArgs || t.argCount > info->maxArgs)) {
        throw FormulaError("the function " + std::string(info->name) + " takes " +
                           std::to_string(info->minArgs) + " to " + std::to_string(info->maxArgs) +
                           " arguments, not " + std::to_string(t.argCount));
      }
      return t;
    }
    case ptg::kName:
      t.kind = FormulaToken::Kind::Name;
      t.nameIndex = in.U16("a name");
      in.Skip(2, "a name");
      return t;
    case ptg::kRef:
      t.kind = FormulaToken::Kind::Ref;
      ReadRef(in, t);
      return t;
    case ptg::kArea:
      t.kind = FormulaToken::Kind::Area;
      ReadArea(in, t);
      return t;
    case ptg::kRef3d:
      t.kind = FormulaToken::Kind::Ref;
      t.sheetRef = true;
      t.externSheet = in.U16("a 3-D reference");
      ReadRef(in, t);
      return t;
    case ptg::kArea3d:
      t.kind = FormulaToken::Kind::Area;
      t.sheetRef = true;
      t.externSheet = in.U16("a 3-D area");
      ReadArea(in, t);
      return t;
    case ptg::kRefErr: case ptg::kAreaErr: case ptg::kRefErr3d: case ptg::kAreaErr3d: {
      const std::size_t size = base == ptg::kRefErr ? 4 : base == ptg::kAreaErr ? 8
                               : base == ptg::kRefErr3d ? 6 : 10;
      if (base == ptg::kRefErr3d || base == ptg::kAreaErr3d) t.externSheet = in.U16("a 3-D reference");
      in.Skip(size - (base >= ptg::kRefErr3d ? 2 : 0), "a deleted reference");
      t.kind = FormulaToken::Kind::Error;
      t.error = ErrorCode::Ref;
      t.deletedRef = true;
      t.sheetRef = base >= ptg::kRefErr3d;
      return t;
    }
    default:
      throw FormulaError("unsupported formula token " + Hex(b) + " at byte " +
                         std::to_string(in.Position() - 1));
  }
}

// Operands each token pops; every token pushes one value.
int Pops(const FormulaToken& t) {
  switch (t.kind) {
    case FormulaToken::Kind::Unary: case FormulaToken::Kind::Paren: return 1;
    case FormulaToken::Kind::Binary: return 2;
    case FormulaToken::Kind::Function: return t.argCount;
    default: return 0;
  }
}

}  // namespace

std::vector<FormulaToken> DecodeFormula(std::span<const std::uint8_t> rgce) {
  Reader in(rgce);
  std::vector<FormulaToken> tokens;
  tokens.reserve(rgce.size() / 3 + 1);
  std::size_t depth = 0;
  while (!in.AtEnd()) {
    const std::uint8_t b = in.U8("a token");
    FormulaToken t;
    if (b == ptg::kAttr) {
      if (!ReadAttr(in)) continue;
      t.kind = FormulaToken::Kind::Function;
      t.function = fn::kSum;
      t.argCount = 1;
    } else if (const std::uint8_t base = static_cast<std::uint8_t>((b & 0x1F) | 0x20);
               b >= 0x20 && b < 0x80 && base >= ptg::kMemArea && base <= ptg::kMemFunc) {
      // A wrapper announcing a reference sub-expression; the sub-expression follows.
      in.Skip(base == ptg::kMemFunc ? 2 : 6, "a reference sub-expression");
      continue;
    } else if (b >= 0x20 && b < 0x80 && (base == ptg::kMemAreaN || base == ptg::kMemNoMemN)) {
      in.Skip(2, "a reference sub-expression");
      continue;
    } else if (b < 0x20) {
      t = DecodeOperatorOrConstant(in, b);
    } else if (b < 0x80) {
      t = DecodeClassed(in, b);
    } else {
      throw FormulaError("unsupported formula token " + Hex(b) + " at byte " +
                         std::to_string(in.Position() - 1));
    }
    const auto pops = static_cast<std::size_t>(Pops(t));
    if (pops > depth) {
      throw FormulaError("formula token at byte " + std::to_string(in.Position()) +
                         " lacks its operands");
    }
    depth = depth - pops + 1;
    tokens.push_back(std::move(t));
  }
  if (depth != 1) {
    throw FormulaError(depth == 0 ? "formula has no tokens" : "formula tokens leave " +
                                                                  std::to_string(depth) + " values");
  }
  return tokens;
}

}  // namespace quillora::engine
