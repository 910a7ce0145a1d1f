#pragma once
// The German number settings tests and fuzz targets share: 1.234,50 € and -1.234,50 €.
#include "spreadsheet/numbers/NumberLocale.h"

namespace quillora::testing {

inline engine::NumberLocale GermanLocale() {
  engine::NumberLocale de;
  de.decimalSeparator = ",";
  de.groupSeparator = ".";
  de.currencySymbol = "\xE2\x82\xAC";
  de.currencyPlacement = engine::CurrencyPlacement::After;
  de.currencySpacing = "\xC2\xA0";
  de.negativeForm = engine::NegativeForm::SignFirst;
  return de;
}

}  // namespace quillora::testing
