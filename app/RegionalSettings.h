#pragma once

#include <QLocale>

#include "spreadsheet/numbers/NumberLocale.h"

namespace quillora {

// The amount conventions of a Qt locale (separators, currency symbol and its place, the
// negative form). The C locale stands for "no regional settings" and gives the United
// States conventions.
engine::NumberLocale NumberLocaleFrom(const QLocale& locale);

// The user's regional settings: NumberLocaleFrom(QLocale::system()).
engine::NumberLocale SystemNumberLocale();

}  // namespace quillora
