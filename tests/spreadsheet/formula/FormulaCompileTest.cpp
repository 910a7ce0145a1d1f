// Formula text <-> BIFF8 token bytes.
#include <gtest/gtest.h>

#include "spreadsheet/formula/Formula.h"
#include "tests/spreadsheet/formula/FormulaTestSheet.h"

namespace quillora::engine {
namespace {

using Bytes = std::vector<std::uint8_t>;

const testing::TestResolver kResolver;

std::string RoundTrip(const std::string& text) { return PrintFormula(CompileFormula(text, kResolver), kResolver); }

TEST(FormulaCompileTest, CanonicalTextRoundTripsToTheSameTokens) {
  const char* formulas[] = {
      "SUM(B9:B19)",
      "SUM(B20,B30,B39,B49,B56,B66,B79,B93,B101,B117)",
      "A1+B2*C3",
      "(A1+B2)*C3",
      "-A1^2",
      "-(A1^2)",
      "2^-2",
      "1-(2-3)",
      "A1%",
      "-A1%",
      "$A$1-$B2+C$3",
      "A1&\" x \"&\"say \"\"hi\"\"\"",
      "IF(A1>=10,\"big\",\"small\")",
      "IF(A1<>0,1/A1,)",
      "ROUND(A1*1.075,2)",
      "AND(A1,NOT(B1),OR(TRUE,FALSE))",
      "MAX(A1:C3)-MIN(A:A)",
      "SUM($1:$6)",
      "SUM($A:$C)",
      "COUNT(A1:A10,5,\"x\")",
      "COUNTA(B:B)",
      "AVERAGE(B9:B19)",
      "ABS(-3.5)",
      "1E+20*0.1",
      "70000+0.5",
      "#DIV/0!",
      "#N/A",
      "SUM('Wedding Budget'!B9:B19,Sheet2!A1)",
      "SUM('Wedding Budget:Sheet2'!A1)",
      "SUM((A1,B2:C3))",
      "SUM(A1:B2 B1:C3)",
      "SUM(A1:B2:C3)",
      "SUM(A1 : B2)",
      "Rate*2",
      "PI()",
      "TRUE()",
      "SUM()",
      "COUNT(,)",
      "A1=B1",
      "A1<B1",
      "A1<=B1",
      "A1>B1",
      "A1>=B1",
      "\"\xC3\xA9\xE2\x82\xAC\"",
      "A1:A1",
      "IV65536",
  };
  for (const char* text : formulas) {
    SCOPED_TRACE(text);
    const Bytes bytes = CompileFormula(text, kResolver);
    const std::string printed = PrintFormula(bytes, kResolver);
    EXPECT_EQ(printed, text);
    EXPECT_EQ(CompileFormula(printed, kResolver), bytes);
  }
}

TEST(FormulaCompileTest, TextIsNormalisedWhenPrinted) {
  const std::pair<const char*, const char*> cases[] = {
      {"=sum(b9:b19)", "SUM(B9:B19)"},
      {"= 1 + 2 ", "1+2"},
      {"true", "TRUE"},
      {"1.50", "1.5"},
      {"B2:A1", "A1:B2"},
      {"$A$1:$A$65536", "$A:$A"},
      {"A1:A65536", "A1:A65536"},
      {"#div/0!", "#DIV/0!"},
      {"'Sheet2'!a1", "Sheet2!A1"},
      {"sum( a1 , b1 )", "SUM(A1,B1)"},
  };
  for (const auto& [text, canonical] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(RoundTrip(text), canonical);
  }
}

TEST(FormulaCompileTest, WritesTheTokensASpreadsheetWrites) {
  // One-argument SUM over an area: tArea (reference class, relative) then tAttrSum.
  EXPECT_EQ(CompileFormula("SUM(B9:B19)"),
            (Bytes{0x25, 0x08, 0x00, 0x12, 0x00, 0x01, 0xC0, 0x01, 0xC0, 0x19, 0x10, 0x00, 0x00}));

  // The grand total: ten tRef then tFuncVar SUM with ten arguments.
  Bytes total;
  for (int row : {20, 30, 39, 49, 56, 66, 79, 93, 101, 117}) {
    total.insert(total.end(), {0x24, static_cast<std::uint8_t>(row - 1), 0x00, 0x01, 0xC0});
  }
  total.insert(total.end(), {0x42, 0x0A, 0x04, 0x00});
  EXPECT_EQ(CompileFormula("=SUM(B20,B30,B39,B49,B56,B66,B79,B93,B101,B117)"), total);

  EXPECT_EQ(CompileFormula("1+2"), (Bytes{0x1E, 0x01, 0x00, 0x1E, 0x02, 0x00, 0x03}));
  EXPECT_EQ(CompileFormula("A1"), (Bytes{0x44, 0x00, 0x00, 0x00, 0xC0}));
  EXPECT_EQ(CompileFormula("$A$1"), (Bytes{0x44, 0x00, 0x00, 0x00, 0x00}));
  EXPECT_EQ(CompileFormula("0.5"), (Bytes{0x1F, 0, 0, 0, 0, 0, 0, 0xE0, 0x3F}));
  EXPECT_EQ(CompileFormula("\"ab\""), (Bytes{0x17, 0x02, 0x00, 'a', 'b'}));
  EXPECT_EQ(CompileFormula("\"\xE2\x82\xAC\""), (Bytes{0x17, 0x01, 0x01, 0xAC, 0x20}));
  EXPECT_EQ(CompileFormula("TRUE"), (Bytes{0x1D, 0x01}));
  EXPECT_EQ(CompileFormula("#N/A"), (Bytes{0x1C, 0x2A}));
  EXPECT_EQ(CompileFormula("ROUND(A1,2)"), (Bytes{0x44, 0x00, 0x00, 0x00, 0xC0, 0x1E, 0x02, 0x00, 0x41, 0x1B, 0x00}));
  EXPECT_EQ(CompileFormula("IF(A1,1,)"),
            (Bytes{0x44, 0x00, 0x00, 0x00, 0xC0, 0x1E, 0x01, 0x00, 0x16, 0x42, 0x03, 0x01, 0x00}));
  EXPECT_EQ(CompileFormula("Sheet2!A1", kResolver), (Bytes{0x5A, 0x01, 0x00, 0x00, 0x00, 0x00, 0xC0}));
  EXPECT_EQ(CompileFormula("(A1)*-B1"),
            (Bytes{0x44, 0, 0, 0, 0xC0, 0x15, 0x44, 0, 0, 1, 0xC0, 0x13, 0x05}));
  EXPECT_EQ(CompileFormula("Rate", kResolver), (Bytes{0x43, 0x01, 0x00, 0x00, 0x00}));
}

TEST(FormulaCompileTest, ReadsTokensItDoesNotWrite) {
  // A union wrapped in tMemFunc, spaces and the jump hints of IF and CHOOSE.
  const Bytes memFunc{0x29, 0x0B, 0x00, 0x24, 0, 0, 0, 0xC0, 0x24, 0, 0, 1, 0xC0, 0x10, 0x15, 0x19, 0x10, 0x00, 0x00};
  EXPECT_EQ(PrintFormula(memFunc), "SUM((A1,B1))");
  const Bytes spaced{0x19, 0x40, 0x00, 0x02, 0x1E, 0x01, 0x00};
  EXPECT_EQ(PrintFormula(spaced), "1");
  const Bytes ifJumps{0x44, 0, 0, 0, 0xC0, 0x19, 0x02, 0x07, 0x00, 0x1E, 0x01, 0x00, 0x19, 0x08, 0x0B, 0x00,
                      0x1E, 0x02, 0x00, 0x19, 0x08, 0x03, 0x00, 0x42, 0x03, 0x01, 0x00};
  EXPECT_EQ(PrintFormula(ifJumps), "IF(A1,1,2)");
  const Bytes choose{0x1E, 0x01, 0x00, 0x19, 0x04, 0x02, 0x00, 0x06, 0x00, 0x0A, 0x00, 0x0E, 0x00,
                     0x1E, 0x02, 0x00, 0x19, 0x08, 0x07, 0x00, 0x1E, 0x03, 0x00, 0x19, 0x08, 0x03, 0x00,
                     0x42, 0x03, 0x64, 0x00};
  EXPECT_EQ(PrintFormula(choose), "CHOOSE(1,2,3)");
  // tFuncVar SUM with one argument, tRefErr, an 8-bit string with a high character.
  EXPECT_EQ(PrintFormula(Bytes{0x24, 0, 0, 0, 0xC0, 0x22, 0x01, 0x04, 0x00}), "SUM(A1)");
  EXPECT_EQ(PrintFormula(Bytes{0x4A, 0, 0, 0, 0, 0x1E, 0x01, 0x00, 0x03}), "#REF!+1");
  EXPECT_EQ(PrintFormula(Bytes{0x17, 0x01, 0x00, 0xE9}), "\"\xC3\xA9\"");
  // Operators without the tParen a spreadsheet would have written still print faithfully.
  EXPECT_EQ(PrintFormula(Bytes{0x1E, 1, 0, 0x1E, 2, 0, 0x03, 0x1E, 3, 0, 0x05}), "(1+2)*3");
  EXPECT_EQ(PrintFormula(Bytes{0x1E, 1, 0, 0x1E, 2, 0, 0x1E, 3, 0, 0x04, 0x04}), "1-(2-3)");
}

TEST(FormulaCompileTest, RejectsMalformedText) {
  const char* bad[] = {
      "", "=", "SUM(", "1+", "FOO(1)", "Unknown", "A1:", "\"abc", "ROUND(1)", "NOT(1,2)", "Nope!A1",
      "{1,2}", "1 2", "A1,B1", "(1,2)", "1e999", "#BAD!", "A65537+1", "SUM(A1)B1",
  };
  for (const char* text : bad) {
    SCOPED_TRACE(text);
    EXPECT_THROW(CompileFormula(text, kResolver), FormulaError);
  }
  auto repeated = [](std::string_view open, char c, std::size_t n, std::string_view close) {
    std::string text(open);
    text.append(n, c);
    text.append(close);
    return text;
  };
  EXPECT_THROW(CompileFormula(repeated("", '(', 200, "1)")), FormulaError);
  EXPECT_THROW(CompileFormula(repeated("\"", 'x', 256, "\"")), FormulaError);
  EXPECT_NO_THROW(CompileFormula(repeated("\"", 'x', 255, "\"")));
  try {
    CompileFormula("SUM(A1;B1)");
    FAIL();
  } catch (const FormulaError& e) {
    EXPECT_NE(std::string(e.what()).find("position 7"), std::string::npos) << e.what();
  }
}

TEST(FormulaCompileTest, RejectsMalformedOrUnsupportedTokens) {
  const Bytes bad[] = {
      {},                                    // nothing
      {0x18},                                // reserved token
      {0x1E, 0x01},                          // truncated integer
      {0x03},                                // operator without operands
      {0x1E, 1, 0, 0x1E, 2, 0},              // two values left
      {0x41, 0xFF, 0x00},                    // unknown fixed function
      {0x42, 0x01, 0xFF, 0x00},              // missing argument for a variable function
      {0x1E, 1, 0, 0x42, 0x01, 0xFF, 0x00},  // unknown variable function
      {0x42, 0x00, 0x01, 0x00},              // IF without arguments
      {0x1E, 1, 0, 0x1E, 1, 0, 0x42, 0x02, 0x26, 0x00},  // NOT with two arguments
      {0x23, 0x09, 0x00, 0x00, 0x00},        // unknown name
      {0x3A, 0x09, 0x00, 0, 0, 0, 0},        // unknown sheet entry
      {0x01, 0x00, 0x00, 0x00, 0x00},        // shared-formula link
      {0x2C, 0, 0, 0, 0},                    // relative tRefN
      {0x20, 0, 0, 0, 0, 0, 0, 0},           // array constant
      {0x1C, 0x99},                          // unknown error code
      {0x19, 0x00, 0x00, 0x00, 0x1E, 1, 0},  // tAttr without options
      {0x17, 0x05, 0x00, 'a'},               // string shorter than its count
      {0x1F, 0, 0, 0, 0, 0, 0, 0xF0, 0x7F},  // infinity
  };
  for (const Bytes& bytes : bad) {
    SCOPED_TRACE(::testing::PrintToString(bytes));
    EXPECT_THROW(PrintFormula(bytes, kResolver), FormulaError);
  }
}

}  // namespace
}  // namespace quillora::engine
