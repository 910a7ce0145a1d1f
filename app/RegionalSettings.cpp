#include "app/RegionalSettings.h"

#include <QString>

namespace quillora {
namespace {

// Direction marks that some locales put around signs and symbols; they carry no meaning
// for reading an amount.
QString WithoutDirectionMarks(QString text) {
  for (const char16_t mark : {u'\u200E', u'\u200F', u'\u061C'}) text.remove(QChar(mark));
  return text;
}

// Only blanks are kept between the symbol and the number.
QString BlanksOnly(const QString& text) {
  QString blanks;
  for (const QChar c : text) {
    if (c.isSpace()) blanks += c;
  }
  return blanks;
}

engine::NegativeForm NegativeFormOf(const QString& negative, const QString& number,
                                    const QString& minus, const QString& symbol,
                                    engine::CurrencyPlacement placement) {
  using engine::NegativeForm;
  if (negative.startsWith(QLatin1Char('('))) return NegativeForm::Parentheses;
  const auto m = negative.indexOf(minus);
  const auto n = negative.indexOf(number);
  if (m < 0 || n < 0) return NegativeForm::SignFirst;
  const auto s = symbol.isEmpty() ? -1 : negative.indexOf(symbol);
  if (m < n) {
    const bool symbolFirst = placement == engine::CurrencyPlacement::Before && s >= 0 && s < m;
    return symbolFirst ? NegativeForm::SignBeforeNumber : NegativeForm::SignFirst;
  }
  const bool symbolBetween = placement == engine::CurrencyPlacement::After && s >= 0 && s < m;
  return symbolBetween ? NegativeForm::SignLast : NegativeForm::SignAfterNumber;
}

}  // namespace

engine::NumberLocale NumberLocaleFrom(const QLocale& given) {
  const QLocale locale = given.language() == QLocale::C
                             ? QLocale(QLocale::English, QLocale::UnitedStates)
                             : given;
  engine::NumberLocale result;
  result.decimalSeparator = WithoutDirectionMarks(locale.decimalPoint()).toStdString();
  result.groupSeparator = WithoutDirectionMarks(locale.groupSeparator()).toStdString();
  const QString minus = WithoutDirectionMarks(locale.negativeSign());
  result.minusSign = minus.toStdString();
  const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);
  result.currencySymbol = symbol.toStdString();

  // Learn the symbol's place and the negative form from how the locale writes 1234.5.
  const QString number = WithoutDirectionMarks(locale.toString(1234.5, 'f', 2));
  const QString positive = WithoutDirectionMarks(locale.toCurrencyString(1234.5, symbol, 2));
  const auto at = positive.indexOf(number);
  if (at >= 0 && !symbol.isEmpty()) {
    const QString prefix = positive.left(at);
    const QString suffix = positive.mid(at + number.size());
    if (prefix.contains(symbol)) {
      result.currencyPlacement = engine::CurrencyPlacement::Before;
      result.currencySpacing =
          BlanksOnly(prefix.mid(prefix.indexOf(symbol) + symbol.size())).toStdString();
    } else {
      result.currencyPlacement = engine::CurrencyPlacement::After;
      result.currencySpacing = BlanksOnly(suffix.left(suffix.indexOf(symbol))).toStdString();
    }
  }
  const QString negative = WithoutDirectionMarks(locale.toCurrencyString(-1234.5, symbol, 2));
  result.negativeForm =
      NegativeFormOf(negative, number, minus, symbol, result.currencyPlacement);
  result.leadingZero = true;
  return result;
}

engine::NumberLocale SystemNumberLocale() { return NumberLocaleFrom(QLocale::system()); }

}  // namespace quillora
