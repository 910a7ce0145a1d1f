#pragma once

// How formulas reach the workbook around them: 3-D references name sheets through the
// workbook's EXTERNSHEET table, defined names are numbered in its NAME records. The compiler,
// printer and evaluator ask a ReferenceResolver for these numbers; the workbook model provides
// one. Every method has a default that knows nothing, so a caller overrides only what it has.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillora::engine {

// The sheets a 3-D reference spans, by name (first == last for a single sheet).
struct SheetNames {
  std::string first;
  std::string last;
};

// The same span as zero-based sheet numbers of the workbook, for evaluation.
struct SheetSpan {
  int first = 0;
  int last = 0;
};

class ReferenceResolver {
 public:
  virtual ~ReferenceResolver() = default;

  // Compiling "Sheet1!A1" or "Sheet1:Sheet3!A1": the EXTERNSHEET index for that span of this
  // workbook's sheets (names compared case-insensitively), or nullopt when there is no such
  // sheet. A model may add the EXTERNSHEET entry here (it keeps that table mutable).
  virtual std::optional<std::uint16_t> ExternSheetIndex(std::string_view first,
                                                        std::string_view last) const;
  // Printing: the sheet names behind an EXTERNSHEET index; nullopt when the index is unknown
  // (printing then fails) .
  virtual std::optional<SheetNames> ExternSheetNames(std::uint16_t index) const;
  // Evaluating: the sheet numbers behind an EXTERNSHEET index; nullopt gives #REF!.
  virtual std::optional<SheetSpan> ExternSheetSpan(std::uint16_t index) const;
  // Evaluating: true when the EXTERNSHEET index names sheets of another workbook. Their values
  // cannot be read, so such a formula is not evaluated and keeps its cached value.
  virtual bool ExternSheetInOtherWorkbook(std::uint16_t index) const;

  // Compiling a defined name: its 1-based NAME index, or nullopt (compiling then fails).
  virtual std::optional<std::uint16_t> NameIndex(std::string_view name) const;
  // Printing a defined name by its 1-based index; nullopt makes printing fail.
  virtual std::optional<std::string> NameText(std::uint16_t index) const;
};

// A resolver that knows no sheets and no names: formulas on one sheet need no more.
const ReferenceResolver& NoReferences();

}  // namespace quillora::engine
