#pragma once
// A workbook shaped like the budget template (its grid, fonts, fills, borders and currency
// format), built in code for the renderer's pixel tests and benchmark.
#include "spreadsheet/model/Workbook.h"

namespace quillora::engine::testing {

// Zero-based rows of the ten sections: heading, title, first and last input row, total.
struct RenderSection {
  int heading, title, firstInput, lastInput, total;
};
const std::vector<RenderSection>& TemplateSections();
// Where the floral picture sits: column A 70/1024 of row 1 43/256 to column A 623/1024 of
// row 3 136/256.
extern const Anchor kFloralAnchor;

// The budget sheet with empty input cells and $0.00 totals; `amount` fills every input cell.
Workbook BuildTemplateShapedBook();
// Writes a value into an input cell of the sheet built above (zero-based row, column 1 or 2).
void PutAmount(Workbook& book, int row, int column, double amount);

}  // namespace quillora::engine::testing
