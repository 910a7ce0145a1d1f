#pragma once
// The workbook model as a ReferenceResolver: 3-D references through its EXTERNSHEET table
// (entries of the internal-references SUPBOOK), defined names through its NAME list.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "spreadsheet/formula/ReferenceResolver.h"
#include "spreadsheet/model/Workbook.h"

namespace quillora::engine {

// Index of the SUPBOOK that stands for the workbook itself: the kept SUPBOOK record of the
// internal-references kind, or 0 when the workbook has no SUPBOOK (the writer then puts
// that one first).
std::uint16_t InternalSupBook(const Workbook& workbook);

class WorkbookReferences : public ReferenceResolver {
 public:
  // Printing and evaluating only.
  explicit WorkbookReferences(const Workbook& workbook) : book_(workbook), internal_(InternalSupBook(workbook)) {}
  // Compiling may also add EXTERNSHEET entries to `workbook`.
  explicit WorkbookReferences(Workbook& workbook)
      : book_(workbook), mutable_(&workbook), internal_(InternalSupBook(workbook)) {}

  std::optional<std::uint16_t> ExternSheetIndex(std::string_view first, std::string_view last) const override;
  std::optional<SheetNames> ExternSheetNames(std::uint16_t index) const override;
  std::optional<SheetSpan> ExternSheetSpan(std::uint16_t index) const override;
  bool ExternSheetInOtherWorkbook(std::uint16_t index) const override;
  std::optional<std::uint16_t> NameIndex(std::string_view name) const override;
  std::optional<std::string> NameText(std::uint16_t index) const override;

 private:
  const Workbook& book_;
  Workbook* mutable_ = nullptr;
  // InternalSupBook of the workbook, found once: every 3-D reference a recalculation
  // evaluates asks for it.
  std::uint16_t internal_ = 0;
};

// The formula of a defined name as A1 text (without "="); throws FormulaError when its
// tokens cannot be printed.
std::string NameFormulaText(const Workbook& workbook, const DefinedName& name);

// Compiles `text` ("'Wedding Budget'!$1:$6") for a defined name, adding the EXTERNSHEET
// entries it needs. Throws FormulaError.
std::vector<std::uint8_t> CompileNameFormula(Workbook& workbook, std::string_view text);

}  // namespace quillora::engine
