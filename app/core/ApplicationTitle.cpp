#include "app/core/ApplicationTitle.h"

namespace quillora {

std::string ApplicationTitle(std::string_view productName) {
  std::string_view title = productName;
  do {
    const auto blank = title.rfind(' ');
    if (blank == std::string_view::npos) break;
    title = title.substr(0, blank);
  } while (title.size() > 40);
  return std::string(title);
}

}  // namespace quillora
