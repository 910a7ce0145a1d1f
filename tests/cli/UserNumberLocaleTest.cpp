#include <gtest/gtest.h>

#include <QLocale>

#include "app/RegionalSettings.h"
#include "cli/UserNumberLocale.h"

namespace quillora::cli {
namespace {

void ExpectSame(const engine::NumberLocale& a, const engine::NumberLocale& b) {
  EXPECT_EQ(NumberLocaleLines(a), NumberLocaleLines(b));
}

// The conventions quillora-cli takes without QtCore are those QtCore gives for C and en_US.
TEST(PlainConventions, AreWhatTheGuiLibrariesGiveForCAndUnitedStatesEnglish) {
  ExpectSame(PlainConventions(), NumberLocaleFrom(QLocale::c()));
  ExpectSame(PlainConventions(), NumberLocaleFrom(QLocale(QLocale::English, QLocale::UnitedStates)));
  ExpectSame(PlainConventions(), NumberLocaleFrom(QLocale("en_US.UTF-8")));
}

TEST(PlainConventionsFor, TakesOnlyEnvironmentsThatPlainlyNameThem) {
  using Variables = std::map<std::string, std::string>;
  for (const Variables& plain : std::initializer_list<Variables>{
           {},
           {{"LANG", "C"}},
           {{"LANG", ""}, {"LC_ALL", ""}},
           {{"LC_ALL", "POSIX"}, {"LANG", "de_DE.UTF-8"}},
           // The language is C: numbers and money follow it, whatever their own variables say.
           {{"LANG", "C"}, {"LC_NUMERIC", "de_DE.UTF-8"}, {"LC_MONETARY", "fr_FR.UTF-8"}, {"LANGUAGE", "de"}},
           {{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "C"}},
           {{"LANG", "en_US.UTF-8"}},
           {{"LC_ALL", "en_US"}, {"LC_NUMERIC", "de_DE.UTF-8"}},
       }) {
    const auto locale = PlainConventionsFor(plain);
    ASSERT_TRUE(locale.has_value()) << plain.size();
    ExpectSame(*locale, PlainConventions());
  }
  for (const Variables& other : std::initializer_list<Variables>{
           {{"LANG", "de_DE.UTF-8"}},
           {{"LANG", "C.UTF-8"}},                               // not plainly C: QtCore decides
           {{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "de"}},       // may name another language
           {{"LANG", "en_US.UTF-8"}, {"LC_NUMERIC", "de_DE.UTF-8"}},
           {{"LANG", "en_US.UTF-8"}, {"LC_MONETARY", "C"}},
           {{"LC_MESSAGES", "en_US.UTF-8"}},                    // numbers and money then C
           {{"LANG", "en_US@euro"}},
           {{"LANG", "en_GB.UTF-8"}},
           {{"LANG", "en"}},
       }) {
    EXPECT_FALSE(PlainConventionsFor(other).has_value()) << other.begin()->second;
  }
}

TEST(NumberLocaleLines, CarryEveryFieldAndRefuseDamagedText) {
  engine::NumberLocale swiss;
  swiss.decimalSeparator = ".";
  swiss.groupSeparator = "\u2019";
  swiss.minusSign = "\u2212";
  swiss.currencySymbol = "CHF";
  swiss.currencyPlacement = engine::CurrencyPlacement::After;
  swiss.currencySpacing = "\u00a0";
  swiss.negativeForm = engine::NegativeForm::SignLast;
  swiss.leadingZero = false;
  const auto back = NumberLocaleFromLines(NumberLocaleLines(swiss));
  ASSERT_TRUE(back.has_value());
  ExpectSame(*back, swiss);
  EXPECT_EQ(back->currencyPlacement, engine::CurrencyPlacement::After);
  EXPECT_EQ(back->negativeForm, engine::NegativeForm::SignLast);
  EXPECT_FALSE(back->leadingZero);

  const std::string lines = NumberLocaleLines(swiss);
  EXPECT_FALSE(NumberLocaleFromLines(""));
  EXPECT_FALSE(NumberLocaleFromLines(lines + "\n"));                          // a ninth field
  EXPECT_FALSE(NumberLocaleFromLines(lines.substr(0, lines.rfind('\n'))));    // seven fields
  EXPECT_FALSE(NumberLocaleFromLines(".\n,\n-\n$\n2\n\n0\n1"));                // no third place
  EXPECT_FALSE(NumberLocaleFromLines(".\n,\n-\n$\n0\n\n5\n1"));                // no sixth negative form
  EXPECT_FALSE(NumberLocaleFromLines(".\n,\n-\n$\n0\n\n0\nyes"));
}

}  // namespace
}  // namespace quillora::cli
