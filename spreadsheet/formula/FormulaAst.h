#pragma once

// The syntax tree between formula text and token bytes (internal to the compiler).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "spreadsheet/formula/FormulaTokens.h"
#include "spreadsheet/formula/FunctionTable.h"
#include "spreadsheet/formula/ReferenceResolver.h"

namespace quillora::engine::ast {

struct Node {
  enum class Kind : std::uint8_t { Number, String, Boolean, Error, Missing, Ref, Area, Name, Unary, Binary, Paren, Function };
  Kind kind = Kind::Number;
  std::uint8_t op = 0;               // token byte of a Unary or Binary operator
  double number = 0;
  std::string text;                  // String
  bool boolean = false;
  ErrorCode error = ErrorCode::Null;
  RefCorner first, last;             // Ref, Area
  bool sheetRef = false;
  std::uint16_t externSheet = 0;
  std::uint16_t nameIndex = 0;
  const FunctionInfo* function = nullptr;
  std::vector<Node> children;

  // True for what yields a reference (so it may take part in ":", " " and ",").
  bool IsReference() const;
};

// Parses formula text (an optional leading "=") into a tree; throws FormulaError.
Node Parse(std::string_view text, const ReferenceResolver& resolver);

}  // namespace quillora::engine::ast
