#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

// The fixed budget: ten categories of line items, each item with an estimated and an
// actual amount field. One table drives the entry window, the sample data and the
// workbook's field-to-cell map.
namespace quillora {

struct BudgetCategory {
  int position;                   // 0..9, top to bottom; the index in the frame array
  std::string_view caption;       // frame caption and amounts-file category name
  std::string_view fieldArray;    // name of the category's field array ("txtApparel")
  std::span<const std::string_view> items;  // item labels, top to bottom
  int sheetFirstRow;              // 1-based worksheet row of the first item
  std::optional<int> scrollTarget;  // scroll value when a first-row field gains focus
  int sampleBase;                 // base amount of the sample data
  int frameTop;                   // frame position on the scrolling panel, in twips
  int frameHeight;

  int itemCount() const { return static_cast<int>(items.size()); }
  // Item k (1-based) owns fields 2(k-1) (estimated) and 2(k-1)+1 (actual).
  int fieldCount() const { return 2 * itemCount(); }
  int highestIndex() const { return fieldCount() - 1; }
};

inline constexpr int kCategoryCount = 10;
inline constexpr int kItemCount = 71;
inline constexpr int kFieldCount = 142;

// The ten categories in screen order.
const std::array<BudgetCategory, kCategoryCount>& BudgetCategories();

// A field addressed by (category position, member index of its field array).
struct FieldAddress {
  int category = 0;
  int index = 0;
  bool estimated() const { return index % 2 == 0; }
  int item() const { return index / 2 + 1; }  // 1-based row within the category
  friend bool operator==(const FieldAddress&, const FieldAddress&) = default;
};

}  // namespace quillora
