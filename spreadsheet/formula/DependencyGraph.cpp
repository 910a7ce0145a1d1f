#include "spreadsheet/formula/DependencyGraph.h"
#include "spreadsheet/base/Error.h"

#include <algorithm>
#include <stdexcept>

namespace quillora::engine {

std::size_t DependencyGraph::RangeHash::operator()(const RangeKey& k) const {
  std::size_t h = static_cast<std::size_t>(static_cast<std::uint32_t>(k.sheet));
  for (int v : {k.rowFirst, k.rowLast, k.columnFirst, k.columnLast})
    h = h * 0x9E3779B97F4A7C15ull + static_cast<std::uint32_t>(v);
  return h;
}

DependencyGraph::DependencyGraph(const FormulaIndex& index)
    : index_(index), readsItself_(index.Size(), false) {
  if (index.Size() >= kNone / 4) throw RequestError("too many formulas to order");
  nodes_ = static_cast<std::uint32_t>(index.Size());
}

void DependencyGraph::Link(std::size_t from, std::uint32_t to) {
  if (to == kNone) return;
  if (from == to) {
    readsItself_[from] = true;
    return;
  }
  edges_.emplace_back(static_cast<std::uint32_t>(from), to);
}

void DependencyGraph::AddRead(std::size_t reader, int sheet, const CellRange& range) {
  if (range.rowFirst == range.rowLast && range.columnFirst == range.columnLast) {
    if (const auto found = index_.Find(sheet, CellAddress{range.rowFirst, range.columnFirst}))
      Link(reader, static_cast<std::uint32_t>(*found));
    return;
  }
  Link(reader, RangeNode(RangeKey{sheet, range.rowFirst, range.rowLast, range.columnFirst, range.columnLast}));
}

std::uint32_t DependencyGraph::RangeNode(const RangeKey& key) {
  if (const auto known = ranges_.find(key); known != ranges_.end()) return known->second;
  std::vector<std::uint32_t> pieces;
  if (key.rowFirst <= key.rowLast) {
    const auto columns = index_.ColumnsIn(key.sheet, key.columnFirst, key.columnLast);
    for (const FormulaIndex::Column& column : columns) {
      const auto [from, to] = index_.RowsIn(column, key.rowFirst, key.rowLast);
      if (from == to) continue;
      // A column's tree is known by its first position; index 1 is its root, as in a heap.
      std::vector<std::uint32_t>& tree = trees_[column.first];
      if (tree.empty()) tree.assign(4 * (column.last - column.first), kNone);
      Cover(tree, 1, column.first, column.last, from, to, pieces);
    }
  }
  std::uint32_t node = kNone;
  if (pieces.size() == 1) {
    node = pieces.front();
  } else if (pieces.size() > 1) {
    node = nodes_++;
    for (std::uint32_t piece : pieces) edges_.emplace_back(node, piece);
  }
  ranges_.emplace(key, node);
  return node;
}

void DependencyGraph::Cover(std::vector<std::uint32_t>& tree, std::size_t k, std::size_t lo, std::size_t hi,
                            std::size_t from, std::size_t to, std::vector<std::uint32_t>& out) {
  if (to <= lo || hi <= from) return;
  if (from <= lo && hi <= to) {
    out.push_back(Segment(tree, k, lo, hi));
    return;
  }
  const std::size_t mid = lo + (hi - lo) / 2;
  Cover(tree, 2 * k, lo, mid, from, to, out);
  Cover(tree, 2 * k + 1, mid, hi, from, to, out);
}

std::uint32_t DependencyGraph::Segment(std::vector<std::uint32_t>& tree, std::size_t k, std::size_t lo,
                                       std::size_t hi) {
  if (hi - lo == 1) return static_cast<std::uint32_t>(index_.IdAt(lo));
  if (tree[k] != kNone) return tree[k];
  const std::uint32_t node = nodes_++;
  tree[k] = node;
  const std::size_t mid = lo + (hi - lo) / 2;
  const std::uint32_t left = Segment(tree, 2 * k, lo, mid);
  const std::uint32_t right = Segment(tree, 2 * k + 1, mid, hi);
  edges_.emplace_back(node, left);
  edges_.emplace_back(node, right);
  return node;
}

DependencyGraph::Order DependencyGraph::Sort() const {
  const std::size_t n = nodes_;
  const std::size_t formulas = index_.Size();
  // Edges grouped by source, keeping the order they were added in.
  std::vector<std::uint32_t> start(n + 1, 0), targets(edges_.size());
  for (const auto& [from, to] : edges_) ++start[from + 1];
  for (std::size_t v = 0; v < n; ++v) start[v + 1] += start[v];
  {
    std::vector<std::uint32_t> fill(start.begin(), start.end() - 1);
    for (const auto& [from, to] : edges_) targets[fill[from]++] = to;
  }

  Order result;
  result.sequence.reserve(formulas);
  result.circular.assign(formulas, false);
  constexpr std::uint32_t kUnvisited = UINT32_MAX;
  std::vector<std::uint32_t> index(n, kUnvisited), low(n, 0);
  std::vector<bool> onStack(n, false);
  std::vector<std::uint32_t> component;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> calls;  // (node, next edge position)
  std::uint32_t counter = 0;
  auto enter = [&](std::uint32_t v) {
    index[v] = low[v] = counter++;
    component.push_back(v);
    onStack[v] = true;
    calls.emplace_back(v, start[v]);
  };
  for (std::size_t root = 0; root < formulas; ++root) {
    if (index[root] != kUnvisited) continue;
    enter(static_cast<std::uint32_t>(root));
    while (!calls.empty()) {
      auto& [v, next] = calls.back();
      if (next < start[v + 1]) {
        const std::uint32_t w = targets[next++];
        if (index[w] == kUnvisited) {
          enter(w);
        } else if (onStack[w]) {
          low[v] = std::min(low[v], index[w]);
        }
        continue;
      }
      const std::uint32_t done = v;
      calls.pop_back();
      if (!calls.empty()) low[calls.back().first] = std::min(low[calls.back().first], low[done]);
      if (low[done] != index[done]) continue;
      // `done` roots a component: the stack from `done` upwards.
      std::size_t first = component.size();
      while (component[first - 1] != done) --first;
      --first;
      const bool cycle = component.size() - first > 1 || (done < formulas && readsItself_[done]);
      for (std::size_t at = first; at < component.size(); ++at) {
        const std::uint32_t member = component[at];
        onStack[member] = false;
        if (member >= formulas) continue;
        result.circular[member] = cycle;
        result.sequence.push_back(member);
      }
      component.resize(first);
    }
  }
  return result;
}

}  // namespace quillora::engine
