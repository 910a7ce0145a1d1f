#pragma once

// Test doubles for formula tests: a small workbook of values and formulas, and a resolver with
// three sheets and two defined names.

#include <cctype>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "spreadsheet/formula/Formula.h"
#include "spreadsheet/formula/FormulaText.h"
#include "spreadsheet/formula/Recalculator.h"

namespace quillora::engine::testing {

// Sheets "Wedding Budget" (0) and "Sheet2" (1); EXTERNSHEET 0 -> sheet 0, 1 -> sheet 1,
// 2 -> sheets 0..1. Names "Rate" (1) and "Print_Titles" (2).
class TestResolver : public ReferenceResolver {
 public:
  std::optional<std::uint16_t> ExternSheetIndex(std::string_view first, std::string_view last) const override {
    for (std::uint16_t i = 0; i < 3; ++i) {
      if (kSpans[i][0] == first && kSpans[i][1] == last) return i;
    }
    return std::nullopt;
  }
  std::optional<SheetNames> ExternSheetNames(std::uint16_t index) const override {
    if (index >= 3) return std::nullopt;
    return SheetNames{std::string(kSpans[index][0]), std::string(kSpans[index][1])};
  }
  std::optional<SheetSpan> ExternSheetSpan(std::uint16_t index) const override {
    if (index >= 3) return std::nullopt;
    return index == 2 ? SheetSpan{0, 1} : SheetSpan{index, index};
  }
  std::optional<std::uint16_t> NameIndex(std::string_view name) const override {
    if (name == "Rate") return 1;
    if (name == "Print_Titles") return 2;
    return std::nullopt;
  }
  std::optional<std::string> NameText(std::uint16_t index) const override {
    if (index == 1) return "Rate";
    if (index == 2) return "Print_Titles";
    return std::nullopt;
  }

 private:
  static constexpr std::string_view kSpans[3][2] = {
      {"Wedding Budget", "Wedding Budget"}, {"Sheet2", "Sheet2"}, {"Wedding Budget", "Sheet2"}};
};

// Values by (sheet, A1 text); formulas with cached results.
class TestWorkbook : public RecalcWorkbook {
 public:
  void Set(const std::string& a1, Value v, int sheet = 0) { values_[Key(sheet, Parse(a1))] = std::move(v); }

  void SetFormula(const std::string& a1, const std::string& text, int sheet = 0, Value cached = {}) {
    SetFormulaBytes(a1, CompileFormula(text, resolver), sheet, std::move(cached));
  }
  void SetFormulaBytes(const std::string& a1, std::vector<std::uint8_t> bytes, int sheet = 0, Value cached = {}) {
    const CellAddress cell = Parse(a1);
    formulas_.push_back({sheet, cell, std::move(bytes)});
    values_[Key(sheet, cell)] = std::move(cached);
  }

  Value Get(const std::string& a1, int sheet = 0) const { return CellValue(sheet, Parse(a1)); }

  Value CellValue(int sheet, CellAddress cell) const override {
    const auto it = values_.find(Key(sheet, cell));
    return it == values_.end() ? Value{} : it->second;
  }
  // Visits stored cells only, so whole-column ranges stay cheap.
  void ForEachValue(int sheet, const CellRange& range,
                    const std::function<void(CellAddress, const Value&)>& visit) const override {
    for (auto it = values_.lower_bound({sheet, range.rowFirst, 0});
         it != values_.end() && std::get<0>(it->first) == sheet && std::get<1>(it->first) <= range.rowLast; ++it) {
      const int column = std::get<2>(it->first);
      if (column >= range.columnFirst && column <= range.columnLast &&
          !std::holds_alternative<std::monostate>(it->second)) {
        visit(CellAddress{std::get<1>(it->first), column}, it->second);
      }
    }
  }
  void ForEachFormula(const std::function<void(const FormulaCell&)>& visit) const override {
    for (const auto& f : formulas_) visit(FormulaCell{f.sheet, f.cell, f.bytes});
  }
  void SetFormulaResult(int sheet, CellAddress cell, const Value& result) override {
    values_[Key(sheet, cell)] = result;
    ++resultsSet;
  }

  static CellAddress Parse(const std::string& a1) {
    std::size_t i = 0;
    int column = 0;
    while (i < a1.size() && std::isalpha(static_cast<unsigned char>(a1[i]))) column = column * 26 + (a1[i++] - 'A' + 1);
    return CellAddress{std::stoi(a1.substr(i)) - 1, column - 1};
  }

  TestResolver resolver;
  int resultsSet = 0;

 private:
  struct Formula {
    int sheet;
    CellAddress cell;
    std::vector<std::uint8_t> bytes;
  };
  static std::tuple<int, int, int> Key(int sheet, CellAddress c) { return {sheet, c.row, c.column}; }
  std::map<std::tuple<int, int, int>, Value> values_;
  std::vector<Formula> formulas_;
};

}  // namespace quillora::engine::testing
