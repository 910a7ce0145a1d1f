#include "spreadsheet/formula/Recalculator.h"

#include <algorithm>

#include "spreadsheet/formula/FormulaText.h"

namespace quillora::engine {

// Cell values during a run: a formula cell reads its fresh result, anything else the workbook.
class Recalculator::Overlay final : public CellSource {
 public:
  Overlay(const Recalculator& owner, const RecalcWorkbook& workbook, const std::vector<Value>& results)
      : owner_(owner), workbook_(workbook), results_(results) {}

  Value CellValue(int sheet, CellAddress cell) const override {
    const auto it = owner_.byKey_.find(Key(sheet, cell));
    return it == owner_.byKey_.end() ? workbook_.CellValue(sheet, cell) : results_[it->second];
  }

  void ForEachValue(int sheet, const CellRange& range,
                    const std::function<void(CellAddress, const Value&)>& visit) const override {
    std::vector<std::size_t> inside;
    owner_.FormulasIn(sheet, range, inside);
    if (inside.empty()) {
      workbook_.ForEachValue(sheet, range, visit);
      return;
    }
    // Merge the workbook's cells with the formula cells, in row-major order, formulas giving
    // their fresh results (also where the workbook skips them).
    std::size_t next = 0;
    auto emitFormulasBefore = [&](std::uint64_t key) {
      for (; next < inside.size() && Key(sheet, owner_.formulas_[inside[next]].cell) < key; ++next) {
        const Value& v = results_[inside[next]];
        if (!std::holds_alternative<std::monostate>(v)) visit(owner_.formulas_[inside[next]].cell, v);
      }
    };
    workbook_.ForEachValue(sheet, range, [&](CellAddress cell, const Value& v) {
      const std::uint64_t key = Key(sheet, cell);
      emitFormulasBefore(key);
      if (next < inside.size() && owner_.formulas_[inside[next]].cell == cell) {
        emitFormulasBefore(key + 1);
      } else {
        visit(cell, v);
      }
    });
    emitFormulasBefore(UINT64_MAX);
  }

 private:
  const Recalculator& owner_;
  const RecalcWorkbook& workbook_;
  const std::vector<Value>& results_;
};

std::uint64_t Recalculator::Key(int sheet, CellAddress cell) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(sheet)) << 32) |
         (static_cast<std::uint64_t>(static_cast<std::uint32_t>(cell.row) & 0xFFFFFF) << 8) |
         static_cast<std::uint64_t>(cell.column & 0xFF);
}

void Recalculator::FormulasIn(int sheet, const CellRange& range, std::vector<std::size_t>& out) const {
  const CellAddress first{std::max(range.rowFirst, 0), std::max(range.columnFirst, 0)};
  const CellAddress last{std::min(range.rowLast, 0xFFFFFF), std::min(range.columnLast, 0xFF)};
  if (first.row > last.row || first.column > last.column) return;
  auto it = std::lower_bound(sorted_.begin(), sorted_.end(), std::make_pair(Key(sheet, first), std::size_t{0}));
  const std::uint64_t end = Key(sheet, last);
  for (; it != sorted_.end() && it->first <= end; ++it) {
    const int column = formulas_[it->second].cell.column;
    if (column >= range.columnFirst && column <= range.columnLast) out.push_back(it->second);
  }
}

