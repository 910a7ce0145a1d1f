#pragma once
// The budget workbook template: one sheet "Wedding Budget" with the ten budget sections, their
// formulas and formats, the title band with the floral picture, window and page settings.
#include <cstdint>
#include <span>

#include "spreadsheet/model/Workbook.h"

namespace quillora::templates {

// Builds the template workbook; `floralJpeg` is the picture placed at the left of the title.
engine::Workbook BuildTemplate(std::span<const std::uint8_t> floralJpeg);

}  // namespace quillora::templates
