#pragma once
// Page header and footer texts: the left, centre and right sections of a code string such
// as "&LWedding Budget&RPage &P of &N", as runs of text in their fonts, with the fields
// (page number, page count, date, time, sheet and file name) filled in per page.
#include <string>
#include <string_view>
#include <vector>

namespace quillora::engine::print {

enum class Field { None, Page, Pages, Date, Time, Sheet, File, Path };

// A piece of a section: literal text (may hold line breaks) or a field, in one font.
struct HeaderFooterRun {
  std::string text;
  Field field = Field::None;
  int pageOffset = 0;  // &P+1, &P-1
  std::string font;    // "" the default font
  int points = 0;      // 0 the default size
  bool bold = false, italic = false, underline = false, strikeout = false;
  friend bool operator==(const HeaderFooterRun&, const HeaderFooterRun&) = default;
};

struct HeaderFooterSections {
  std::vector<HeaderFooterRun> left, center, right;
  bool Empty() const { return left.empty() && center.empty() && right.empty(); }
};

// The values fields take on one page.
struct FieldValues {
  int page = 1, pages = 1;
  std::string date, time, sheet, file, path;
};

// Splits a code string into its sections. Text before any section code belongs to the
// centre. Codes it does not draw (colours, pictures, super- and subscript) are dropped.
HeaderFooterSections ParseHeaderFooter(std::string_view codes);

// What a run shows on a page.
std::string RunText(const HeaderFooterRun& run, const FieldValues& values);

}  // namespace quillora::engine::print
