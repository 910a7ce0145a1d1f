// The BIFF8 built-in number formats (indexes 0..49), United States conventions, written as
// the common readers of these files show them (format 14 is m/d/yy). The one table for the
// renderer, the dump and the formatter.
#include <array>
#include <memory>
#include <vector>

#include "spreadsheet/numfmt/NumberFormat.h"

namespace quillora::engine {
namespace {

constexpr int kCount = 50;

// Empty entries (23..36) are reserved for other locales and show as General.
constexpr std::array<std::string_view, kCount> kCodes = {
    "General",
    "0",
    "0.00",
    "#,##0",
    "#,##0.00",
    "\"$\"#,##0_);(\"$\"#,##0)",
    "\"$\"#,##0_);[Red](\"$\"#,##0)",
    "\"$\"#,##0.00_);(\"$\"#,##0.00)",
    "\"$\"#,##0.00_);[Red](\"$\"#,##0.00)",
    "0%",
    "0.00%",
    "0.00E+00",
    "# ?/?",
    "# ?\?/?\?",
    "m/d/yy",
    "d-mmm-yy",
    "d-mmm",
    "mmm-yy",
    "h:mm AM/PM",
    "h:mm:ss AM/PM",
    "h:mm",
    "h:mm:ss",
    "m/d/yy h:mm",
    "", "", "", "", "", "", "", "", "", "", "", "", "", "",
    "#,##0_);(#,##0)",
    "#,##0_);[Red](#,##0)",
    "#,##0.00_);(#,##0.00)",
    "#,##0.00_);[Red](#,##0.00)",
    "_(* #,##0_);_(* (#,##0);_(* \"-\"_);_(@_)",
    "_(\"$\"* #,##0_);_(\"$\"* (#,##0);_(\"$\"* \"-\"_);_(@_)",
    "_(* #,##0.00_);_(* (#,##0.00);_(* \"-\"?\?_);_(@_)",
    "_(\"$\"* #,##0.00_);_(\"$\"* (#,##0.00);_(\"$\"* \"-\"?\?_);_(@_)",
    "mm:ss",
    "[h]:mm:ss",
    "mm:ss.0",
    "##0.0E+0",
    "@",
};

}  // namespace

std::optional<std::string_view> BuiltinFormatCode(int index) {
  if (index < 0 || index >= kCount || kCodes[static_cast<std::size_t>(index)].empty()) return std::nullopt;
  return kCodes[static_cast<std::size_t>(index)];
}

const NumberFormat& BuiltinFormat(int index) {
  static const auto formats = [] {
    auto all = std::make_unique<std::vector<NumberFormat>>();
    all->reserve(kCount);
    for (int i = 0; i < kCount; ++i) all->emplace_back(BuiltinFormatCode(i).value_or("General"));
    return all;
  }();
  return (*formats)[static_cast<std::size_t>(index >= 0 && index < kCount ? index : 0)];
}

}  // namespace quillora::engine
