#include "spreadsheet/formula/Recalculator.h"

#include <algorithm>

#include "spreadsheet/formula/DependencyGraph.h"
#include "spreadsheet/formula/FormulaText.h"

namespace quillora::engine {

// Cell values during a run: a formula cell reads its fresh result, anything else the workbook.
class Recalculator::Overlay final : public CellSource {
 public:
  Overlay(const Recalculator& owner, const RecalcWorkbook& workbook, const std::vector<Value>& results)
      : owner_(owner), workbook_(workbook), results_(results) {}

  Value CellValue(int sheet, CellAddress cell) const override {
    const auto found = owner_.index_.Find(sheet, cell);
    return found ? results_[*found] : workbook_.CellValue(sheet, cell);
  }

  void ForEachValue(int sheet, const CellRange& range,
                    const std::function<void(CellAddress, const Value&)>& visit) const override {
    std::vector<std::size_t> inside;
    owner_.index_.InRange(sheet, range, inside);
    if (inside.empty()) {
      workbook_.ForEachValue(sheet, range, visit);
      return;
    }
    // Merge the workbook's cells with the formula cells, in row-major order, formulas giving
    // their fresh results (also where the workbook skips them).
    std::size_t next = 0;
    auto emitFormulasWhile = [&](auto&& before) {
      for (; next < inside.size() && before(owner_.formulas_[inside[next]].cell); ++next) {
        const Value& v = results_[inside[next]];
        if (!std::holds_alternative<std::monostate>(v)) visit(owner_.formulas_[inside[next]].cell, v);
      }
    };
    workbook_.ForEachValue(sheet, range, [&](CellAddress cell, const Value& v) {
      emitFormulasWhile([cell](CellAddress at) { return at < cell; });
      if (next < inside.size() && owner_.formulas_[inside[next]].cell == cell) {
        emitFormulasWhile([cell](CellAddress at) { return at <= cell; });
      } else {
        visit(cell, v);
      }
    });
    emitFormulasWhile([](CellAddress) { return true; });
  }

 private:
  const Recalculator& owner_;
  const RecalcWorkbook& workbook_;
  const std::vector<Value>& results_;
};

Recalculator::Recalculator(const RecalcWorkbook& workbook, const ReferenceResolver& resolver) : resolver_(resolver) {
  // Each formula is decoded here for what it reads and again when it is evaluated: keeping
  // every decoded formula would cost far more memory than its bytes.
  std::vector<std::pair<std::size_t, SheetArea>> reads;
  workbook.ForEachFormula([&](const RecalcWorkbook::FormulaCell& f) {
    Formula formula;
    formula.sheet = f.sheet;
    formula.cell = f.cell;
    formula.bytesAt = bytes_.size();
    bytes_.insert(bytes_.end(), f.tokens.begin(), f.tokens.end());
    try {
      const CompiledFormula compiled(f.tokens);
      if (!compiled.Evaluable()) problems_[formulas_.size()] = "uses a name or function that is not evaluated";
      for (const SheetArea& area : compiled.Precedents(EvaluationSite{f.sheet, f.cell}, resolver_))
        reads.emplace_back(formulas_.size(), area);
    } catch (const FormulaError& e) {
      problems_[formulas_.size()] = e.what();
    }
    formulas_.push_back(formula);
  });
  std::vector<FormulaIndex::Place> places;
  places.reserve(formulas_.size());
  for (const Formula& f : formulas_) places.push_back({f.sheet, f.cell});
  index_ = FormulaIndex(places);

  DependencyGraph graph(index_);
  for (const auto& [reader, area] : reads) {
    for (int sheet = area.sheetFirst; sheet <= area.sheetLast; ++sheet) graph.AddRead(reader, sheet, area.cells);
  }
  DependencyGraph::Order order = graph.Sort();
  order_ = std::move(order.sequence);
  for (std::size_t i = 0; i < formulas_.size(); ++i) formulas_[i].circular = order.circular[i];
}

std::span<const std::uint8_t> Recalculator::Bytes(std::size_t formula) const {
  const std::size_t end = formula + 1 < formulas_.size() ? formulas_[formula + 1].bytesAt : bytes_.size();
  return std::span<const std::uint8_t>(bytes_).subspan(formulas_[formula].bytesAt, end - formulas_[formula].bytesAt);
}

RecalcSummary Recalculator::Run(RecalcWorkbook& workbook) const {
  RecalcSummary summary;
  summary.formulas = formulas_.size();
  // A formula's entry is read only after the formula is done (precedents come first), so
  // only circular and not evaluated formulas need one set here.
  std::vector<Value> results(formulas_.size());
  const Overlay cells(*this, workbook, results);
  std::vector<bool> changed(formulas_.size(), false);
  for (const std::size_t i : order_) {
    const Formula& f = formulas_[i];
    if (f.circular) {
      ++summary.circular;
      results[i] = Value(kCircularReferenceError);
      changed[i] = true;
      continue;
    }
    const auto known = problems_.find(i);
    std::string problem = known == problems_.end() ? std::string() : known->second;
    if (known == problems_.end()) {
      try {
        results[i] = CompiledFormula(Bytes(i)).Evaluate(cells, EvaluationSite{f.sheet, f.cell}, resolver_);
        changed[i] = true;
        ++summary.evaluated;
        continue;
      } catch (const FormulaError& e) {
        problem = e.what();
      }
    }
    results[i] = workbook.CellValue(f.sheet, f.cell);
    ++summary.keptCached;
    summary.notEvaluated.push_back("sheet " + std::to_string(f.sheet) + " " + CellText(f.cell.row, f.cell.column) +
                                   ": " + problem);
  }
  for (std::size_t i = 0; i < formulas_.size(); ++i) {
    if (changed[i]) workbook.SetFormulaResult(formulas_[i].sheet, formulas_[i].cell, results[i]);
  }
  return summary;
}

RecalcSummary Recalculate(RecalcWorkbook& workbook, const ReferenceResolver& resolver) {
  return Recalculator(workbook, resolver).Run(workbook);
}

}  // namespace quillora::engine
