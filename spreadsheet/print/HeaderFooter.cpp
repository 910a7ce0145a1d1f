#include "spreadsheet/print/HeaderFooter.h"

#include <algorithm>
#include <cctype>

namespace quillora::engine::print {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

class Parser {
 public:
  explicit Parser(std::string_view codes) : codes_(codes) {}

  HeaderFooterSections Parse() {
    while (at_ < codes_.size()) {
      const char c = codes_[at_++];
      if (c != '&' || at_ == codes_.size()) {
        Literal(std::string(1, c));
        continue;
      }
      Code(codes_[at_++]);
    }
    return sections_;
  }

 private:
  std::vector<HeaderFooterRun>& Section() {
    return section_ == 'L' ? sections_.left : section_ == 'R' ? sections_.right : sections_.center;
  }

  void Literal(const std::string& text) {
    auto& runs = Section();
    if (!runs.empty() && runs.back().field == Field::None && SameFont(runs.back()))
      runs.back().text += text;
    else
      Add(Field::None, text);
  }

  bool SameFont(const HeaderFooterRun& run) const {
    return run.font == style_.font && run.points == style_.points && run.bold == style_.bold &&
           run.italic == style_.italic && run.underline == style_.underline && run.strikeout == style_.strikeout;
  }

  void Add(Field field, const std::string& text = {}) {
    HeaderFooterRun run = style_;
    run.field = field;
    run.text = text;
    Section().push_back(run);
  }

  void Code(char code) {
    switch (std::toupper(static_cast<unsigned char>(code))) {
      case 'L': case 'C': case 'R':
        section_ = static_cast<char>(std::toupper(static_cast<unsigned char>(code)));
        style_ = HeaderFooterRun{};  // each section starts in the default font
        return;
      case '&': Literal("&"); return;
      case 'P': Add(Field::Page); Section().back().pageOffset = Offset(); return;
      case 'N': Add(Field::Pages); return;
      case 'D': Add(Field::Date); return;
      case 'T': Add(Field::Time); return;
      case 'A': Add(Field::Sheet); return;
      case 'F': Add(Field::File); return;
      case 'Z': Add(Field::Path); return;
      case 'B': style_.bold = !style_.bold; return;
      case 'I': style_.italic = !style_.italic; return;
      case 'U': case 'E': style_.underline = !style_.underline; return;
      case 'S': style_.strikeout = !style_.strikeout; return;
      case '"': FontCode(); return;
      case 'K': at_ = std::min(codes_.size(), at_ + 6); return;  // colour: drawn in black
      default: break;
    }
    if (IsDigit(code)) {  // font size in points: one or more digits
      int points = code - '0';
      while (at_ < codes_.size() && IsDigit(codes_[at_]) && points < 1000) points = points * 10 + (codes_[at_++] - '0');
      style_.points = points;
    }
    // Anything else (&G pictures, &X/&Y super- and subscript, unknown codes) draws nothing.
  }

  // &P+n / &P-n: a page number shifted by n.
  int Offset() {
    if (at_ + 1 >= codes_.size() || (codes_[at_] != '+' && codes_[at_] != '-') || !IsDigit(codes_[at_ + 1]))
      return 0;
    const int sign = codes_[at_++] == '-' ? -1 : 1;
    int value = 0;
    while (at_ < codes_.size() && IsDigit(codes_[at_]) && value < 100000) value = value * 10 + (codes_[at_++] - '0');
    return sign * value;
  }

  // &"Name,Style": the font name and a style such as "Bold Italic" or "Regular".
  void FontCode() {
    const std::size_t end = codes_.find('"', at_);
    const std::string_view fontCode = codes_.substr(at_, end == std::string_view::npos ? std::string_view::npos : end - at_);
    at_ = end == std::string_view::npos ? codes_.size() : end + 1;
    const std::size_t comma = fontCode.find(',');
    const std::string name(fontCode.substr(0, comma));
    std::string styleText;
    if (comma != std::string_view::npos)
      for (char c : fontCode.substr(comma + 1)) styleText += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name != "-") style_.font = name;
    style_.bold = styleText.find("bold") != std::string::npos;
    style_.italic = styleText.find("italic") != std::string::npos || styleText.find("oblique") != std::string::npos;
  }

  std::string_view codes_;
  std::size_t at_ = 0;
  char section_ = 'C';
  HeaderFooterRun style_;
  HeaderFooterSections sections_;
};

}  // namespace

HeaderFooterSections ParseHeaderFooter(std::string_view codes) { return Parser(codes).Parse(); }

std::string RunText(const HeaderFooterRun& run, const FieldValues& values) {
  switch (run.field) {
    case Field::None: return run.text;
    case Field::Page: return std::to_string(values.page + run.pageOffset);
    case Field::Pages: return std::to_string(values.pages);
    case Field::Date: return values.date;
    case Field::Time: return values.time;
    case Field::Sheet: return values.sheet;
    case Field::File: return values.file;
    case Field::Path: return values.path;
  }
  return {};
}

}  // namespace quillora::engine::print
