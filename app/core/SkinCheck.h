#pragma once

#include <string_view>

namespace quillora {

// Checks that `text` is a skin style sheet this program accepts: UTF-8 text (a byte order
// mark is allowed) made of rules `selectors { property: value; ... }` with balanced
// braces; comments /* ... */ may stand between the parts. Throws std::runtime_error naming
// the line and what is wrong.
void CheckSkinStyleSheet(std::string_view text);

}  // namespace quillora
