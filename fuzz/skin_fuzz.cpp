// The skin check either accepts a text or refuses it with std::runtime_error; it never
// crashes, hangs or throws anything else. An accepted sheet stays accepted with a rule
// appended, and a refused one stays refused with an unclosed rule appended.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "app/core/SkinCheck.h"

namespace {

bool Accepted(const std::string& text) {
  try {
    quillora::CheckSkinStyleSheet(text);
    return true;
  } catch (const std::runtime_error&) {
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (Accepted(text)) {
    if (!Accepted(text + "\nQLabel { color: red; }")) std::abort();
  }
  if (Accepted(text + "\nQLabel { color: red;")) std::abort();
  return 0;
}
