#pragma once
// Setting a cell from text as a person typing it would.
#include <string_view>

#include "spreadsheet/formula/ReferenceResolver.h"
#include "spreadsheet/model/Workbook.h"
#include "spreadsheet/numbers/NumberLocale.h"

namespace quillora::engine {

// Longest text a cell holds, in UTF-16 units.
inline constexpr std::size_t kMaxCellTextLength = 32767;

// Sets the cell at `at` of sheet `sheet` from `text` under `locale`:
//   - empty text clears the value (and any formula); the cell keeps its format;
//   - an amount ParseAmount reads ("$1,250.00", "1.250,00 €", "-3") becomes that number;
//   - text starting with "=" becomes a formula compiled with `resolver` (its result is empty
//     until the next recalculation); text that does not compile stays text, as typed;
//   - anything else is text.
// An existing cell keeps its cell format; a new cell takes its row's format, else its
// column's, else the default format 15. Only the value changes: no recalculation happens here.
// Throws std::invalid_argument for a sheet or address outside the workbook, an opaque sheet,
// text that is not UTF-8, text longer than kMaxCellTextLength characters, and a cell that anchors a shared or array
// formula of other cells (changing it would orphan them).
void SetCellFromText(Workbook& workbook, int sheet, CellAddress at, std::string_view text,
                     const NumberLocale& locale, const ReferenceResolver& resolver = NoReferences());

}  // namespace quillora::engine
