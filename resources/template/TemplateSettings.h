#pragma once
// The template's settings besides its cells: window, calculation, page setup and footer,
// print titles, the ignored error checks, the template flag and the floral picture.
#include <cstdint>
#include <span>

#include "spreadsheet/model/Workbook.h"

namespace quillora::templates {

void ApplySheetSettings(engine::Sheet& sheet);

// Needs the sheet in place: the print titles name it and the picture sits on it.
void ApplyBookSettings(engine::Workbook& book, std::span<const std::uint8_t> floralJpeg);

}  // namespace quillora::templates
