#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "spreadsheet/base/CellAddress.h"

namespace quillora::engine {

// Error values as BIFF8 stores them (the byte of BOOLERR, tErr and cached results).
enum class ErrorCode : std::uint8_t {
  Null = 0x00,   // #NULL!
  Div0 = 0x07,   // #DIV/0!
  Value = 0x0F,  // #VALUE!
  Ref = 0x17,    // #REF!
  Name = 0x1D,   // #NAME?
  Num = 0x24,    // #NUM!
  NA = 0x2A,     // #N/A
};

// A cell's value or a formula's result: empty, number, text, boolean or error.
using Value = std::variant<std::monostate, double, std::string, bool, ErrorCode>;

}  // namespace quillora::engine
