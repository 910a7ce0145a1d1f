#include "app/core/ErrorReportText.h"

#include "app/core/ProductInfo.h"

namespace quillora {

std::string ComposeErrorReport(std::string_view module, std::string_view routine, int step,
                               std::string_view description) {
  std::string text;
  text.append(description);
  text.append("\r\n");
  text.append("in ").append(kProductName).append(kBuildStamp).append(".");
  text.append(module).append(".").append(routine).append(" ");
  text.append("at line ").append(std::to_string(step));
  text.append("\r\r");
  text.append("Please email screenshot of this message to ").append(kSupportAddress);
  return text;
}

}  // namespace quillora
