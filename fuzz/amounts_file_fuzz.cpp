// The amounts file reader returns a complete budget of valid amounts or throws
// AmountsFileError.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "spreadsheet/numbers/Amount.h"
#include "workbook/core/AmountsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto locale = quillora::engine::UnitedStatesConventions();
  try {
    const auto texts =
        quillora::ReadAmountsFile({reinterpret_cast<const char*>(data), size}, locale);
    for (const auto& category : quillora::BudgetCategories())
      for (int i = 0; i < category.fieldCount(); ++i)
        if (!quillora::engine::ParseAmount(texts[{category.position, i}], locale)) std::abort();
  } catch (const quillora::AmountsFileError&) {
  }
  return 0;
}
