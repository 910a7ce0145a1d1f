#include "spreadsheet/print/PageLayout.h"

#include <algorithm>
#include <optional>
#include <string>

namespace quillora::engine::print {
namespace {

// One axis of the cutting: rows (with their heights) or columns (with their widths).
struct Axis {
  std::function<int(int)> size;
  std::optional<Span> titles;
  const std::vector<int>* breaks = nullptr;  // manual breaks; null when they do not apply

  int SizeOf(const Span& span) const {
    long long total = 0;
    for (int i = span.first; i <= span.last; ++i) total += size(i);
    return static_cast<int>(std::min<long long>(total, 1 << 30));
  }
};

bool BreakBefore(const std::vector<int>* breaks, int index) {
  return breaks != nullptr && std::binary_search(breaks->begin(), breaks->end(), index);
}

// Cuts `range` into blocks no larger than `room` pixels (less the repeated titles on a block
// that starts after them). A row or column larger than a page gets a block of its own; a
// block of hidden ones only is no block.
std::vector<Span> Cut(const Span& range, const Axis& axis, double room) {
  const int titleSize = axis.titles ? axis.SizeOf(*axis.titles) : 0;
  std::vector<Span> blocks;
  int index = range.first;
  while (index <= range.last) {
    const bool repeats = axis.titles && index > axis.titles->last;
    const double capacity = room - (repeats ? titleSize : 0);
    if (capacity <= 0) throw PrintSetupError("the rows or columns to repeat leave no room on the page");
    Span block{index, index};
    long long used = 0;
    for (; index <= range.last; ++index) {
      const int size = axis.size(index);
      if (index > block.first && size > 0 && used > 0 && (used + size > capacity || BreakBefore(axis.breaks, index)))
        break;
      used += size;
      block.last = index;
    }
    if (used > 0) blocks.push_back(block);
    else if (!blocks.empty()) blocks.back().last = block.last;  // trailing hidden ones
  }
  return blocks;
}

struct Cutting {
  std::vector<std::vector<Span>> rows, columns;  // per area
  bool Fits(int wide, int tall) const {
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (wide > 0 && static_cast<int>(columns[i].size()) > wide) return false;
      if (tall > 0 && static_cast<int>(rows[i].size()) > tall) return false;
    }
    return true;
  }
};

Cutting CutAt(int percent, const PrintSettings& settings, const PrintRanges& ranges, const SheetMeasure& measure) {
  const double scale = kPointsPerPixel * percent / 100.0;
  const double width = settings.PrintableWidth() / scale - measure.headingWidth;
  const double height = settings.PrintableHeight() / scale - measure.headingHeight;
  const Axis rows{measure.rowHeight, ranges.titleRows, settings.fitToPages ? nullptr : &ranges.rowBreaks};
  const Axis columns{measure.columnWidth, ranges.titleColumns, settings.fitToPages ? nullptr : &ranges.columnBreaks};
  Cutting cutting;
  for (const CellRange& area : ranges.areas) {
    cutting.rows.push_back(Cut({area.rowFirst, area.rowLast}, rows, height));
    cutting.columns.push_back(Cut({area.columnFirst, area.columnLast}, columns, width));
  }
  return cutting;
}

}  // namespace

PageLayout LayOutPages(const PrintSettings& settings, const PrintRanges& ranges, const SheetMeasure& measure) {
  PageLayout layout{settings, ranges, settings.scalePercent, {}};
  Cutting cutting;
  if (settings.fitToPages) {
    // The largest whole percentage, at most 100, at which every area fits.
    int percent = 100;
    for (;; --percent) {
      if (percent < kSmallestScale)
        throw PrintSetupError("the sheet does not fit on " + std::to_string(settings.fitWide) + " x " +
                              std::to_string(settings.fitTall) + " pages even at 10 %");
      cutting = CutAt(percent, settings, ranges, measure);
      if (cutting.Fits(settings.fitWide, settings.fitTall)) break;
    }
    layout.scalePercent = percent;
  } else {
    cutting = CutAt(settings.scalePercent, settings, ranges, measure);
  }

  for (std::size_t area = 0; area < ranges.areas.size(); ++area) {
    const auto& rowBlocks = cutting.rows[area];
    const auto& columnBlocks = cutting.columns[area];
    const auto add = [&](const Span& rows, const Span& columns) {
      layout.pages.push_back({area, rows, columns, ranges.titleRows && rows.first > ranges.titleRows->last,
                              ranges.titleColumns && columns.first > ranges.titleColumns->last});
    };
    if (settings.overThenDown) {
      for (const Span& rows : rowBlocks)
        for (const Span& columns : columnBlocks) add(rows, columns);
    } else {
      for (const Span& columns : columnBlocks)
        for (const Span& rows : rowBlocks) add(rows, columns);
    }
  }
  return layout;
}

}  // namespace quillora::engine::print
