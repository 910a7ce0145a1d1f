#include "workbook/core/BudgetWorkbook.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "spreadsheet/dump/Dump.h"
#include "spreadsheet/numbers/Amount.h"

namespace quillora {
namespace {

constexpr int kLabelColumn = 0;
constexpr int kEstimatedColumn = 1;  // the actual amount is in the column after it
constexpr std::size_t kLongestQuote = 60;

// A label as compared: without trailing blanks and without the underscores the sheet's
// "Other" rows carry.
std::string_view Comparable(std::string_view label) {
  const auto trimmed = label.find_last_not_of(" \t_");
  return trimmed == std::string_view::npos ? std::string_view() : label.substr(0, trimmed + 1);
}

// The first `kLongestQuote` bytes of `text`, not cutting a UTF-8 sequence, control
// characters shown as blanks.
std::string Quoted(std::string_view text) {
  std::string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (shown.size() >= kLongestQuote && (byte & 0xC0) != 0x80) return "\"" + shown + "...\"";
    shown += byte < 0x20 || byte == 0x7F ? ' ' : text[i];
  }
  return "\"" + shown + "\"";
}

std::string NumberText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

// What a cell holds, for a message: `holds "Name"`, `holds 12`, `is empty`.
std::string Holds(const engine::Sheet& sheet, engine::CellAddress at) {
  const auto cell = sheet.cells.find(at);
  if (cell == sheet.cells.end() || std::holds_alternative<std::monostate>(cell->second.value))
    return "is empty";
  const engine::Value& value = cell->second.value;
  if (const auto* text = std::get_if<std::string>(&value)) return "holds " + Quoted(*text);
  if (const auto* number = std::get_if<double>(&value)) return "holds " + NumberText(*number);
  if (const auto* truth = std::get_if<bool>(&value)) return *truth ? "holds TRUE" : "holds FALSE";
  return "holds an error value";
}

const engine::Sheet& FirstWorksheet(const engine::Workbook& workbook) {
  for (const engine::Sheet& sheet : workbook.sheets)
    if (sheet.boundType == 0 && !sheet.opaque) return sheet;
  throw NotABudgetError("it has no worksheet");
}

void CheckLabel(const engine::Sheet& sheet, engine::CellAddress at, std::string_view label) {
  const auto cell = sheet.cells.find(at);
  const std::string* text = cell == sheet.cells.end() ? nullptr : std::get_if<std::string>(&cell->second.value);
  if (text == nullptr || Comparable(*text) != Comparable(label))
    throw NotABudgetError(engine::CellName(at) + " " + Holds(sheet, at) + ", expected " +
                          Quoted(Comparable(label)));
}

std::int64_t ReadAmount(const engine::Sheet& sheet, engine::CellAddress at, const engine::NumberLocale& locale) {
  const auto cell = sheet.cells.find(at);
  if (cell == sheet.cells.end()) return 0;
  const engine::Value& value = cell->second.value;
  std::optional<double> amount;
  if (std::holds_alternative<std::monostate>(value)) return 0;
  if (const auto* number = std::get_if<double>(&value)) {
    amount = *number;
  } else if (const auto* text = std::get_if<std::string>(&value)) {
    amount = engine::ParseAmount(*text, locale);
    if (!amount) throw BudgetFileError(engine::CellName(at) + " " + Holds(sheet, at) + ", which is not an amount");
  } else {
    throw BudgetFileError(engine::CellName(at) + " " + Holds(sheet, at) + ", which is not an amount");
  }
  const std::optional<std::int64_t> cents = SignedCents(*amount);
  if (!cents)
    throw BudgetFileError(engine::CellName(at) + " " + Holds(sheet, at) +
                          ", which is too large for an amount");
  return *cents;
}

}  // namespace

BudgetAmounts ReadBudgetWorkbook(const engine::Workbook& workbook, const engine::NumberLocale& locale) {
  const engine::Sheet& sheet = FirstWorksheet(workbook);
  for (const BudgetCategory& category : BudgetCategories())
    for (int k = 0; k < category.itemCount(); ++k)
      CheckLabel(sheet, {category.sheetFirstRow - 1 + k, kLabelColumn}, category.items[static_cast<std::size_t>(k)]);

  BudgetAmounts amounts;
  for (const BudgetCategory& category : BudgetCategories())
    for (int index = 0; index < category.fieldCount(); ++index) {
      const engine::CellAddress at{category.sheetFirstRow - 1 + index / 2, kEstimatedColumn + index % 2};
      amounts[{category.position, index}] = ReadAmount(sheet, at, locale);
    }
  return amounts;
}

}  // namespace quillora
