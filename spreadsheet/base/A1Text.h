#pragma once

// A1 addresses: the one reading and writing of cell and range text used by the formula
// compiler and printer, the object model, the dump and the renderer's range option.
// A cell is an optional "$", one to three letters naming a column up to IV (any case), an
// optional "$" and a row number from 1 to 65536; a range is one cell or two joined by ":".

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "spreadsheet/base/CellAddress.h"

namespace quillora::engine {

struct A1Cell {
  int row = 0;     // zero-based
  int column = 0;  // zero-based
  bool rowAbsolute = false;
  bool columnAbsolute = false;
};

// The column part ("$"? letters) or row part ("$"? digits) at `pos`; on success `pos` moves
// past it, otherwise it stays. Values are zero-based.
std::optional<int> ReadA1Column(std::string_view text, std::size_t& pos, bool& absolute);
std::optional<int> ReadA1Row(std::string_view text, std::size_t& pos, bool& absolute);

// A cell at `pos` (column part then row part); `pos` moves past it on success. The caller
// decides what may follow (the formula compiler refuses "A1B").
std::optional<A1Cell> ReadA1Cell(std::string_view text, std::size_t& pos);

// The whole of `text` as a cell or a range, corners put in order ("B3:A1" is A1:B3).
// Nothing for anything else: a leading "=", a sheet name, blanks, whole rows or columns.
std::optional<CellRange> ParseA1Range(std::string_view text);

// Column letters: 0 -> "A", 255 -> "IV".
std::string ColumnLetters(int column);
// A1 text of a cell, optionally with "$" on the row and column.
std::string CellText(int row, int column, bool rowAbsolute = false, bool columnAbsolute = false);
// "B9" for a single cell, "A1:C10" otherwise.
std::string RangeText(const CellRange& range);

}  // namespace quillora::engine
