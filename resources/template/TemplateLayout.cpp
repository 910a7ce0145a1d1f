#include "resources/template/TemplateLayout.h"

#include <array>
#include <stdexcept>

#include "budget/core/Budget.h"

namespace quillora::templates {
namespace {

// category, total label, underscores after "Other", indents (headings, inputs, totals),
// the empty row after the total and its height.
constexpr std::array<SectionLayout, kCategoryCount> kSections = {{
    {0, "Total Apparel", 23, true, true, true, GapFormat::Emphasis, kGapHeight},
    {1, "Total Decorations", 16, true, true, false, GapFormat::Emphasis, kGapHeight},
    {2, "Total Gifts", 16, true, true, true, GapFormat::Emphasis, kGapHeight},
    {3, "Total Flowers", 16, true, true, true, GapFormat::Emphasis, kGapHeight},
    {4, "Total Music", 16, true, true, true, GapFormat::Emphasis, kGapHeight},
    {5, "Total Photography", 17, true, true, true, GapFormat::None, kGapHeight},
    {6, "Total Reception", 17, true, true, true, GapFormat::Emphasis, 330},
    {7, "Total Stationery/Printing", 17, true, true, true, GapFormat::Bold, kGapHeight},
    // Row 102 after this total is hidden; row 103 is the visible gap.
    {8, "Total Transportation", 17, true, true, true, GapFormat::None, 0},
    {9, "Total Other Expenses", 16, false, false, false, GapFormat::None, 0},
}};

// Rows 1-6, the hidden row before Other Expenses and the last recorded row.
constexpr std::array<RowHeight, 9> kFixedHeights = {{
    {1, 900}, {2, 315}, {3, 255}, {4, 405}, {5, 315}, {6, 255},
    {102, 255, true}, {103, kGapHeight}, {kLastRow, 270},
}};

// The window's labels may end in a blank; the sheet's never do.
std::string SheetLabel(std::string_view label) {
  const auto end = label.find_last_not_of(' ');
  return std::string(label.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

Section Resolve(const SectionLayout& layout) {
  const BudgetCategory& category = BudgetCategories().at(static_cast<std::size_t>(layout.category));
  Section section{layout, std::string(category.caption), {}, 0, 0, 0, 0, 0};
  for (std::string_view item : category.items) section.labels.push_back(SheetLabel(item));
  if (section.labels.empty() || section.labels.back() != "Other")
    throw std::logic_error("budget category " + section.caption + " does not end with its Other item");
  section.labels.back().append(static_cast<std::size_t>(layout.otherUnderscores), '_');
  section.firstItemRow = category.sheetFirstRow;
  section.titleRow = section.firstItemRow - 1;
  section.headingRow = section.firstItemRow - 2;
  section.lastItemRow = section.firstItemRow + category.itemCount() - 1;
  section.totalRow = section.lastItemRow + 1;
  return section;
}

}  // namespace

const std::vector<Section>& Sections() {
  static const std::vector<Section> sections = [] {
    std::vector<Section> result;
    for (const SectionLayout& layout : kSections) result.push_back(Resolve(layout));
    return result;
  }();
  return sections;
}

std::span<const RowHeight> FixedRowHeights() { return kFixedHeights; }

}  // namespace quillora::templates
