#include "workbook/core/AmountsFile.h"

#include <map>
#include <optional>

#include "spreadsheet/numbers/Amount.h"
#include "workbook/core/CsvReader.h"

namespace quillora {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::optional<int> FindCategory(std::string_view caption) {
  for (const BudgetCategory& category : BudgetCategories())
    if (category.caption == caption) return category.position;
  return std::nullopt;
}

// Item number (1-based) of `label` in the category; a label's trailing blank is optional.
std::optional<int> FindItem(const BudgetCategory& category, std::string_view label) {
  for (int k = 0; k < category.itemCount(); ++k)
    if (TrimBlanks(category.items[k]) == label) return k + 1;
  return std::nullopt;
}

// How much of a field a message repeats, in characters.
constexpr std::size_t kEchoCharacters = 60;

// `text` quoted for a one-line message: control characters (a NUL too) shown as \xNN, and
// cut after kEchoCharacters characters with "..." so a huge field cannot flood the terminal.
std::string Echo(std::string_view text) {
  std::string echo = "\"";
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const bool continuation = (byte & 0xC0) == 0x80;  // inside one UTF-8 character
    if (!continuation && characters++ == kEchoCharacters) {
      echo += "...";
      break;
    }
    if (byte < 0x20 || byte == 0x7F) {
      static const char kHex[] = "0123456789ABCDEF";
      echo += "\\x";
      echo += kHex[byte >> 4];
      echo += kHex[byte & 0xF];
    } else {
      echo += static_cast<char>(byte);
    }
  }
  return echo + "\"";
}

// The reader's message without its own "line N: " prefix.
std::string CsvProblem(const CsvError& e) {
  const std::string what = e.what();
  const auto colon = what.find(": ");
  return colon == std::string::npos ? what : what.substr(colon + 2);
}

}  // namespace

BudgetTexts ReadAmountsFile(std::string_view csv, const engine::NumberLocale& locale) {
  std::vector<CsvRecord> records;
  try {
    records = ReadCsv(csv);
  } catch (const CsvError& e) {
    throw AmountsFileError(e.line(), CsvProblem(e));
  }
  if (records.empty()) throw AmountsFileError(1, "the file is empty; expected the header "
                                                 "\"category,item,estimated,actual\"");
  const CsvRecord& header = records.front();
  const std::vector<std::string> expected{"category", "item", "estimated", "actual"};
  bool headerOk = header.fields.size() == expected.size();
  for (std::size_t i = 0; headerOk && i < expected.size(); ++i)
    headerOk = TrimBlanks(header.fields[i]) == expected[i];
  if (!headerOk)
    throw AmountsFileError(header.line, "expected the header \"category,item,estimated,actual\"");

  BudgetTexts texts;
  std::map<std::pair<int, int>, int> seen;  // (category, item) -> line
  for (std::size_t r = 1; r < records.size(); ++r) {
    const CsvRecord& row = records[r];
    if (row.fields.size() != 4)
      throw AmountsFileError(row.line, "expected 4 fields, found " +
                                           std::to_string(row.fields.size()));
    const std::string_view caption = TrimBlanks(row.fields[0]);
    const auto position = FindCategory(caption);
    if (!position)
      throw AmountsFileError(row.line, "unknown category " + Echo(caption));
    const BudgetCategory& category = BudgetCategories()[*position];
    const std::string_view label = TrimBlanks(row.fields[1]);
    const auto item = FindItem(category, label);
    if (!item)
      throw AmountsFileError(row.line, "unknown item " + Echo(label) + " in category " + Echo(caption));
    const auto [where, fresh] = seen.emplace(std::pair{*position, *item}, row.line);
    if (!fresh)
      throw AmountsFileError(row.line, Echo(label) + " of " + Echo(caption) + " is repeated (first on line " +
                                           std::to_string(where->second) + ")");
    for (int column = 0; column < 2; ++column) {
      const std::string& amount = row.fields[2 + column];
      if (!engine::ParseAmount(amount, locale))
        throw AmountsFileError(row.line, "invalid " +
                                             std::string(column == 0 ? "estimated" : "actual") +
                                             " amount " + Echo(amount));
      texts[{*position, 2 * (*item - 1) + column}] = amount;
    }
  }

  const int end = records.back().line + 1;
  for (const BudgetCategory& category : BudgetCategories())
    for (int k = 1; k <= category.itemCount(); ++k)
      if (!seen.contains({category.position, k}))
        throw AmountsFileError(end, "no row for \"" + std::string(TrimBlanks(category.items[k - 1])) +
                                        "\" of \"" + std::string(category.caption) + "\"");
  return texts;
}

}  // namespace quillora
