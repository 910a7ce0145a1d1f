#include "spreadsheet/formula/ReferenceResolver.h"

namespace quillora::engine {

std::optional<std::uint16_t> ReferenceResolver::ExternSheetIndex(std::string_view, std::string_view) const {
  return std::nullopt;
}

std::optional<SheetNames> ReferenceResolver::ExternSheetNames(std::uint16_t) const { return std::nullopt; }

std::optional<SheetSpan> ReferenceResolver::ExternSheetSpan(std::uint16_t) const { return std::nullopt; }

bool ReferenceResolver::ExternSheetInOtherWorkbook(std::uint16_t) const { return false; }

std::optional<std::uint16_t> ReferenceResolver::NameIndex(std::string_view) const { return std::nullopt; }

std::optional<std::string> ReferenceResolver::NameText(std::uint16_t) const { return std::nullopt; }

const ReferenceResolver& NoReferences() {
  static const ReferenceResolver none;
  return none;
}

}  // namespace quillora::engine
