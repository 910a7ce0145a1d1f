#include "workbook/core/BudgetFile.h"

#include <algorithm>
#include <array>
#include <string>

#include "spreadsheet/base/ReadFile.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/numbers/Amount.h"
#include "workbook/core/AmountsFile.h"

namespace quillora {
namespace {

bool StartsWith(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> signature) {
  return bytes.size() >= signature.size() && std::equal(signature.begin(), signature.end(), bytes.begin());
}

bool EndsWithNoCase(std::string_view name, std::string_view suffix) {
  return name.size() >= suffix.size() &&
         std::equal(suffix.begin(), suffix.end(), name.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                    [](char a, char b) { return a == (b >= 'A' && b <= 'Z' ? static_cast<char>(b - 'A' + 'a') : b); });
}

// Workbooks go to the engine, which refuses the kinds it does not read by name.
bool LooksLikeWorkbook(std::span<const std::uint8_t> bytes, std::string_view name) {
  static constexpr std::array<std::uint8_t, 8> kCompound = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  static constexpr std::array<std::uint8_t, 4> kZip = {'P', 'K', 3, 4};
  return StartsWith(bytes, kCompound) || StartsWith(bytes, kZip) || EndsWithNoCase(name, ".xls") ||
         EndsWithNoCase(name, ".xlt");
}

BudgetAmounts FromWorkbook(std::span<const std::uint8_t> bytes, const std::string& name,
                           const engine::NumberLocale& locale) {
  engine::Workbook workbook;
  try {
    workbook = engine::ReadWorkbook(bytes);
  } catch (const engine::Error& e) {
    throw BudgetFileError(name + " cannot be read: " + e.what());
  }
  try {
    return ReadBudgetWorkbook(workbook, locale);
  } catch (const NotABudgetError& e) {
    throw BudgetFileError(name + " is not a Quillora budget: " + e.what());
  } catch (const BudgetFileError& e) {
    throw BudgetFileError(name + ": " + e.what());
  }
}

BudgetAmounts FromAmountsFile(std::span<const std::uint8_t> bytes, const std::string& name,
                              const engine::NumberLocale& locale) {
  BudgetTexts texts;
  try {
    texts = ReadAmountsFile(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), locale);
  } catch (const AmountsFileError& e) {
    throw BudgetFileError(name + ", " + e.what());
  }
  BudgetAmounts amounts;
  for (const BudgetCategory& category : BudgetCategories())
    for (int index = 0; index < category.fieldCount(); ++index) {
      const FieldAddress field{category.position, index};
      // The reader has accepted every amount, so each parses and rounds within the limit.
      amounts[field] = SignedCents(*engine::ParseAmount(texts[field], locale)).value();
    }
  return amounts;
}

}  // namespace

BudgetAmounts ReadBudget(std::span<const std::uint8_t> bytes, std::string_view name,
                         const engine::NumberLocale& locale) {
  const std::string shown(name);
  return LooksLikeWorkbook(bytes, name) ? FromWorkbook(bytes, shown, locale) : FromAmountsFile(bytes, shown, locale);
}

BudgetAmounts ReadBudgetFile(const std::filesystem::path& path, std::string_view name,
                             const engine::NumberLocale& locale) {
  return ReadBudget(base::ReadWholeFile(path, base::kMaxWorkbookBytes), name, locale);
}

}  // namespace quillora
