#pragma once

#include <array>
#include <string>
#include <vector>

#include "budget/core/Budget.h"

namespace quillora {

// The 142 amount texts of a budget, addressed like the entry window's fields. This is
// what the generation run reads: the texts exactly as the fields hold them.
class BudgetTexts {
 public:
  // Every field "0", as the window's design has it.
  BudgetTexts();

  std::string& operator[](FieldAddress field);
  const std::string& operator[](FieldAddress field) const;

  // The sample amounts, as "Load Sample/Example Data" writes them.
  static BudgetTexts Sample();

 private:
  std::array<std::vector<std::string>, kCategoryCount> texts_;
};

}  // namespace quillora
