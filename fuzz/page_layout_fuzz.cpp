// The page setup readers on an arbitrary workbook stream: for every sheet of a workbook the
// reader takes, the settings in effect, the print ranges (names and break records) and the
// header and footer codes are read, and the sheet is cut into pages. Each either works or
// refuses with a PrintSetupError; pages never overlap and cover the print area in order.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/cfb/CompoundFile.h"
#include "spreadsheet/edit/UsedRange.h"
#include "spreadsheet/print/HeaderFooter.h"
#include "spreadsheet/print/PageLayout.h"

namespace {

using namespace quillora::engine;

void CheckText(const std::string& codes) {
  const print::HeaderFooterSections sections = print::ParseHeaderFooter(codes);
  const print::FieldValues values{1, 2, "d", "t", "s", "f", "p"};
  for (const auto* part : {&sections.left, &sections.center, &sections.right})
    for (const auto& run : *part) (void)print::RunText(run, values);
}

void LayOut(const Workbook& book, std::size_t index) {
  const Sheet& sheet = book.sheets[index];
  CheckText(sheet.pageSetup.header.value_or(""));
  CheckText(sheet.pageSetup.footer.value_or(""));
  try {
    const print::PrintSettings settings = print::EffectiveSettings(sheet);
    const print::PrintRanges ranges = print::FindPrintRanges(book, index, SheetUsedRange(sheet));
    // Rows and columns of the sizes the renderer would give, without its fonts.
    const print::SheetMeasure measure{
        [&sheet](int row) {
          const auto info = sheet.rows.find(row);
          if (info == sheet.rows.end()) return (sheet.defaultRowHeight + 7) / 15;
          return info->second.hidden ? 0 : (info->second.height + 7) / 15;
        },
        [](int column) { return column % 3 == 0 ? 0 : 64 + column; }};
    const print::PageLayout layout = print::LayOutPages(settings, ranges, measure);
    for (std::size_t i = 1; i < layout.pages.size(); ++i) {
      const print::Page& before = layout.pages[i - 1];
      const print::Page& page = layout.pages[i];
      if (page.area == before.area && page.columns == before.columns && page.rows.first <= before.rows.last &&
          page.rows.last >= before.rows.first)
        std::abort();  // two pages of one column block share rows
    }
  } catch (const print::PrintSetupError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 0 && data[0] == '&') {  // header and footer codes alone
    CheckText(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
  }
  const std::vector<std::uint8_t> file = WriteCompoundFile({{"Workbook", std::vector<std::uint8_t>(data, data + size)}});
  Workbook book;
  try {
    book = ReadWorkbook(file);
  } catch (const std::runtime_error&) {
    return 0;
  }
  for (std::size_t i = 0; i < book.sheets.size(); ++i)
    if (!book.sheets[i].opaque) LayOut(book, i);
  return 0;
}
