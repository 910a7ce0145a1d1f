// Adapters between the workbook model and the formula engine.
#include "spreadsheet/model/WorkbookRecalc.h"

#include <cctype>

#include "spreadsheet/cfb/LittleEndian.h"

namespace quillora::engine {
namespace {

constexpr std::uint16_t kSupBook = 0x01AE;
constexpr std::uint16_t kExternSheet = 0x0017;

// A record's data with its CONTINUE parts joined.
std::vector<std::uint8_t> Joined(const KeptRecord& record) {
  std::vector<std::uint8_t> data = record.data;
  for (const auto& part : record.continues) data.insert(data.end(), part.begin(), part.end());
  return data;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

}  // namespace

const Sheet* WorkbookCells::SheetAt(int sheet) const {
  if (sheet < 0 || static_cast<std::size_t>(sheet) >= book_.sheets.size()) return nullptr;
  const Sheet& s = book_.sheets[static_cast<std::size_t>(sheet)];
  return s.opaque ? nullptr : &s;
}

Value WorkbookCells::CellValue(int sheet, CellAddress cell) const {
  const Sheet* s = SheetAt(sheet);
  if (!s) return {};
  const auto it = s->cells.find(cell);
  return it == s->cells.end() ? Value{} : it->second.value;
}

void WorkbookCells::ForEachValue(int sheet, const CellRange& range,
                                 const std::function<void(CellAddress, const Value&)>& visit) const {
  const Sheet* s = SheetAt(sheet);
  if (!s) return;
  for (auto it = s->cells.lower_bound({range.rowFirst, range.columnFirst});
       it != s->cells.end() && it->first.row <= range.rowLast; ++it) {
    const CellAddress at = it->first;
    if (at.column < range.columnFirst) continue;
    if (at.column > range.columnLast) {
      // Skip the rest of this row.
      it = s->cells.lower_bound({at.row + 1, range.columnFirst});
      if (it == s->cells.end()) break;
      --it;
      continue;
    }
    if (!std::holds_alternative<std::monostate>(it->second.value)) visit(at, it->second.value);
  }
}

void WorkbookCells::ForEachFormula(const std::function<void(const FormulaCell&)>& visit) const {
  for (std::size_t s = 0; s < book_.sheets.size(); ++s) {
    const Sheet& sheet = book_.sheets[s];
    if (sheet.opaque) continue;
    for (const auto& [at, cell] : sheet.cells)
      if (cell.formula) visit(FormulaCell{static_cast<int>(s), at, cell.formula->tokens});
  }
}

void WorkbookCells::SetFormulaResult(int sheet, CellAddress cell, const Value& result) {
  if (sheet < 0 || static_cast<std::size_t>(sheet) >= book_.sheets.size()) return;
  auto& cells = book_.sheets[static_cast<std::size_t>(sheet)].cells;
  const auto it = cells.find(cell);
  if (it != cells.end() && it->second.formula) it->second.value = result;
}

RecalcReferences::RecalcReferences(const Workbook& workbook) : book_(workbook) {
  // Which SUPBOOK records describe this workbook: an internal one is 4 bytes, ending 0x0401.
  std::vector<bool> internal;
  std::vector<std::uint8_t> table;
  for (const KeptRecord& record : workbook.kept) {
    if (record.type == kSupBook)
      internal.push_back(record.data.size() == 4 && Load16(record.data.data() + 2) == 0x0401);
    else if (record.type == kExternSheet)
      table = Joined(record);
  }
  if (table.size() < 2) return;
  const std::size_t count = std::min<std::size_t>(Load16(table.data()), (table.size() - 2) / 6);
  const int sheets = static_cast<int>(workbook.sheets.size());
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* entry = table.data() + 2 + 6 * i;
    const std::uint16_t book = Load16(entry);
    const int first = Load16(entry + 2), last = Load16(entry + 4);
    const bool ours = book < internal.size() && internal[book] && first <= last && last < sheets;
    spans_.push_back(ours ? std::optional<SheetSpan>(SheetSpan{first, last}) : std::nullopt);
  }
}

std::optional<std::uint16_t> RecalcReferences::ExternSheetIndex(std::string_view first, std::string_view last) const {
  for (std::size_t i = 0; i < spans_.size(); ++i) {
    if (!spans_[i]) continue;
    if (SameName(book_.sheets[static_cast<std::size_t>(spans_[i]->first)].name, first) &&
        SameName(book_.sheets[static_cast<std::size_t>(spans_[i]->last)].name, last))
      return static_cast<std::uint16_t>(i);
  }
  return std::nullopt;
}

std::optional<SheetNames> RecalcReferences::ExternSheetNames(std::uint16_t index) const {
  const auto span = ExternSheetSpan(index);
  if (!span) return std::nullopt;
  return SheetNames{book_.sheets[static_cast<std::size_t>(span->first)].name,
                    book_.sheets[static_cast<std::size_t>(span->last)].name};
}

std::optional<SheetSpan> RecalcReferences::ExternSheetSpan(std::uint16_t index) const {
  if (index >= spans_.size()) return std::nullopt;
  return spans_[index];
}

RecalcSummary RecalculateWorkbook(Workbook& workbook) {
  WorkbookCells cells(workbook);
  const RecalcReferences references(workbook);
  return Recalculate(cells, references);
}

}  // namespace quillora::engine
