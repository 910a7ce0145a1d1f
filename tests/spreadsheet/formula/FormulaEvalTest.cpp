// Evaluation of every operator and evaluated function, with spreadsheet error rules.
#include <gtest/gtest.h>

#include "spreadsheet/formula/Evaluator.h"
#include "tests/spreadsheet/formula/FormulaTestSheet.h"

namespace quillora::engine {
namespace {

using std::string;

class FormulaEvalTest : public ::testing::Test {
 protected:
  FormulaEvalTest() {
    // A1 1, A2 2, A3 "text", A4 TRUE, A5 empty, A6 "3"; B1 #DIV/0!; C1:C3 10, 20, 30.
    book.Set("A1", 1.0);
    book.Set("A2", 2.0);
    book.Set("A3", string("text"));
    book.Set("A4", true);
    book.Set("A6", string("3"));
    book.Set("B1", ErrorCode::Div0);
    book.Set("C1", 10.0);
    book.Set("C2", 20.0);
    book.Set("C3", 30.0);
    book.Set("A1", 5.0, 1);
  }

  // Evaluated as if the formula sat in D2 of the first sheet.
  Value Eval(const string& text) {
    return EvaluateFormula(CompileFormula(text, book.resolver), book, EvaluationSite{0, CellAddress{1, 3}},
                           book.resolver);
  }

  testing::TestWorkbook book;
};

TEST_F(FormulaEvalTest, Operators) {
  const std::pair<const char*, Value> cases[] = {
      {"1+2", 3.0},           {"7-10", -3.0},          {"2*3", 6.0},           {"1/4", 0.25},
      {"2^10", 1024.0},       {"-A2", -2.0},           {"+A3", string("text")}, {"50%", 0.5},
      {"-2^2", 4.0},          {"2+3*4", 14.0},         {"(2+3)*4", 20.0},      {"A6+1", 4.0},
      {"A5+1", 1.0},          {"A4+1", 2.0},           {"A5", 0.0},            {"\"a\"&1&TRUE", string("a1TRUE")},
      {"A5&\"x\"", string("x")}, {"1/3&\"\"", string("0.333333333333333")}, {"1=1", true},
      {"1<>1", false},        {"\"a\"=\"A\"", true},   {"1<\"a\"", true},      {"\"b\">\"a\"", true},
      {"TRUE>1", true},       {"2<=1", false},         {"2>=2", true},         {"A5=0", true},
      {"A5=\"\"", true},      {"3<A2", false},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Eval(text), expected);
  }
}

TEST_F(FormulaEvalTest, ErrorsPropagate) {
  const std::pair<const char*, ErrorCode> cases[] = {
      {"1/0", ErrorCode::Div0},       {"A1/A5", ErrorCode::Div0},     {"A3+1", ErrorCode::Value},
      {"B1+1", ErrorCode::Div0},      {"A3+B1", ErrorCode::Value},    {"B1&\"x\"", ErrorCode::Div0},
      {"B1=1", ErrorCode::Div0},      {"-A3", ErrorCode::Value},      {"0^0", ErrorCode::Num},
      {"1E+300*1E+300", ErrorCode::Num}, {"(-8)^0.5", ErrorCode::Num}, {"#N/A+1", ErrorCode::NA},
      {"A1:B2", ErrorCode::Value},    {"SUM(C1:C3 A1:A2)", ErrorCode::Null},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Eval(text), Value(expected));
  }
}

