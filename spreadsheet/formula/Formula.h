#pragma once

// A1 formula text <-> BIFF8 cell-formula token bytes.
//
// Text convention: formula text never carries the leading "=". CompileFormula accepts text
// with or without it ("=SUM(B9:B19)" and "SUM(B9:B19)" give the same bytes); PrintFormula
// returns canonical text without it: upper-case functions and references, no spaces except
// the intersection operator, numbers in their shortest exact form ("0.1", "1E+20"), strings
// in double quotes with inner quotes doubled.
//
// Token bytes are the rgce of a FORMULA record (what follows its 16-bit length); formulas
// written here use no extra data block (no array constants), so nothing follows the rgce.
//
// What the compiler writes:
//   - cell references and areas as tRef/tArea with the relative flags ($ marks absolute);
//     "A:C" and "$1:$6" as whole-column / whole-row areas; "B2:A1" is normalised to "A1:B2";
//   - "Sheet!A1", "'My sheet'!A1:B2", "First:Last!A1" as tRef3d/tArea3d through the resolver;
//   - integers 0..65535 as tInt, other numbers as tNum; text as tStr; TRUE/FALSE as tBool;
//     error literals as tErr; empty arguments as tMissArg;
//   - operators + - * / ^ & = <> < <= > >=, unary + -, postfix %, explicit parentheses
//     (tParen), the range ":", intersection " " and union "," (union only inside parentheses,
//     as in "SUM((A1,B2))");
//   - functions from FunctionTable.h: fixed arity as tFunc, variable arity as tFuncVar, a SUM of
//     exactly one argument as tAttrSum;
//   - defined names as tName through the resolver.
// Operands are reference class where a function takes references (SUM, COUNT, ...) and for
// range, intersection and union operands; value class elsewhere. Functions are value class.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "spreadsheet/formula/FormulaTokens.h"
#include "spreadsheet/formula/ReferenceResolver.h"

namespace quillora::engine {

// Largest token program the compiler writes: it must fit one FORMULA record with room left.
inline constexpr std::size_t kMaxFormulaBytes = 8000;

// Compiles A1 text to token bytes. Throws FormulaError naming the problem and its position
// (syntax, unknown function or name or sheet, wrong argument count, out-of-range reference,
// text longer than 255 characters, nesting deeper than 128 levels, too long).
std::vector<std::uint8_t> CompileFormula(std::string_view text,
                                         const ReferenceResolver& resolver = NoReferences());

// Prints token bytes as canonical A1 text (see above). Throws FormulaError for malformed or
// unsupported tokens, unknown functions, and sheet or name indexes the resolver does not know.
std::string PrintFormula(std::span<const std::uint8_t> rgce,
                         const ReferenceResolver& resolver = NoReferences());

}  // namespace quillora::engine
