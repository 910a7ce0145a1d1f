#include "tests/budget/Form1Harness.h"

#include "tests/budget/WindowInput.h"

namespace quillora::testing {

void Form1Harness::start() {
  form->Form_Load();
  ShowAndActivate(form.get());
}

}  // namespace quillora::testing
