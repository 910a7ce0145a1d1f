// Taking a budget back from a saved workbook or an amounts file: amounts to the cent under
// several locales, labels as other programs keep them, and refusals that name file and cell.
#include <gtest/gtest.h>

#include <QLocale>
#include <filesystem>
#include <random>

#include "app/RegionalSettings.h"
#include "budget/core/SampleData.h"
#include "spreadsheet/base/ReadFile.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/numbers/Amount.h"
#include "tests/support/TempDir.h"
#include "tests/workbook/TemplateTestSupport.h"
#include "workbook/core/BudgetFile.h"

namespace quillora {
namespace {

namespace fs = std::filesystem;
using engine::NumberLocale;

NumberLocale Locale(const char* name) { return NumberLocaleFrom(QLocale(QString::fromLatin1(name))); }

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

// The sheet cell of a field: column B or C of the item's row.
engine::CellAddress CellOf(FieldAddress field) {
  const BudgetCategory& category = BudgetCategories()[static_cast<std::size_t>(field.category)];
  return {category.sheetFirstRow - 1 + field.index / 2, 1 + field.index % 2};
}

engine::Sheet& FirstSheet(engine::Workbook& book) { return book.sheets.at(0); }

void Put(engine::Workbook& book, engine::CellAddress at, engine::Value value) {
  FirstSheet(book).cells[at].value = std::move(value);
}

std::string ReasonFor(const engine::Workbook& book, const NumberLocale& locale = Locale("en_US")) {
  try {
    ReadBudget(engine::WriteWorkbook(book), "budget.xls", locale);
  } catch (const BudgetFileError& e) {
    return e.what();
  }
  return "accepted";
}

TEST(BudgetWorkbook, RandomBudgetsReadBackToTheCentUnderEachLocale) {
  std::mt19937_64 random(20261208);
  for (const char* name : {"en_US", "de_DE", "fr_FR"}) {
    const NumberLocale locale = Locale(name);
    for (int round = 0; round < 6; ++round) {
      engine::Workbook book = testing::EmbeddedTemplate();
      BudgetAmounts expected;
      for (const BudgetCategory& category : BudgetCategories())
        for (int index = 0; index < category.fieldCount(); ++index) {
          const FieldAddress field{category.position, index};
          // Thousandths of a currency unit, never a half cent, so the cents are unambiguous.
          std::int64_t thousandths = static_cast<std::int64_t>(random() % 2'000'000'000) - 1'000'000'000;
          if (thousandths % 10 == 5 || thousandths % 10 == -5) ++thousandths;
          const std::int64_t cents = (thousandths + (thousandths < 0 ? -5 : 5)) / 10;
          const double value = static_cast<double>(thousandths) / 1000.0;
          switch (random() % 4) {
            case 0:  // left blank: zero
              Put(book, CellOf(field), std::monostate{});
              continue;
            case 1:  // a number, as the generation run and other programs store it
              Put(book, CellOf(field), value);
              break;
            case 2:  // currency text as the window shows it
              Put(book, CellOf(field), engine::FormatCurrency(value, locale));
              break;
            default:  // text as an amounts file holds it
              Put(book, CellOf(field), PlainAmountText(cents, locale));
          }
          expected[field] = cents;
        }
      EXPECT_EQ(ReadBudget(engine::WriteWorkbook(book), "budget.xls", locale), expected) << name << " " << round;
    }
  }
}

TEST(BudgetWorkbook, PlainAmountTextsReadBackToTheSameCents) {
  for (const char* name : {"en_US", "de_DE", "fr_FR", "de_CH"}) {
    const NumberLocale locale = Locale(name);
    for (const std::int64_t cents : {0LL, 5LL, -5LL, 100LL, -123456LL, 999'999'999'999'999LL, -999'999'999'999'999LL}) {
      const std::string text = PlainAmountText(cents, locale);
      const std::optional<double> value = engine::ParseAmount(text, locale);
      ASSERT_TRUE(value) << name << " " << text;
      EXPECT_EQ(SignedCents(*value), cents) << name << " " << text;
    }
  }
  EXPECT_EQ(PlainAmountText(-5, Locale("en_US")), "-0.05");
  EXPECT_EQ(PlainAmountText(123456, Locale("de_DE")), "1234,56");
}

TEST(BudgetWorkbook, LabelsMayLoseTheirTrailingBlankAndUnderscores) {
  engine::Workbook book = testing::EmbeddedTemplate();
  Put(book, testing::At('A', 10), std::string("Wedding rings "));  // as the window shows it
  Put(book, testing::At('A', 19), std::string("Other"));           // no underscores
  Put(book, testing::At('A', 29), std::string("Other___ "));
  Put(book, testing::At('B', 19), 12.5);
  const BudgetAmounts amounts = ReadBudget(engine::WriteWorkbook(book), "budget.xls", Locale("en_US"));
  EXPECT_EQ((amounts[{0, 20}]), 1250);
}

TEST(BudgetWorkbook, AnythingButABudgetIsRefusedAtTheFirstCellThatDoesNotMatch) {
  engine::Workbook book = testing::EmbeddedTemplate();
  Put(book, testing::At('A', 9), std::string("Name"));
  EXPECT_EQ(ReasonFor(book), "budget.xls is not a Quillora budget: A9 holds \"Name\", expected \"Engagement ring\"");

  book = testing::EmbeddedTemplate();
  FirstSheet(book).cells.erase(testing::At('A', 44));
  Put(book, testing::At('A', 106), 7.0);
  EXPECT_EQ(ReasonFor(book), "budget.xls is not a Quillora budget: A44 is empty, expected \"Boutonni\xC3\xA8res\"");

  book = testing::EmbeddedTemplate();
  Put(book, testing::At('A', 106), 7.0);
  EXPECT_EQ(ReasonFor(book), "budget.xls is not a Quillora budget: A106 holds 7, expected \"Officiant\"");

  book = testing::EmbeddedTemplate();
  Put(book, testing::At('A', 116), std::string(100, 'x') + "\n");
  EXPECT_EQ(ReasonFor(book), "budget.xls is not a Quillora budget: A116 holds \"" + std::string(60, 'x') +
                                 "...\", expected \"Other\"");

  book = testing::EmbeddedTemplate();
  book.sheets.clear();
  EXPECT_EQ(ReasonFor(book), "budget.xls is not a Quillora budget: it has no worksheet");
}

TEST(BudgetWorkbook, AnAmountCellHoldingNoAmountIsRefusedWithItsAddress) {
  const auto reason = [](engine::Value value, const char* locale = "en_US") {
    engine::Workbook book = testing::EmbeddedTemplate();
    Put(book, testing::At('C', 12), std::move(value));
    return ReasonFor(book, Locale(locale));
  };
  EXPECT_EQ(reason(std::string("abc")), "budget.xls: C12 holds \"abc\", which is not an amount");
  EXPECT_EQ(reason(std::string("1.234,50")),
            "budget.xls: C12 holds \"1.234,50\", which is not an amount");
  EXPECT_EQ(reason(std::string("1.234,50"), "de_DE"), "accepted");
  EXPECT_EQ(reason(std::string("")), "budget.xls: C12 holds \"\", which is not an amount");
  EXPECT_EQ(reason(true), "budget.xls: C12 holds TRUE, which is not an amount");
  EXPECT_EQ(reason(engine::ErrorCode::Div0), "budget.xls: C12 holds an error value, which is not an amount");
  EXPECT_EQ(reason(1e13), "budget.xls: C12 holds 10000000000000, which is too large for an amount");
  EXPECT_EQ(reason(9999999999999.99), "accepted");
}

TEST(BudgetFile, DamagedForeignAndUnreadableFilesAreRefusedByName) {
  const NumberLocale locale = Locale("en_US");
  const auto reason = [&](const std::vector<std::uint8_t>& bytes, std::string_view name) -> std::string {
    try {
      ReadBudget(bytes, name, locale);
    } catch (const BudgetFileError& e) {
      return e.what();
    }
    return "accepted";
  };
  std::vector<std::uint8_t> truncated = engine::WriteWorkbook(testing::EmbeddedTemplate());
  truncated.resize(truncated.size() / 3);
  EXPECT_EQ(reason(truncated, "cut.xls").rfind("cut.xls cannot be read: ", 0), 0u) << reason(truncated, "cut.xls");
  EXPECT_EQ(reason(Bytes("PK\x03\x04 rest of a zip"), "budget.dat").rfind("budget.dat cannot be read: ", 0), 0u);
  EXPECT_EQ(reason(Bytes("category,item,estimated,actual\n"), "renamed.XLS").rfind("renamed.XLS cannot be read: ", 0), 0u);

  const fs::path corpus = fs::path(QUILLORA_SHARED_DIR) / "corpus" / "xls" / "xlrd-profiles.xls";
  EXPECT_EQ(reason(base::ReadWholeFile(corpus, base::kMaxWorkbookBytes), "profiles.xls").rfind("profiles.xls is not a Quillora budget: A9 ", 0), 0u)
      << reason(base::ReadWholeFile(corpus, base::kMaxWorkbookBytes), "profiles.xls");

  EXPECT_EQ(reason(Bytes("category,item,estimated,actual\nApparel,Shoes,abc,0\n"), "amounts.csv"),
            "amounts.csv, line 2: invalid estimated amount \"abc\"");
  EXPECT_EQ(reason({}, "empty.csv").rfind("empty.csv, line 1: ", 0), 0u);

  testing::TempDir folder;
  try {
    ReadBudgetFile(folder / "missing.xls", "missing.xls", locale);
    ADD_FAILURE() << "a missing file was read";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("missing.xls"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("No such file"), std::string::npos) << e.what();
  }
}

TEST(BudgetFile, AnAmountsFileGivesTheAmountsTheWindowWouldAccept) {
  const NumberLocale locale = Locale("de_DE");
  std::string csv = "\xEF\xBB\xBF" "category,item,estimated,actual\r\n";
  for (const BudgetCategory& category : BudgetCategories())
    for (int k = 0; k < category.itemCount(); ++k)
      csv += "\"" + std::string(category.caption) + "\",\"" + std::string(category.items[static_cast<std::size_t>(k)]) +
             "\"," + SampleAmountText(category.position, 2 * k) + ",\"-1.234,565\"\r\n";
  const BudgetTexts texts = AcceptedTexts(ReadBudget(Bytes(csv), "amounts.csv", locale), locale);
  for (const BudgetCategory& category : BudgetCategories())
    for (int index = 0; index < category.fieldCount(); ++index) {
      const std::string typed = index % 2 == 0 ? SampleAmountText(category.position, index) : "-1.234,565";
      EXPECT_EQ((texts[{category.position, index}]), engine::FormatAmountText(typed, locale).value());
    }
}

// The sample budget as `generate --sample` writes it, re-saved by two other spreadsheet
// programs (tests/workbook/data/), reads back to the sample amounts.
TEST(BudgetFile, SampleBudgetsResavedByOtherProgramsReadBack) {
  BudgetAmounts sample;
  for (const BudgetCategory& category : BudgetCategories())
    for (int index = 0; index < category.fieldCount(); ++index)
      sample[{category.position, index}] = 100 * std::stoll(SampleAmountText(category.position, index));
  for (const char* file : {"sample-resaved-gnumeric.xls", "sample-resaved-localc.xls"}) {
    const fs::path path = fs::path(QUILLORA_SOURCE_DIR) / "tests" / "workbook" / "data" / file;
    EXPECT_EQ(ReadBudgetFile(path, file, Locale("fr_FR")), sample) << file;
  }
}

}  // namespace
}  // namespace quillora
