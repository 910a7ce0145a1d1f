#pragma once
// Which formulas read which, and the order to evaluate them in.
//
// A read of a range costs one entry however many formulas the range holds: the formulas of
// each column hang below a segment tree (built only for columns that ranges read), a range is
// one node pointing at the few tree nodes that cover it, and equal ranges share that node.
// The graph thus stays linear in formulas plus references, and so does the ordering.
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "spreadsheet/formula/FormulaIndex.h"

namespace quillora::engine {

class DependencyGraph {
 public:
  // Nodes 0 .. index.Size()-1 are the formulas of `index`, which must outlive the graph.
  explicit DependencyGraph(const FormulaIndex& index);

  // Formula `reader` reads `range` of `sheet`.
  void AddRead(std::size_t reader, int sheet, const CellRange& range);

  struct Order {
    std::vector<std::size_t> sequence;  // every formula, each after the formulas it reads
    std::vector<bool> circular;         // by formula: part of a circular reference
  };
  // Strongly connected components (Tarjan, with explicit stacks so long chains cannot exhaust
  // the call stack), precedents first; a formula is circular when its component holds more
  // than itself or it reads its own cell.
  Order Sort() const;

 private:
  struct RangeKey {
    int sheet, rowFirst, rowLast, columnFirst, columnLast;
    friend bool operator==(const RangeKey&, const RangeKey&) = default;
  };
  struct RangeHash {
    std::size_t operator()(const RangeKey& k) const;
  };
  static constexpr std::uint32_t kNone = UINT32_MAX;

  void Link(std::size_t from, std::uint32_t to);
  // The node standing for positions [lo, hi) of a column, node `k` of its tree; made, with
  // the nodes below it, on first use.
  std::uint32_t Segment(std::vector<std::uint32_t>& tree, std::size_t k, std::size_t lo, std::size_t hi);
  // Appends the tree nodes that together cover positions [from, to) of a column.
  void Cover(std::vector<std::uint32_t>& tree, std::size_t k, std::size_t lo, std::size_t hi, std::size_t from,
             std::size_t to, std::vector<std::uint32_t>& out);
  // The node of a range read (kNone when it holds no formula).
  std::uint32_t RangeNode(const RangeKey& key);

  const FormulaIndex& index_;
  std::uint32_t nodes_ = 0;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> edges_;
  std::vector<bool> readsItself_;
  std::unordered_map<std::size_t, std::vector<std::uint32_t>> trees_;  // by a column's first position
  std::unordered_map<RangeKey, std::uint32_t, RangeHash> ranges_;
};

}  // namespace quillora::engine
