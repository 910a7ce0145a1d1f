#include <gtest/gtest.h>

#include <sstream>

#include "budget/core/SampleData.h"
#include "spreadsheet/numbers/NumberLocale.h"
#include "tests/support/GermanLocale.h"
#include "workbook/core/AmountsFile.h"
#include "workbook/core/FileFormat.h"

namespace quillora {
namespace {

engine::NumberLocale German() { return testing::GermanLocale(); }

// A complete amounts file with every item, where `amount(category, index)` gives each text.
template <class AmountOf>
std::string FullFile(AmountOf amount, bool dropTrailingBlanks = true) {
  std::ostringstream csv;
  csv << "\xEF\xBB\xBF" "category,item,estimated,actual\r\n";
  for (const BudgetCategory& c : BudgetCategories()) {
    for (int k = 0; k < c.itemCount(); ++k) {
      std::string label(c.items[k]);
      if (dropTrailingBlanks && label.ends_with(' ')) label.pop_back();
      csv << '"' << c.caption << "\",\"" << label << "\",\"" << amount(c.position, 2 * k)
          << "\",\"" << amount(c.position, 2 * k + 1) << "\"\r\n";
    }
  }
  return csv.str();
}

TEST(AmountsFile, ReadsEveryItemAndKeepsTheTextsAsTyped) {
  const auto texts = ReadAmountsFile(FullFile(SampleAmountText), engine::UnitedStatesConventions());
  EXPECT_EQ((texts[{0, 0}]), "225");
  EXPECT_EQ((texts[{9, 21}]), "49");
  const BudgetTexts sample = BudgetTexts::Sample();
  for (const BudgetCategory& c : BudgetCategories())
    for (int i = 0; i < c.fieldCount(); ++i)
      EXPECT_EQ((texts[{c.position, i}]), (sample[{c.position, i}]));

  // Forms the entry window accepts, including a label with its trailing blank.
  const auto german = ReadAmountsFile(
      FullFile([](int, int i) { return i % 2 ? std::string("1.500,00 \xE2\x82\xAC") : "(12)"; },
               false),
      German());
  EXPECT_EQ((german[{7, 3}]), "1.500,00 \xE2\x82\xAC");
  EXPECT_EQ((german[{7, 2}]), "(12)");
}

TEST(AmountsFile, ReportsTheLineOfEachProblem) {
  const std::string good = FullFile(SampleAmountText);
  auto lineOf = [](const std::string& csv, const engine::NumberLocale& locale) {
    try {
      ReadAmountsFile(csv, locale);
    } catch (const AmountsFileError& e) {
      return std::pair{e.line(), std::string(e.what())};
    }
    return std::pair{0, std::string()};
  };
  const auto us = engine::UnitedStatesConventions();

  EXPECT_EQ(lineOf("", us).first, 1);
  EXPECT_EQ(lineOf("category,item,amount\n", us).first, 1);

  std::string bad = good;
  bad.replace(bad.find("\"Shoes\",\"235\""), 13, "\"Shoes\",\"abc\"");
  auto [line, what] = lineOf(bad, us);
  EXPECT_EQ(line, 6);
  EXPECT_NE(what.find("invalid estimated amount \"abc\""), std::string::npos) << what;

  bad = good;
  bad.replace(bad.find("\"Garter\""), 8, "\"Garters\"");
  std::tie(line, what) = lineOf(bad, us);
  EXPECT_EQ(line, 8);
  EXPECT_NE(what.find("unknown item \"Garters\""), std::string::npos) << what;

  bad = good + "\"Gifts\",\"Parents\",1,2\r\n";
  std::tie(line, what) = lineOf(bad, us);
  EXPECT_EQ(line, 73);
  EXPECT_NE(what.find("repeated (first on line 21)"), std::string::npos) << what;

  bad = good;
  const auto hosiery = bad.find("\"Apparel\",\"Hosiery\"");
  bad.erase(hosiery, bad.find('\n', hosiery) + 1 - hosiery);
  std::tie(line, what) = lineOf(bad, us);
  EXPECT_EQ(line, 72);
  EXPECT_NE(what.find("no row for \"Hosiery\" of \"Apparel\""), std::string::npos) << what;

  // A huge field is repeated only in part, a NUL in it shown escaped: one short whole line.
  bad = good;
  bad.replace(bad.find("\"Shoes\",\"235\""), 13, "\"Shoes\",\"" + std::string(1'000'000, '9') + "\"");
  std::tie(line, what) = lineOf(bad, us);
  EXPECT_EQ(line, 6);
  EXPECT_EQ(what, "line 6: invalid estimated amount \"" + std::string(60, '9') + "...\"");
  bad = good;
  bad.replace(bad.find("\"Shoes\",\"235\""), 13, std::string("\"Shoes\",\"12\0\x7F\"", 14));
  std::tie(line, what) = lineOf(bad, us);
  EXPECT_EQ(what, "line 6: invalid estimated amount \"12\\x00\\x7F\"");
  bad = good;
  bad.replace(bad.find("\"Shoes\""), 7, "\"" + std::string(70, 'x') + "\xC3\xA9\"");
  std::tie(line, what) = lineOf(bad, us);
  EXPECT_EQ(what, "line 6: unknown item \"" + std::string(60, 'x') + "...\" in category \"Apparel\"");

  // en_US text under de_DE is not a valid amount there.
  EXPECT_EQ(lineOf(FullFile([](int, int) { return std::string("$1,500.00"); }), German()).first, 2);
  EXPECT_EQ(lineOf("category,item,estimated,actual\nApparel,\"Shoes,1,2\n", us).first, 2);
}

TEST(FileFormat, VersionTextGivesTheSaveCodeUnderEitherSeparator) {
  const auto us = engine::UnitedStatesConventions();
  EXPECT_EQ(FileFormatForVersion("11.0", us), kFileFormatBefore12);
  EXPECT_EQ(FileFormatForVersion("12.0", us), kFileFormatFrom12);
  EXPECT_EQ(FileFormatForVersion("16.0", German()), kFileFormatFrom12);
  EXPECT_EQ(FileFormatForVersion("11,0", German()), kFileFormatBefore12);
  EXPECT_EQ(FileFormatForVersion("11.5", us), kFileFormatFrom12);   // rounds to 12
  EXPECT_EQ(FileFormatForVersion("12.5", us), kFileFormatFrom12);   // halves to even: 12
  EXPECT_EQ(FileFormatForVersion("11.49", us), kFileFormatBefore12);
  EXPECT_EQ(ToLocaleDecimal("16.0,1", German()), "16,0,1");
  EXPECT_EQ(LocaleDecimalSeparator(German()), ",");
  EXPECT_THROW(FileFormatForVersion("sixteen", us), std::runtime_error);
}

}  // namespace
}  // namespace quillora
