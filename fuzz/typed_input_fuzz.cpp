// Typed input from arbitrary text: setting cells, recalculating the formulas that read them
// and saving never crashes, and the saved workbook reads back with the same cell values.
// The first byte picks the regional conventions; the rest is up to four lines of text,
// typed into A1..A4 (a line starting with "=" may become a formula).
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/calc/WorkbookRecalc.h"
#include "spreadsheet/edit/TypedInput.h"
#include "spreadsheet/formula/Formula.h"
#include "tests/support/GermanLocale.h"

namespace {

using namespace quillora::engine;

NumberLocale LocaleFor(std::uint8_t selector) {
  return selector % 2 ? quillora::testing::GermanLocale() : NumberLocale{};
}

const Workbook& Base() {
  static const Workbook book = [] {
    Workbook b = NewWorkbook();
    Sheet sheet;
    sheet.name = "Sheet1";
    const auto formula = [](const char* text) { return Formula{CompileFormula(text), {}, 0, 0, {}}; };
    sheet.cells[{0, 1}] = Cell{15, 0.0, formula("SUM(A1:A4)")};
    sheet.cells[{1, 1}] = Cell{15, 0.0, formula("A1*2+B1")};
    sheet.cells[{2, 1}] = Cell{15, std::string(), formula("A1&A2")};
    b.sheets.push_back(sheet);
    return b;
  }();
  return book;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const NumberLocale locale = LocaleFor(data[0]);
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  Workbook book = Base();
  for (int row = 0; row < 4 && !rest.empty(); ++row) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    try {
      SetCellFromText(book, 0, {row, 0}, line, locale);
    } catch (const RequestError&) {
      return 0;  // refused input: nothing to check
    }
  }
  RecalculateWorkbook(book);
  const Workbook back = ReadWorkbook(WriteWorkbook(book));
  for (const auto& [at, cell] : book.sheets[0].cells) {
    const auto it = back.sheets[0].cells.find(at);
    // A cleared cell without a value may come back as a blank; values must match.
    if (it == back.sheets[0].cells.end()) {
      if (!std::holds_alternative<std::monostate>(cell.value)) std::abort();
      continue;
    }
    if (it->second.value != cell.value && !std::holds_alternative<std::monostate>(cell.value)) std::abort();
  }
  return 0;
}