TEST_F(FormulaEvalTest, Functions) {
  const std::pair<const char*, Value> cases[] = {
      {"SUM(A1:A6)", 3.0},                 // text, booleans and empty cells in a range are skipped
      {"SUM(A1:A6,\"3\",TRUE)", 7.0},      // direct arguments are converted
      {"SUM(A1,B1)", ErrorCode::Div0},
      {"SUM(\"x\")", ErrorCode::Value},
      {"SUM()", 0.0},
      {"AVERAGE(C1:C3)", 20.0},
      {"AVERAGE(A3:A5)", ErrorCode::Div0},
      {"MIN(C1:C3,5)", 5.0},
      {"MAX(C1:C3)", 30.0},
      {"MAX(A3)", 0.0},
      {"COUNT(A1:A6,1,\"2\",\"x\")", 4.0},
      {"COUNT(B1)", 0.0},
      {"COUNTA(A1:A6,B1)", 6.0},
      {"IF(A1>0,\"pos\",\"neg\")", string("pos")},
      {"IF(0,1)", false},
      {"IF(1,,2)", 0.0},
      {"IF(B1,1,2)", ErrorCode::Div0},
      {"IF(\"x\",1,2)", ErrorCode::Value},
      {"SUM(IF(1,C1:C3,0))", 60.0},
      {"ROUND(2.675,2)", 2.68},
      {"ROUND(-1.475,2)", -1.48},
      {"ROUND(21.5,-1)", 20.0},
      {"ROUND(0.5,0)", 1.0},
      {"ABS(-4)", 4.0},
      {"ABS(A3)", ErrorCode::Value},
      {"AND(TRUE,1,A1:A6)", true},
      {"AND(A1,0)", false},
      {"OR(0,FALSE)", false},
      {"OR(A3,A5)", ErrorCode::Value},
      {"OR(\"x\")", ErrorCode::Value},
      {"NOT(0)", true},
      {"NOT(A5)", true},
      {"NOT(\"x\")", ErrorCode::Value},
      {"TRUE()", true},
      {"NA()", ErrorCode::NA},
      {"MOD(-7,3)", 2.0},
      {"MOD(1,0)", ErrorCode::Div0},
      {"INT(-1.5)", -2.0},
      {"SQRT(-1)", ErrorCode::Num},
      {"PRODUCT(C1:C2)", 200.0},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Eval(text), expected);
  }
}

TEST_F(FormulaEvalTest, References) {
  EXPECT_EQ(Eval("SUM(C1:C3 C2:C3)"), Value(50.0));     // intersection
  EXPECT_EQ(Eval("SUM((C1,C3))"), Value(40.0));         // union
  EXPECT_EQ(Eval("SUM(C1:C2:C3)"), Value(60.0));        // range operator spans both
  EXPECT_EQ(Eval("C1:C3"), Value(20.0));                // implicit intersection with row 2
  EXPECT_EQ(Eval("A2:C2"), Value(ErrorCode::Value));    // a row not meeting the formula's column
  EXPECT_EQ(Eval("Sheet2!A1*2"), Value(10.0));
  EXPECT_EQ(Eval("SUM('Wedding Budget:Sheet2'!A1)"), Value(6.0));
  EXPECT_EQ(Eval("SUM(C:C)"), Value(60.0));
  EXPECT_EQ(Eval("COUNT($1:$3)"), Value(5.0));
}

TEST_F(FormulaEvalTest, UnsupportedFormulasSayWhy) {
  EXPECT_THROW(Eval("VLOOKUP(1,A1:B2,2)"), UnsupportedFormula);
  EXPECT_THROW(Eval("Rate*2"), UnsupportedFormula);
  EXPECT_FALSE(CompiledFormula(CompileFormula("LEN(\"x\")")).Evaluable());
  EXPECT_TRUE(CompiledFormula(CompileFormula("SUM(A1)+IF(1,2,3)")).Evaluable());
  // IF called with no arguments is refused when read, not evaluated.
  EXPECT_THROW(CompiledFormula(std::vector<std::uint8_t>{0x42, 0x00, 0x01, 0x00}), FormulaError);
  try {
    Eval("LEN(\"x\")");
    FAIL();
  } catch (const UnsupportedFormula& e) {
    EXPECT_STREQ(e.what(), "the function LEN is not evaluated");
  }
}

}  // namespace
}  // namespace quillora::engine
