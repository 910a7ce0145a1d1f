// Formula text that compiles prints back to text that compiles to the same tokens; any bytes,
// as text or as tokens, are refused with FormulaError or printed and evaluated, never crash.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "spreadsheet/formula/Evaluator.h"
#include "spreadsheet/formula/Formula.h"
#include "spreadsheet/formula/Recalculator.h"
#include "tests/spreadsheet/formula/FormulaTestSheet.h"

using namespace quillora::engine;

namespace {

testing::TestWorkbook& Book() {
  static testing::TestWorkbook book = [] {
    testing::TestWorkbook b;
    b.Set("A1", 1.0);
    b.Set("A2", std::string("2"));
    b.Set("B1", ErrorCode::Div0);
    b.Set("C3", true);
    b.Set("A1", 4.0, 1);
    return b;
  }();
  return book;
}

void Exercise(const std::vector<std::uint8_t>& tokens) {
  testing::TestWorkbook& book = Book();
  try {
    PrintFormula(tokens, book.resolver);
  } catch (const FormulaError&) {
  }
  try {
    const CompiledFormula formula(tokens);
    formula.Precedents(EvaluationSite{0, CellAddress{1, 1}}, book.resolver);
    formula.Evaluate(book, EvaluationSite{0, CellAddress{1, 1}}, book.resolver);
  } catch (const FormulaError&) {
  }
  testing::TestWorkbook recalc = book;
  recalc.SetFormulaBytes("B2", tokens);
  recalc.SetFormulaBytes("A3", CompileFormula("B2+A3"));
  Recalculate(recalc, recalc.resolver);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  Exercise(bytes);

  const std::string text(reinterpret_cast<const char*>(data), size);
  const testing::TestResolver& resolver = Book().resolver;
  std::vector<std::uint8_t> tokens;
  try {
    tokens = CompileFormula(text, resolver);
  } catch (const FormulaError&) {
    return 0;
  }
  std::string printed;
  try {
    printed = PrintFormula(tokens, resolver);
  } catch (const FormulaError&) {
    std::abort();  // what the compiler wrote must print
  }
  try {
    if (CompileFormula(printed, resolver) != tokens) std::abort();
  } catch (const FormulaError&) {
    std::abort();  // printed text must compile again
  }
  Exercise(tokens);
  return 0;
}
