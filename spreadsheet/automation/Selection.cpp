// The selection of the active pane and the active sheet.
#include "spreadsheet/automation/Selection.h"


namespace quillora::engine::automation {
namespace {

constexpr std::uint16_t kSheetSelected = 0x0200, kSheetActive = 0x0400;

}  // namespace

void StoreSelection(Sheet& sheet, const CellRange& range) {
  const std::uint8_t pane = sheet.pane ? sheet.pane->activePane : 3;
  Selection selection;
  selection.pane = pane;
  selection.active = {range.rowFirst, range.columnFirst};
  selection.ranges = {range};
  for (Selection& existing : sheet.selections) {
    if (existing.pane == pane) {
      existing = selection;
      return;
    }
  }
  sheet.selections.push_back(selection);
}

void ActivateSheet(engine::Workbook& workbook, int index) {
  workbook.window.activeSheet = static_cast<std::uint16_t>(index);
  workbook.window.selectedTabs = 1;
  for (std::size_t i = 0; i < workbook.sheets.size(); ++i) {
    std::uint16_t& options = workbook.sheets[i].window.options;
    options = static_cast<std::uint16_t>(options & ~(kSheetSelected | kSheetActive));
    if (static_cast<int>(i) == index) options |= kSheetSelected | kSheetActive;
  }
}

}  // namespace quillora::engine::automation
