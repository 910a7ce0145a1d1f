#include <string>

#include "spreadsheet/numbers/Amount.h"

namespace quillora::engine {
namespace {

// The symbol as a quoted literal; a quote inside it cannot be written in a code and is dropped.
std::string QuotedSymbol(const std::string& symbol) {
  std::string quoted = "\"";
  for (const char c : symbol)
    if (c != '"') quoted += c;
  return quoted + "\"";
}

}  // namespace

std::string CurrencyNumberFormatCode(const NumberLocale& locale) {
  const std::string number = locale.leadingZero ? "#,##0.00" : "#,###.00";
  std::string amount = number;
  if (!locale.currencySymbol.empty()) {
    // Any spacing between symbol and number is one blank in the code.
    const std::string gap = locale.currencySpacing.empty() ? "" : " ";
    const std::string symbol = QuotedSymbol(locale.currencySymbol);
    amount = locale.currencyPlacement == CurrencyPlacement::Before ? symbol + gap + number : number + gap + symbol;
  }
  return amount + "_);[Red]\\(" + amount + "\\)";
}

}  // namespace quillora::engine
