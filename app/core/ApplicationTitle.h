#pragma once

#include <string>
#include <string_view>

namespace quillora {

// The application title shown by every message box without a title of its own: the
// product name cut before its last blank, repeated while longer than 40 characters. A
// name without any blank has nothing to cut and is kept whole (cut at a blank-free
// name would leave an empty title).
std::string ApplicationTitle(std::string_view productName);

}  // namespace quillora
