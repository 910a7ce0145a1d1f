// NumberFormat: choosing the section for a value and assembling the runs.
#include "spreadsheet/numfmt/NumberFormat.h"

#include <cmath>

#include "spreadsheet/formula/FormulaText.h"
#include "spreadsheet/numfmt/FormatCode.h"

namespace quillora::engine {
namespace detail {

void RunBuilder::Text(std::string_view text) {
  if (text.empty()) return;
  if (!runs_.empty() && runs_.back().kind == FormatRun::Kind::Text) {
    runs_.back().text += text;
  } else {
    runs_.push_back(FormatRun{FormatRun::Kind::Text, std::string(text)});
  }
}

void RunBuilder::Space(std::string_view character) {
  runs_.push_back(FormatRun{FormatRun::Kind::Space, std::string(character)});
}

void RunBuilder::Fill(std::string_view character) {
  if (filled_) return;  // only the first fill counts
  filled_ = true;
  runs_.push_back(FormatRun{FormatRun::Kind::Fill, std::string(character)});
}

FormattedValue RunBuilder::Finish(std::optional<std::uint8_t> color) {
  FormattedValue result;
  for (const FormatRun& run : runs_) {
    if (run.kind == FormatRun::Kind::Text) result.text += run.text;
    else if (run.kind == FormatRun::Kind::Space) result.text += ' ';
  }
  result.runs = std::move(runs_);
  result.color = color;
  return result;
}

}  // namespace detail

namespace {

using detail::Condition;
using detail::Section;

// True when a section's condition only admits negative numbers, so its literals carry the sign.
bool NegativeCondition(const Condition& c) {
  return (c.op == Condition::Op::Lt && c.value <= 0) || (c.op == Condition::Op::Le && c.value < 0);
}

struct Choice {
  const Section* section = nullptr;
  bool minus = false;
};

Choice ChooseSection(const detail::CompiledFormat& f, double x) {
  const auto& s = f.sections;
  // A trailing text-only section does not take numbers.
  std::size_t numberSections = s.size();
  if (numberSections == 4 || (numberSections > 1 && s.back().isText)) --numberSections;
  if (!f.anyCondition) {
    if (x < 0 && numberSections >= 2) return {&s[1], false};
    if (x == 0 && numberSections >= 3) return {&s[2], false};
    return {&s[0], x < 0};
  }
  for (std::size_t i = 0; i < numberSections; ++i) {
    const Section& section = s[i];
    if (section.condition) {
      if (section.condition->Holds(x)) return {&section, x < 0 && !NegativeCondition(*section.condition)};
      continue;
    }
    return {&section, x < 0};
  }
  return {};
}

}  // namespace

NumberFormat::NumberFormat(std::string_view code)
    : compiled_(std::make_shared<const detail::CompiledFormat>(detail::ParseFormatCode(code))) {}

NumberFormat::~NumberFormat() = default;

const std::string& NumberFormat::Code() const { return compiled_->code; }

bool NumberFormat::IsDateTime() const {
  for (const Section& s : compiled_->sections) {
    if (s.isDate) return true;
  }
  return false;
}

FormattedValue NumberFormat::Format(const Value& value, const Separators& separators) const {
  detail::RunBuilder out(separators);
  const auto& sections = compiled_->sections;
  if (std::holds_alternative<std::monostate>(value)) return out.Finish(std::nullopt);
  if (const auto* b = std::get_if<bool>(&value)) {
    out.Text(*b ? "TRUE" : "FALSE");
    return out.Finish(std::nullopt);
  }
  if (const auto* e = std::get_if<ErrorCode>(&value)) {
    out.Text(ErrorText(*e));
    return out.Finish(std::nullopt);
  }
  if (const auto* text = std::get_if<std::string>(&value)) {
    const Section* section = nullptr;
    if (sections.size() == 4) section = &sections[3];
    else if (sections.back().isText) section = &sections.back();
    if (section == nullptr) {
      out.Text(*text);
      return out.Finish(std::nullopt);
    }
    detail::RenderText(*section, *text, out);
    return out.Finish(section->color);
  }
  const double x = std::get<double>(value);
  const Choice choice = std::isfinite(x) ? ChooseSection(*compiled_, x) : Choice{};
  if (choice.section == nullptr) {
    out.Text(std::isfinite(x) ? GeneralNumberText(x) : "#NUM!");
    return out.Finish(std::nullopt);
  }
  const Section& section = *choice.section;
  if (section.isDate) {
    detail::RenderDate(section, x, out);
  } else if (section.isText && !section.hasGeneral) {
    out.Text(GeneralNumberText(x));
  } else {
    detail::RenderNumber(section, std::fabs(x), choice.minus, out);
  }
  return out.Finish(section.color);
}

}  // namespace quillora::engine
