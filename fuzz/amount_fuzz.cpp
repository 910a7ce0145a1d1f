// Whatever the amount parser accepts, the currency formatter writes a text that parses
// back to the same cents, and formatting that again gives the same text. The first byte
// picks the regional conventions.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "spreadsheet/numbers/Amount.h"

namespace {

using quillora::engine::CurrencyPlacement;
using quillora::engine::NegativeForm;
using quillora::engine::NumberLocale;

NumberLocale LocaleFor(std::uint8_t selector) {
  NumberLocale l;
  switch (selector % 4) {
    case 1:  // 1.234,50 €
      l.decimalSeparator = ",";
      l.groupSeparator = ".";
      l.currencySymbol = "\xE2\x82\xAC";
      l.currencyPlacement = CurrencyPlacement::After;
      l.currencySpacing = "\xC2\xA0";
      l.negativeForm = NegativeForm::SignFirst;
      break;
    case 2:  // (1 234,50 €) with narrow no-break spaces
      l.decimalSeparator = ",";
      l.groupSeparator = "\xE2\x80\xAF";
      l.currencySymbol = "\xE2\x82\xAC";
      l.currencyPlacement = CurrencyPlacement::After;
      l.currencySpacing = "\xC2\xA0";
      break;
    case 3:  // CHF -1’234.50
      l.groupSeparator = "\xE2\x80\x99";
      l.currencySymbol = "CHF";
      l.currencySpacing = " ";
      l.negativeForm = NegativeForm::SignBeforeNumber;
      l.leadingZero = false;
      break;
    default:  // $1,234.50, ($1,234.50)
      break;
  }
  return l;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const NumberLocale locale = LocaleFor(data[0]);
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const auto value = quillora::engine::ParseAmount(text, locale);
  if (!value) return 0;
  const std::string formatted = quillora::engine::FormatCurrency(*value, locale);
  const auto again = quillora::engine::ParseAmount(formatted, locale);
  if (!again) std::abort();
  if (quillora::engine::RoundToCents(*again) != quillora::engine::RoundToCents(*value)) std::abort();
  if (quillora::engine::FormatCurrency(*again, locale) != formatted) std::abort();
  return 0;
}
