// Amounts read and written under the regional settings Qt reports for a locale.
#include <gtest/gtest.h>

#include <QLocale>
#include <optional>
#include <random>

#include "app/RegionalSettings.h"
#include "spreadsheet/numbers/Amount.h"

namespace quillora {
namespace {

#define NNBSP "\xE2\x80\xAF"                          // U+202F, fr_FR digit grouping
#define EURO "\xC2\xA0\xE2\x82\xAC"                   // no-break space and euro sign

struct Case {
  const char* text;
  std::optional<double> enUS, deDE, frFR;
};

const Case kCases[] = {
    {"1,500", 1500, 1.5, 1.5},
    {"1500", 1500, 1500, 1500},
    {"$1,500.00", 1500, std::nullopt, std::nullopt},
    {"(12)", -12, -12, -12},
    {"12-", -12, -12, -12},
    {"-12", -12, -12, -12},
    {"1e3", 1000, 1000, 1000},
    {" 7 ", 7, 7, 7},
    {"", std::nullopt, std::nullopt, std::nullopt},
    {"abc", std::nullopt, std::nullopt, std::nullopt},
    {"1,5", std::nullopt, 1.5, 1.5},
    {"1.500,00 \xE2\x82\xAC", std::nullopt, 1500, std::nullopt},
    {"1" NNBSP "500,00" EURO, std::nullopt, std::nullopt, 1500},
    {"1 500,00 \xE2\x82\xAC", std::nullopt, std::nullopt, 1500},  // typed with plain blanks
    {"9999999999999", 9999999999999, 9999999999999, 9999999999999},
    {"1e13", std::nullopt, std::nullopt, std::nullopt},
    // No grouped number starts with a zero group.
    {"0.125", 0.125, std::nullopt, std::nullopt},
    {"0,125", std::nullopt, 0.125, 0.125},
    {"0" NNBSP "125", std::nullopt, std::nullopt, std::nullopt},
    {"000.125,00", std::nullopt, std::nullopt, std::nullopt},
    {"1.125", 1.125, 1125, std::nullopt},
};

TEST(AmountLocale, ValidityAndValueUnderThreeLocales) {
  const engine::NumberLocale us = NumberLocaleFrom(QLocale("en_US"));
  const engine::NumberLocale de = NumberLocaleFrom(QLocale("de_DE"));
  const engine::NumberLocale fr = NumberLocaleFrom(QLocale("fr_FR"));
  for (const Case& c : kCases) {
    EXPECT_EQ(engine::ParseAmount(c.text, us), c.enUS) << "en_US: " << c.text;
    EXPECT_EQ(engine::ParseAmount(c.text, de), c.deDE) << "de_DE: " << c.text;
    EXPECT_EQ(engine::ParseAmount(c.text, fr), c.frFR) << "fr_FR: " << c.text;
  }
}

TEST(AmountLocale, CurrencyFormattingUnderThreeLocales) {
  struct Row {
    const char* locale;
    const char *zero, *positive, *negative, *halfCent, *nearLimit;
  };
  const Row rows[] = {
      {"en_US", "$0.00", "$1,234.50", "($1,234.50)", "$0.01", "$9,999,999,999,999.99"},
      {"de_DE", "0,00" EURO, "1.234,50" EURO, "-1.234,50" EURO, "0,01" EURO,
       "9.999.999.999.999,99" EURO},
      {"fr_FR", "0,00" EURO, "1" NNBSP "234,50" EURO, "(1" NNBSP "234,50" EURO ")",
       "0,01" EURO, "9" NNBSP "999" NNBSP "999" NNBSP "999" NNBSP "999,99" EURO},
  };
  for (const Row& r : rows) {
    const engine::NumberLocale l = NumberLocaleFrom(QLocale(r.locale));
    EXPECT_EQ(engine::FormatCurrency(0, l), r.zero) << r.locale;
    EXPECT_EQ(engine::FormatCurrency(1234.5, l), r.positive) << r.locale;
    EXPECT_EQ(engine::FormatCurrency(-1234.5, l), r.negative) << r.locale;
    EXPECT_EQ(engine::FormatCurrency(0.005, l), r.halfCent) << r.locale;
    EXPECT_EQ(engine::FormatCurrency(9999999999999.99, l), r.nearLimit) << r.locale;
    // The same texts as Qt writes for the locale.
    const QLocale q(r.locale);
    EXPECT_EQ(engine::FormatCurrency(1234.5, l),
              q.toCurrencyString(1234.5, q.currencySymbol(), 2).toStdString());
    EXPECT_EQ(engine::FormatCurrency(-1234.5, l),
              q.toCurrencyString(-1234.5, q.currencySymbol(), 2).toStdString());
  }
}

TEST(AmountLocale, RandomCentsSurviveFormatAndParseInEveryLocale) {
  std::mt19937_64 random(42);
  std::uniform_int_distribution<std::int64_t> cents(-999'999'999'999'999, 999'999'999'999'999);
  for (const char* name : {"en_US", "de_DE", "fr_FR", "de_CH", "sv_SE", "nl_NL", "pt_BR"}) {
    const engine::NumberLocale l = NumberLocaleFrom(QLocale(name));
    for (int i = 0; i < 10000; ++i) {
      const double x = static_cast<double>(cents(random)) / 100.0;
      const std::string text = engine::FormatCurrency(x, l);
      ASSERT_EQ(engine::ParseAmount(text, l), x) << name << ": " << text;
    }
  }
}

TEST(AmountLocale, NoRegionalSettingsMeansUnitedStatesConventions) {
  const engine::NumberLocale c = NumberLocaleFrom(QLocale::c());
  EXPECT_EQ(engine::FormatCurrency(-1234.5, c), "($1,234.50)");
  EXPECT_EQ(engine::ParseAmount("$1,500.00", c), 1500);
  const engine::NumberLocale swiss = NumberLocaleFrom(QLocale("de_CH"));
  EXPECT_EQ(engine::FormatCurrency(1234.5, swiss), "1\xE2\x80\x99" "234.50" "\xC2\xA0" "CHF");
  EXPECT_EQ(engine::ParseAmount("1'234.50 CHF", swiss), 1234.5);
}

}  // namespace
}  // namespace quillora
