#pragma once

// BIFF8 cell-formula tokens ("parsed things"): the byte values, and a decoded form that the
// printer and the evaluator share.
//
// Token bytes ("rgce") are exactly what a FORMULA record stores after its 16-bit length. They
// are a postfix (reverse Polish) program: operands push, operators and functions pop their
// arguments and push the result. Bytes from a file are untrusted: DecodeFormula checks every
// length and the operand stack, and reports anything it cannot take as a FormulaError.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "spreadsheet/base/Error.h"
#include "spreadsheet/model/Value.h"

namespace quillora::engine {

// A formula that cannot be compiled, printed or evaluated: malformed text, malformed or
// unsupported token bytes, an unknown function, name or sheet. what() says which and where.
class FormulaError : public Error {
 public:
  using Error::Error;
};

namespace ptg {
// Operators and constants (class-less tokens).
inline constexpr std::uint8_t kExp = 0x01, kTbl = 0x02;
inline constexpr std::uint8_t kAdd = 0x03, kSub = 0x04, kMul = 0x05, kDiv = 0x06, kPower = 0x07;
inline constexpr std::uint8_t kConcat = 0x08, kLt = 0x09, kLe = 0x0A, kEq = 0x0B, kGe = 0x0C;
inline constexpr std::uint8_t kGt = 0x0D, kNe = 0x0E, kIsect = 0x0F, kUnion = 0x10, kRange = 0x11;
inline constexpr std::uint8_t kUplus = 0x12, kUminus = 0x13, kPercent = 0x14, kParen = 0x15;
inline constexpr std::uint8_t kMissArg = 0x16, kStr = 0x17, kAttr = 0x19, kErr = 0x1C;
inline constexpr std::uint8_t kBool = 0x1D, kInt = 0x1E, kNum = 0x1F;
// Classed tokens, given in their reference-class form (0x20..0x3F); add kValueClass or
// kArrayClass for the other classes.
inline constexpr std::uint8_t kArray = 0x20, kFunc = 0x21, kFuncVar = 0x22, kName = 0x23;
inline constexpr std::uint8_t kRef = 0x24, kArea = 0x25, kMemArea = 0x26, kMemErr = 0x27;
inline constexpr std::uint8_t kMemNoMem = 0x28, kMemFunc = 0x29, kRefErr = 0x2A, kAreaErr = 0x2B;
inline constexpr std::uint8_t kRefN = 0x2C, kAreaN = 0x2D, kMemAreaN = 0x2E, kMemNoMemN = 0x2F;
inline constexpr std::uint8_t kNameX = 0x39, kRef3d = 0x3A, kArea3d = 0x3B, kRefErr3d = 0x3C;
inline constexpr std::uint8_t kAreaErr3d = 0x3D;
inline constexpr std::uint8_t kValueClass = 0x20, kArrayClass = 0x40;
// tAttr option bits.
inline constexpr std::uint8_t kAttrSemi = 0x01, kAttrIf = 0x02, kAttrChoose = 0x04;
inline constexpr std::uint8_t kAttrSkip = 0x08, kAttrSum = 0x10, kAttrAssign = 0x20;
inline constexpr std::uint8_t kAttrSpace = 0x40, kAttrSpaceSemi = 0x41;
// Row and column flags of a reference's 16-bit column field.
inline constexpr std::uint16_t kRowRelative = 0x8000, kColumnRelative = 0x4000;
}  // namespace ptg

// One corner of a reference: position plus the relative flags (a relative part moves when the
// formula is copied; A1 text shows absolute parts with "$").
struct RefCorner {
  int row = 0;     // 0..kLastRow
  int column = 0;  // 0..kLastColumn
  bool rowRelative = true;
  bool columnRelative = true;
  friend bool operator==(const RefCorner&, const RefCorner&) = default;
};

// A reference token stores a corner as a 16-bit row and a 16-bit column field that holds the
// column in its low byte and the relative flags (ptg::kRowRelative, kColumnRelative) on top.
inline RefCorner DecodeCorner(std::uint16_t row, std::uint16_t columnField) {
  return RefCorner{row, columnField & 0xFF, (columnField & ptg::kRowRelative) != 0,
                   (columnField & ptg::kColumnRelative) != 0};
}
inline std::uint16_t CornerColumnField(const RefCorner& corner) {
  return static_cast<std::uint16_t>(corner.column | (corner.rowRelative ? ptg::kRowRelative : 0) |
                                    (corner.columnRelative ? ptg::kColumnRelative : 0));
}

// A decoded token. Attribute tokens that only carry layout or jump hints (space, volatile,
// if/choose/skip) and the tMem* wrappers are dropped while decoding: they do not change what
// the formula means, since their sub-expressions follow as ordinary tokens.
struct FormulaToken {
  enum class Kind : std::uint8_t {
    Number,     // number (tInt or tNum)
    String,     // text (UTF-8)
    Boolean,
    Error,      // error constant, or a deleted reference (#REF!)
    Missing,    // an omitted function argument
    Ref,        // single cell: first; 3-D when sheetRef
    Area,       // first..last; 3-D when sheetRef
    Name,       // defined name by 1-based index
    Unary,      // op: kUplus, kUminus, kPercent
    Binary,     // op: arithmetic, comparison, concatenation, kIsect, kUnion, kRange
    Paren,      // explicit parentheses
    Function,   // function index, argCount arguments
  };
  Kind kind = Kind::Number;
  std::uint8_t op = 0;              // operator byte for Unary and Binary
  double number = 0;
  std::string text;                 // String
  bool boolean = false;
  ErrorCode error = ErrorCode::Null;
  RefCorner first, last;
  bool sheetRef = false;            // a 3-D reference through an EXTERNSHEET index
  bool deletedRef = false;          // Error kind from a tRefErr/tAreaErr (prints as #REF!)
  std::uint16_t externSheet = 0;    // EXTERNSHEET index of a 3-D reference
  std::uint16_t nameIndex = 0;      // Name (1-based)
  std::uint16_t function = 0;       // Function index (BIFF8 function table)
  int argCount = 0;                 // Function
};

// Decodes token bytes. Throws FormulaError for truncated tokens, an operand stack that does not
// end with exactly one value, and tokens this engine does not take (shared-formula and table
// links, relative tRefN/tAreaN, array constants, external names, unknown bytes).
std::vector<FormulaToken> DecodeFormula(std::span<const std::uint8_t> rgce);

}  // namespace quillora::engine