Recalculator::Recalculator(const RecalcWorkbook& workbook, const ReferenceResolver& resolver) : resolver_(resolver) {
  workbook.ForEachFormula([this](const RecalcWorkbook::FormulaCell& f) {
    Formula formula;
    formula.sheet = f.sheet;
    formula.cell = f.cell;
    try {
      formula.compiled.emplace(f.tokens);
      if (!formula.compiled->Evaluable()) formula.problem = "uses a name or function that is not evaluated";
    } catch (const FormulaError& e) {
      formula.problem = e.what();
    }
    formulas_.push_back(std::move(formula));
  });
  sorted_.reserve(formulas_.size());
  for (std::size_t i = 0; i < formulas_.size(); ++i) {
    const std::uint64_t key = Key(formulas_[i].sheet, formulas_[i].cell);
    sorted_.emplace_back(key, i);
    byKey_.emplace(key, i);
  }
  std::sort(sorted_.begin(), sorted_.end());

  std::vector<std::vector<std::size_t>> edges(formulas_.size());
  for (std::size_t i = 0; i < formulas_.size(); ++i) {
    const Formula& f = formulas_[i];
    if (!f.compiled) continue;
    for (const SheetArea& area : f.compiled->Precedents(EvaluationSite{f.sheet, f.cell}, resolver_)) {
      for (int sheet = area.sheetFirst; sheet <= area.sheetLast; ++sheet) FormulasIn(sheet, area.cells, edges[i]);
    }
  }
  Order(edges);
}

// Tarjan's strongly connected components with an explicit stack. Edges point from a formula
// to the formulas it reads, so components come out precedents first: the evaluation order.
void Recalculator::Order(const std::vector<std::vector<std::size_t>>& edges) {
  constexpr std::size_t kUnvisited = SIZE_MAX;
  const std::size_t n = formulas_.size();
  std::vector<std::size_t> index(n, kUnvisited), low(n, 0);
  std::vector<bool> onStack(n, false);
  std::vector<std::size_t> component;
  std::vector<std::pair<std::size_t, std::size_t>> calls;  // (formula, next edge)
  std::size_t counter = 0;
  order_.reserve(n);
  for (std::size_t root = 0; root < n; ++root) {
    if (index[root] != kUnvisited) continue;
    auto enter = [&](std::size_t v) {
      index[v] = low[v] = counter++;
      component.push_back(v);
      onStack[v] = true;
      calls.emplace_back(v, 0);
    };
    enter(root);
    while (!calls.empty()) {
      auto& [v, next] = calls.back();
      if (next < edges[v].size()) {
        const std::size_t w = edges[v][next++];
        if (index[w] == kUnvisited) {
          enter(w);
        } else if (onStack[w]) {
          low[v] = std::min(low[v], index[w]);
        }
        continue;
      }
      const std::size_t done = v;
      calls.pop_back();
      if (!calls.empty()) low[calls.back().first] = std::min(low[calls.back().first], low[done]);
      if (low[done] != index[done]) continue;
      const auto start = std::find(component.begin(), component.end(), done);
      const bool selfLoop = std::find(edges[done].begin(), edges[done].end(), done) != edges[done].end();
      const bool cycle = component.end() - start > 1 || selfLoop;
      for (auto it = start; it != component.end(); ++it) {
        onStack[*it] = false;
        formulas_[*it].circular = cycle;
        order_.push_back(*it);
      }
      component.erase(start, component.end());
    }
  }
}

RecalcSummary Recalculator::Run(RecalcWorkbook& workbook) const {
  RecalcSummary summary;
  summary.formulas = formulas_.size();
  std::vector<Value> results(formulas_.size());
  for (std::size_t i = 0; i < formulas_.size(); ++i) {
    const Formula& f = formulas_[i];
    results[i] = f.circular ? Value(kCircularReferenceError) : workbook.CellValue(f.sheet, f.cell);
  }
  const Overlay cells(*this, workbook, results);
  std::vector<bool> changed(formulas_.size(), false);
  for (const std::size_t i : order_) {
    const Formula& f = formulas_[i];
    if (f.circular) {
      ++summary.circular;
      changed[i] = true;
      continue;
    }
    std::string problem = f.problem;
    if (problem.empty()) {
      try {
        results[i] = f.compiled->Evaluate(cells, EvaluationSite{f.sheet, f.cell}, resolver_);
        changed[i] = true;
        ++summary.evaluated;
        continue;
      } catch (const FormulaError& e) {
        problem = e.what();
      }
    }
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
