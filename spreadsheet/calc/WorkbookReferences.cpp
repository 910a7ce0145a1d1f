#include "spreadsheet/calc/WorkbookReferences.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "spreadsheet/base/LittleEndian.h"
#include "spreadsheet/formula/Formula.h"
#include "spreadsheet/formula/FormulaTokens.h"

namespace quillora::engine {
namespace {

constexpr std::uint16_t kSupBook = 0x01AE;

// ASCII case-insensitive comparison, as sheet and name lookups use.
bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::optional<int> SheetNumber(const Workbook& book, std::string_view name) {
  for (std::size_t i = 0; i < book.sheets.size(); ++i)
    if (SameName(book.sheets[i].name, name)) return static_cast<int>(i);
  return std::nullopt;
}

}  // namespace

std::string BuiltInNameText(std::uint8_t code) {
  static const char* const kNames[] = {"Consolidate_Area", "Auto_Open",    "Auto_Close",       "Extract",
                                       "Database",         "Criteria",     "Print_Area",       "Print_Titles",
                                       "Recorder",         "Data_Form",    "Auto_Activate",    "Auto_Deactivate",
                                       "Sheet_Title",      "_FilterDatabase"};
  if (code < std::size(kNames)) return kNames[code];
  return "Builtin_" + std::to_string(code);
}

std::uint16_t InternalSupBook(const Workbook& workbook) {
  std::uint16_t index = 0;
  for (const KeptRecord& record : workbook.kept) {
    if (record.type != kSupBook) continue;
    if (record.data.size() == 4 && Load16(record.data.data() + 2) == 0x0401) return index;
    ++index;
  }
  return 0;
}

std::optional<std::uint16_t> WorkbookReferences::ExternSheetIndex(std::string_view first,
                                                                  std::string_view last) const {
  const auto a = SheetNumber(book_, first), b = SheetNumber(book_, last);
  if (!a || !b) return std::nullopt;
  const ExternSheet wanted{internal_, static_cast<std::int16_t>(std::min(*a, *b)),
                           static_cast<std::int16_t>(std::max(*a, *b))};
  const auto found = std::find(book_.externSheets.begin(), book_.externSheets.end(), wanted);
  if (found != book_.externSheets.end()) return static_cast<std::uint16_t>(found - book_.externSheets.begin());
  if (!mutable_) return std::nullopt;
  mutable_->externSheets.push_back(wanted);
  return static_cast<std::uint16_t>(mutable_->externSheets.size() - 1);
}

std::optional<SheetSpan> WorkbookReferences::ExternSheetSpan(std::uint16_t index) const {
  if (index >= book_.externSheets.size()) return std::nullopt;
  const ExternSheet& entry = book_.externSheets[index];
  const int count = static_cast<int>(book_.sheets.size());
  if (entry.supBook != internal_ || entry.firstSheet < 0 || entry.lastSheet < entry.firstSheet ||
      entry.lastSheet >= count)
    return std::nullopt;
  return SheetSpan{entry.firstSheet, entry.lastSheet};
}

bool WorkbookReferences::ExternSheetInOtherWorkbook(std::uint16_t index) const {
  return index < book_.externSheets.size() && book_.externSheets[index].supBook != internal_;
}

std::optional<SheetNames> WorkbookReferences::ExternSheetNames(std::uint16_t index) const {
  const auto span = ExternSheetSpan(index);
  if (!span) return std::nullopt;
  return SheetNames{book_.sheets[static_cast<std::size_t>(span->first)].name,
                    book_.sheets[static_cast<std::size_t>(span->last)].name};
}

std::optional<std::uint16_t> WorkbookReferences::NameIndex(std::string_view name) const {
  for (std::size_t i = 0; i < book_.names.size(); ++i)
    if (SameName(book_.names[i].DisplayName(), name)) return static_cast<std::uint16_t>(i + 1);
  return std::nullopt;
}

std::optional<std::string> WorkbookReferences::NameText(std::uint16_t index) const {
  if (index == 0 || index > book_.names.size()) return std::nullopt;
  return book_.names[index - 1u].DisplayName();
}

std::string NameFormulaText(const Workbook& workbook, const DefinedName& name) {
  return PrintFormula(name.formula, WorkbookReferences(workbook));
}

std::vector<std::uint8_t> CompileNameFormula(Workbook& workbook, std::string_view text) {
  std::vector<std::uint8_t> tokens = CompileFormula(text, WorkbookReferences(workbook));
  // A name that is one 3-D reference refers to the cells themselves: reference class.
  const std::uint8_t base = tokens.empty() ? 0 : static_cast<std::uint8_t>(tokens[0] & 0x1F);
  const bool single = (base == (ptg::kRef3d & 0x1F) && tokens.size() == 7) || (base == (ptg::kArea3d & 0x1F) && tokens.size() == 11);
  if (single) tokens[0] = static_cast<std::uint8_t>(base | 0x20);
  return tokens;
}

}  // namespace quillora::engine
