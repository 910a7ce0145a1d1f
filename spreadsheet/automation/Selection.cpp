// SELECTION records and the active sheet.
#include "spreadsheet/automation/Selection.h"

#include <algorithm>

#include "spreadsheet/biff/RecordTypes.h"
#include "spreadsheet/cfb/LittleEndian.h"

namespace quillora::engine::automation {
namespace {

constexpr std::uint16_t kSelection = 0x001D;
constexpr std::uint16_t kPane = 0x0041;
constexpr std::uint16_t kScl = 0x00A0;
constexpr std::uint8_t kWholePane = 3;  // the one pane of a sheet that is not split
constexpr std::uint16_t kSheetSelected = 0x0200, kSheetActive = 0x0400;

std::uint8_t ActivePane(const Sheet& sheet) {
  for (const KeptRecord& record : sheet.kept)
    if (record.type == kPane && record.data.size() >= 9) return record.data[8];
  return kWholePane;
}

std::vector<std::uint8_t> SelectionData(std::uint8_t pane, const CellRange& range) {
  std::vector<std::uint8_t> data;
  Put8(data, pane);
  Put16(data, static_cast<std::uint16_t>(range.rowFirst));
  Put16(data, static_cast<std::uint16_t>(range.columnFirst));
  Put16(data, 0);  // the active cell lies in the first (only) rectangle
  Put16(data, 1);
  Put16(data, static_cast<std::uint16_t>(range.rowFirst));
  Put16(data, static_cast<std::uint16_t>(range.rowLast));
  Put8(data, static_cast<std::uint8_t>(range.columnFirst));
  Put8(data, static_cast<std::uint8_t>(range.columnLast));
  return data;
}

}  // namespace

void StoreSelection(Sheet& sheet, const CellRange& range) {
  const std::uint8_t pane = ActivePane(sheet);
  auto& kept = sheet.kept;
  for (KeptRecord& record : kept) {
    if (record.type == kSelection && !record.data.empty() && record.data[0] == pane) {
      record.data = SelectionData(pane, range);
      record.continues.clear();
      return;
    }
  }
  // After the window records that precede selections (SCL, PANE, other panes' SELECTION).
  auto at = std::find_if(kept.begin(), kept.end(), [](const KeptRecord& r) { return r.after == rt::kWindow2; });
  while (at != kept.end() && at->after == rt::kWindow2 &&
         (at->type == kScl || at->type == kPane || at->type == kSelection))
    ++at;
  kept.insert(at, KeptRecord{kSelection, SelectionData(pane, range), {}, rt::kWindow2});
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
