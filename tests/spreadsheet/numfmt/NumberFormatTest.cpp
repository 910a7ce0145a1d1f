// Number-format codes: the template's currency format, built-ins, sections, General.
#include <gtest/gtest.h>

#include "spreadsheet/model/Workbook.h"
#include "spreadsheet/numfmt/NumberFormat.h"
#include "spreadsheet/numfmt/WorkbookFormats.h"

namespace quillora::engine {
namespace {

using Kind = FormatRun::Kind;
constexpr std::uint8_t kRed = 10;

std::string Show(std::string_view code, const Value& v) { return NumberFormat(code).Format(v).text; }

TEST(NumberFormatTest, TemplateCurrencyFormat) {
  const NumberFormat format("\"$\"#,##0.00_);[Red]\\(\"$\"#,##0.00\\)");

  const FormattedValue zero = format.Format(0.0);
  EXPECT_EQ(zero.text, "$0.00 ");
  EXPECT_EQ(zero.runs, (std::vector<FormatRun>{{Kind::Text, "$0.00"}, {Kind::Space, ")"}}));
  EXPECT_FALSE(zero.color);

  const FormattedValue positive = format.Format(1234.5);
  EXPECT_EQ(positive.text, "$1,234.50 ");
  EXPECT_EQ(positive.runs, (std::vector<FormatRun>{{Kind::Text, "$1,234.50"}, {Kind::Space, ")"}}));
  EXPECT_FALSE(positive.color);

  const FormattedValue negative = format.Format(-1234.5);
  EXPECT_EQ(negative.text, "($1,234.50)");
  EXPECT_EQ(negative.runs, (std::vector<FormatRun>{{Kind::Text, "($1,234.50)"}}));
  EXPECT_EQ(negative.color, kRed);

  EXPECT_EQ(format.Format(1e7 + 0.005).text, "$10,000,000.01 ");
  EXPECT_EQ(format.Format(-0.004).text, "($0.00)");
}

// Regional separators replace the code's "." and "," where a number shows them, and
// nowhere else: literals and the text of other sections stay as written.
TEST(NumberFormatTest, NumbersShowTheReadersSeparators) {
  const Separators german{",", "."};
  const NumberFormat euros("#,##0.00 \"\u20AC\"_);[Red]\\(#,##0.00 \"\u20AC\"\\)");
  EXPECT_EQ(euros.Format(1234567.5, german).text, "1.234.567,50 \u20AC ");
  const FormattedValue negative = euros.Format(-1234.5, german);
  EXPECT_EQ(negative.text, "(1.234,50 \u20AC)");
  EXPECT_EQ(negative.color, kRed);
  EXPECT_EQ(euros.Format(0.5, german).text, "0,50 \u20AC ");
  const Separators french{",", "\u202F"};
  EXPECT_EQ(euros.Format(-1234.5, french).text, "(1\u202F234,50 \u20AC)");
  EXPECT_EQ(NumberFormat("\"v1.2, \"0.0").Format(3.5, german).text, "v1.2, 3,5");
  EXPECT_EQ(NumberFormat("0.00E+00").Format(1234.5, german).text, "1,23E+03");
  // Without separators given, the code's own are shown.
  EXPECT_EQ(euros.Format(1234.5).text, "1,234.50 \u20AC ");
}

TEST(NumberFormatTest, BuiltinFormats) {
  struct Case {
    int index;
    Value value;
    const char* text;
  };
  const Case cases[] = {
      {0, 1234.5, "1234.5"},          {1, 1234.5, "1235"},            {2, 0.125, "0.13"},
      {2, -0.125, "-0.13"},           {3, 1234567.891, "1,234,568"},  {4, 1234.5, "1,234.50"},
      {5, -1234.5, "($1,235)"},       {5, 1234.5, "$1,235 "},         {7, 1234.5, "$1,234.50 "},
      {8, -2.0, "($2.00)"},           {9, 0.256, "26%"},              {10, 0.25, "25.00%"},
      {11, 12345.0, "1.23E+04"},      {11, 0.00012, "1.20E-04"},      {11, 0.0, "0.00E+00"},
      {12, 1.5, "1 1/2"},             {12, 0.75, " 3/4"},             {12, 2.0, "2    "},
      {13, 3.14159, "3 14/99"},      {14, 45000.0, "3/15/23"}  ,     {15, 45000.0, "15-Mar-23"},
      {16, 45000.0, "15-Mar"},        {17, 45000.0, "Mar-23"},        {18, 0.75, "6:00 PM"},
      {19, 0.5 + 5 / 86400.0, "12:00:05 PM"}, {20, 0.25, "6:00"},     {21, 0.25, "6:00:00"},
      {22, 45000.5, "3/15/23 12:00"}  , {37, -1234.0, "(1,234)"},     {39, 1234.5, "1,234.50 "},
      {41, 0.0, " - "},               {42, 1234.0, " $1,234 "},       {44, -5.0, " $(5.00)"},
      {44, 0.0, " $-   "},            {44, std::string("abc"), " abc "}, {45, 1.5 / 1440, "01:30"},
      {46, 1.5, "36:00:00"},          {47, 1.55 / 1440, "01:33.0"},   {48, 12345.0, "12.3E+3"},
      {49, std::string("text"), "text"}, {49, 5.0, "5"},              {30, 1.5, "1.5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.index) + " " + c.text);
    EXPECT_EQ(BuiltinFormat(c.index).Format(c.value).text, c.text);
  }
  EXPECT_EQ(BuiltinFormat(6).Format(-1.0).color, kRed);
  EXPECT_EQ(BuiltinFormat(38).Format(-1.0).color, kRed);
  EXPECT_EQ(BuiltinFormatCode(8), "\"$\"#,##0.00_);[Red](\"$\"#,##0.00)");
  EXPECT_FALSE(BuiltinFormatCode(30));
  EXPECT_FALSE(BuiltinFormatCode(50));
  EXPECT_TRUE(BuiltinFormat(14).IsDateTime());
  // The codes the dump and the renderer use are this table's, as the common readers show them.
  const Workbook book = NewWorkbook();
  EXPECT_EQ(NumberFormatCode(book, 14), "m/d/yy");
  EXPECT_EQ(NumberFormatCode(book, 22), "m/d/yy h:mm");
  EXPECT_EQ(NumberFormatCode(book, 5), "\"$\"#,##0_);(\"$\"#,##0)");
  EXPECT_EQ(NumberFormatCode(book, 30), "General");
  EXPECT_FALSE(BuiltinFormat(4).IsDateTime());
}

TEST(NumberFormatTest, SectionsConditionsAndColours) {
  EXPECT_EQ(Show("0;-0;\"zero\";\"text: \"@", 0.0), "zero");
  EXPECT_EQ(Show("0;-0;\"zero\";\"text: \"@", -3.0), "-3");
  EXPECT_EQ(Show("0;-0;\"zero\";\"text: \"@", std::string("abc")), "text: abc");
  EXPECT_EQ(Show("0;(0)", -3.0), "(3)");
  EXPECT_EQ(Show("0.00;;", 0.0), "");
  EXPECT_EQ(Show("0.00", std::string("abc")), "abc");

  const NumberFormat conditional("[>100][Red]0;[Blue]0");
  EXPECT_EQ(conditional.Format(150.0).text, "150");
  EXPECT_EQ(conditional.Format(150.0).color, kRed);
  EXPECT_EQ(conditional.Format(50.0).color, 12);
  EXPECT_EQ(conditional.Format(-5.0).text, "-5");
  EXPECT_EQ(Show("[<0]\"neg \"0;\"pos \"0", -5.0), "neg 5");
  EXPECT_EQ(Show("[<0]\"neg \"0;\"pos \"0", 5.0), "pos 5");
  EXPECT_EQ(NumberFormat("[Color10]0").Format(1.0).color, 17);
  EXPECT_EQ(NumberFormat("[magenta]0").Format(1.0).color, 14);
}

TEST(NumberFormatTest, PlaceholdersLiteralsAndRounding) {
  EXPECT_EQ(Show("0.00", 2.675), "2.68");
  EXPECT_EQ(Show("0.00", 1.005), "1.01");
  EXPECT_EQ(Show("0", -0.5), "-1");
  EXPECT_EQ(Show("0.00", -0.001), "0.00");
  EXPECT_EQ(Show("#,##0.00,,", 1234567890.0), "1,234.57");
  EXPECT_EQ(Show("000-0000", 5551234.0), "555-1234");
  EXPECT_EQ(Show("00000", 42.0), "00042");
  EXPECT_EQ(Show("#.##", 0.0), ".");
  EXPECT_EQ(Show(".00", 12.5), "12.50");
  EXPECT_EQ(Show("#,##0", 123456789012.0), "123,456,789,012");
  EXPECT_EQ(Show("\\$0 \"USD\"", 3.0), "$3 USD");
  EXPECT_EQ(Show("[$\xE2\x82\xAC-407] #,##0.00", 1.5), "\xE2\x82\xAC 1.50");
  EXPECT_EQ(Show("0.0%", 0.1234), "12.3%");
  EXPECT_EQ(Show("0.00E+00", 9.999), "1.00E+01");
  EXPECT_EQ(Show("0.0E-0", 0.5), "5.0E-1");

  const FormattedValue padded = NumberFormat("0.0?").Format(1.5);
  EXPECT_EQ(padded.text, "1.5 ");
  EXPECT_EQ(padded.runs, (std::vector<FormatRun>{{Kind::Text, "1.5"}, {Kind::Space, "0"}}));

  const FormattedValue filled = NumberFormat("0*-").Format(5.0);
  EXPECT_EQ(filled.text, "5");
  EXPECT_EQ(filled.runs, (std::vector<FormatRun>{{Kind::Text, "5"}, {Kind::Fill, "-"}}));
}

TEST(NumberFormatTest, GeneralAndOtherValues) {
  const std::pair<double, const char*> cases[] = {
      {1.0 / 3, "0.333333333"}, {123456789012.0, "1.23457E+11"}, {1e-10, "1E-10"},
      {-1234.5, "-1234.5"},     {12345678901.0, "12345678901"},  {0.1 + 0.2, "0.3"},
      {0.0, "0"},               {-1e100, "-1E+100"},             {99999999999.5, "1E+11"},
  };
  for (const auto& [value, text] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(GeneralNumberText(value), text);
    EXPECT_EQ(Show("General", value), text);
  }
  const NumberFormat general("General");
  EXPECT_EQ(general.Format(Value{}).text, "");
  EXPECT_TRUE(general.Format(Value{}).runs.empty());
  EXPECT_EQ(general.Format(true).text, "TRUE");
  EXPECT_EQ(general.Format(ErrorCode::Div0).text, "#DIV/0!");
  EXPECT_EQ(Show("", 2.5), "2.5");
  EXPECT_EQ(Show("\"Total: \"General", -2.5), "-Total: 2.5");
}

TEST(NumberFormatTest, MalformedCodesAreRefused) {
  for (const char* code : {"\"abc", "0;0;0;0;0", "[Color99]0", "[>abc]0", "[Red", "0\\"}) {
    SCOPED_TRACE(code);
    EXPECT_THROW(NumberFormat{code}, NumberFormatError);
  }
}

}  // namespace
}  // namespace quillora::engine
