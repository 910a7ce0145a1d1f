#pragma once

#include <cstdint>
#include <vector>

// Resource paths of the files embedded into the program.
namespace quillora::resources {
inline constexpr const char* kApplicationIcon = ":/icon.png";
inline constexpr const char* kTemplate = ":/template.xlt";

// The embedded workbook template (an Excel 97-2003 template file), byte for byte.
// Throws std::runtime_error when the program was built without it.
std::vector<std::uint8_t> TemplateBytes();
}  // namespace quillora::resources
