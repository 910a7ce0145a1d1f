#pragma once
// Where everything sits on the template's sheet: the ten sections with their rows and labels,
// the rows between them, and the row heights. Rows are 1-based, as the sheet shows them.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillora::templates {

inline constexpr std::string_view kSheetName = "Wedding Budget";
inline constexpr int kLastRow = 118;  // empty, but part of the recorded used area

// Row heights in twips (1/20 point).
inline constexpr int kHeadingHeight = 300;   // heading, title and item rows: 15 pt
inline constexpr int kTotalHeight = 390;     // section totals: 19.5 pt
inline constexpr int kGapHeight = 342;       // the empty row after most totals: 17.1 pt

// How the empty row after a section's total is formatted.
enum class GapFormat {
  None,
  Emphasis,  // A Arial 9 bold; B, C currency in Arial 9 bold red
  Bold,      // B, C currency in Arial 10 bold
};

struct SectionLayout {
  int category;                  // position in the budget's category table
  std::string_view totalLabel;
  int otherUnderscores;          // the "Other" item reads "Other" and this many underscores
  bool headingIndent;            // the "Estimated"/"Actual" headings
  bool inputIndent;              // the input cells
  bool totalIndent;              // the section totals
  GapFormat gap;                 // the empty row right after the total
  int gapHeight;                 // its height in twips
};

// A section with the rows it takes, resolved against the budget's table.
struct Section {
  SectionLayout layout;
  std::string caption;
  std::vector<std::string> labels;  // item labels as the sheet shows them
  int headingRow;
  int titleRow;
  int firstItemRow;
  int lastItemRow;
  int totalRow;
};

// The ten sections in sheet order.
const std::vector<Section>& Sections();

// Rows outside the sections with a height of their own (besides the section rows).
struct RowHeight {
  int row;
  int twips;
  bool hidden = false;
};
std::span<const RowHeight> FixedRowHeights();

}  // namespace quillora::templates
