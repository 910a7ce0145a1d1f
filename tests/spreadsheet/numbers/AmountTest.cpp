#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <stdexcept>

#include "spreadsheet/numbers/Amount.h"

namespace quillora::engine {
namespace {

NumberLocale UnitedStates() { return UnitedStatesConventions(); }

NumberLocale SwissGerman() {
  NumberLocale l;
  l.groupSeparator = "\xE2\x80\x99";  // U+2019
  l.currencySymbol = "CHF";
  l.currencySpacing = " ";
  l.negativeForm = NegativeForm::SignBeforeNumber;
  return l;
}

NumberLocale SymbolAfter(NegativeForm form) {
  NumberLocale l;
  l.decimalSeparator = ",";
  l.groupSeparator = "\xE2\x80\xAF";  // U+202F
  l.currencySymbol = "kr";
  l.currencyPlacement = CurrencyPlacement::After;
  l.currencySpacing = "\xC2\xA0";
  l.minusSign = "\xE2\x88\x92";  // U+2212
  l.negativeForm = form;
  return l;
}

TEST(AmountFormat, RoundsOnTheExactValueWithExactHalvesAwayFromZero) {
  const NumberLocale us = UnitedStates();
  EXPECT_EQ(FormatCurrency(0.125, us), "$0.13");    // exactly half a cent
  EXPECT_EQ(FormatCurrency(-0.125, us), "($0.13)");
  EXPECT_EQ(FormatCurrency(0.375, us), "$0.38");
  EXPECT_EQ(FormatCurrency(2.675, us), "$2.67");    // the double lies below 2.675
  EXPECT_EQ(FormatCurrency(1.005, us), "$1.00");    // likewise below
  EXPECT_EQ(FormatCurrency(0.005, us), "$0.01");    // the double lies above
  EXPECT_EQ(FormatCurrency(-0.004, us), "$0.00");   // no negative zero
  EXPECT_EQ(FormatCurrency(-0.0, us), "$0.00");
  EXPECT_EQ(FormatCurrency(0.015, us), "$0.01");     // 0.0149999...
  EXPECT_EQ(FormatCurrency(999.995, us), "$1,000.00");  // 999.9950000...045
}

TEST(AmountFormat, WritesEveryNegativeFormAndPlacement) {
  NumberLocale us = UnitedStates();
  const std::pair<NegativeForm, const char*> before[] = {
      {NegativeForm::SignFirst, "-$1,234.50"},
      {NegativeForm::SignBeforeNumber, "$-1,234.50"},
      {NegativeForm::SignAfterNumber, "$1,234.50-"},
      {NegativeForm::SignLast, "$1,234.50-"},
      {NegativeForm::Parentheses, "($1,234.50)"}};
  for (const auto& [form, expected] : before) {
    us.negativeForm = form;
    EXPECT_EQ(FormatCurrency(-1234.5, us), expected);
    EXPECT_EQ(ParseAmount(expected, us), -1234.5) << expected;
  }
  const std::pair<NegativeForm, const char*> after[] = {
      {NegativeForm::SignFirst, "\xE2\x88\x92" "1\xE2\x80\xAF" "234,50\xC2\xA0kr"},
      {NegativeForm::SignAfterNumber, "1\xE2\x80\xAF" "234,50\xE2\x88\x92\xC2\xA0kr"},
      {NegativeForm::SignLast, "1\xE2\x80\xAF" "234,50\xC2\xA0kr\xE2\x88\x92"},
      {NegativeForm::Parentheses, "(1\xE2\x80\xAF" "234,50\xC2\xA0kr)"}};
  for (const auto& [form, expected] : after) {
    const NumberLocale l = SymbolAfter(form);
    EXPECT_EQ(FormatCurrency(-1234.5, l), expected);
    EXPECT_EQ(ParseAmount(expected, l), -1234.5) << expected;
  }
  EXPECT_EQ(FormatCurrency(1234.5, SwissGerman()), "CHF 1\xE2\x80\x99" "234.50");
  EXPECT_EQ(FormatCurrency(-1234.5, SwissGerman()), "CHF -1\xE2\x80\x99" "234.50");
}

TEST(AmountFormat, LeadingZeroFollowsTheLocale) {
  NumberLocale us = UnitedStates();
  us.leadingZero = false;
  EXPECT_EQ(FormatCurrency(0.5, us), "$.50");
  EXPECT_EQ(FormatCurrency(0, us), "$.00");
  EXPECT_EQ(FormatCurrency(1.5, us), "$1.50");
  EXPECT_EQ(ParseAmount("$.50", us), 0.5);
}

TEST(AmountFormat, RefusesValuesAtTheLimitOrNotFinite) {
  const NumberLocale us = UnitedStates();
  EXPECT_EQ(FormatCurrency(9999999999999.99, us), "$9,999,999,999,999.99");
  EXPECT_THROW(FormatCurrency(1e13, us), std::out_of_range);
  EXPECT_THROW(FormatCurrency(-1e13, us), std::out_of_range);
  // Rounds up to the limit itself: refused by both the formatter and the parser.
  EXPECT_THROW(FormatCurrency(9999999999999.996, us), std::out_of_range);
  EXPECT_FALSE(ParseAmount("9999999999999.996", us));
  EXPECT_THROW(FormatCurrency(std::numeric_limits<double>::infinity(), us), std::out_of_range);
  EXPECT_THROW(FormatCurrency(std::nan(""), us), std::out_of_range);
}

TEST(CurrencyFormatCode, PutsTheSymbolWhereTheLocaleDoesWithNegativesInRedParentheses) {
  // The template's own code, so dollar settings leave its cells as they are.
  EXPECT_EQ(CurrencyNumberFormatCode(UnitedStates()), "\"$\"#,##0.00_);[Red]\\(\"$\"#,##0.00\\)");
  NumberLocale german = SymbolAfter(NegativeForm::SignFirst);
  german.currencySymbol = "\u20AC";
  EXPECT_EQ(CurrencyNumberFormatCode(german), "#,##0.00 \"\u20AC\"_);[Red]\\(#,##0.00 \"\u20AC\"\\)");
  EXPECT_EQ(CurrencyNumberFormatCode(SwissGerman()), "\"CHF\" #,##0.00_);[Red]\\(\"CHF\" #,##0.00\\)");
  NumberLocale odd = UnitedStates();
  odd.currencySymbol = "a\"b";  // a quote cannot stand inside a quoted literal
  odd.leadingZero = false;
  EXPECT_EQ(CurrencyNumberFormatCode(odd), "\"ab\"#,###.00_);[Red]\\(\"ab\"#,###.00\\)");
  odd.currencySymbol.clear();
  EXPECT_EQ(CurrencyNumberFormatCode(odd), "#,###.00_);[Red]\\(#,###.00\\)");
}

TEST(AmountParse, AcceptsTheWrittenFormsAndRefusesMalformedOnes) {
  const NumberLocale us = UnitedStates();
  const std::pair<const char*, double> valid[] = {
      {"1,234,567.5", 1234567.5}, {".5", 0.5},          {"5.", 5},
      {"+5", 5},                  {"$-5", -5},          {"-$5", -5},
      {"5$", 5},                  {"$ 5", 5},           {"( $5 )", -5},
      {"2.5E-1", 0.25},           {"1e+2", 100},        {"\t12\xC2\xA0", 12},
      {"\xE2\x88\x92" "3", -3},   {"0e-400", 0},        {"000012", 12}};
  for (const auto& [text, value] : valid) {
    ASSERT_TRUE(ParseAmount(text, us).has_value()) << text;
    EXPECT_EQ(*ParseAmount(text, us), value) << text;
  }
  for (const char* text :
       {"--1", "(-1)", "(1", "1)", "1,23", "1234,567", "1,2345", "$$5", "1 234", "1e", "e3",
        ".", "$", "-", "()", "1e999", "1.2.3", "12-3", "0x10", "1 2", "5 $ 5", "nan", "inf",
        "0,125", "00,125", "012,345,678"}) {
    EXPECT_FALSE(ParseAmount(text, us).has_value()) << text;
  }
  const NumberLocale swiss = SwissGerman();
  EXPECT_EQ(ParseAmount("CHF 1\xE2\x80\x99" "234.50", swiss), 1234.5);
  EXPECT_EQ(ParseAmount("1'234.50", swiss), 1234.5);  // typed apostrophe
}

TEST(AmountRoundTrip, EveryFormattedCentsValueReadsBackUnchanged) {
  std::mt19937_64 random(20261207);
  std::uniform_int_distribution<std::int64_t> cents(-999'999'999'999'999, 999'999'999'999'999);
  std::uniform_int_distribution<std::int64_t> small(-100'000'000, 100'000'000);
  const NumberLocale locales[] = {UnitedStates(), SwissGerman(),
                                  SymbolAfter(NegativeForm::SignLast),
                                  SymbolAfter(NegativeForm::Parentheses)};
  for (int i = 0; i < 10000; ++i) {
    const double x = static_cast<double>(i % 2 ? cents(random) : small(random)) / 100.0;
    for (const NumberLocale& l : locales) {
      const std::string text = FormatCurrency(x, l);
      const std::optional<double> back = ParseAmount(text, l);
      ASSERT_TRUE(back.has_value()) << text;
      ASSERT_EQ(*back, x) << text;
      ASSERT_EQ(FormatCurrency(*back, l), text);
    }
  }
}

}  // namespace
}  // namespace quillora::engine
