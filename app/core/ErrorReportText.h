#pragma once

#include <string>
#include <string_view>

namespace quillora {

// The text of the common "Application Error" report: the failure description, CRLF,
// "in Quillora2021/08/31.<module>.<routine> at line <step>", two bare CRs and the
// request to e-mail a screenshot to the support address.
std::string ComposeErrorReport(std::string_view module, std::string_view routine, int step,
                               std::string_view description);

inline constexpr const char* kErrorReportTitle = "Application Error";

}  // namespace quillora
