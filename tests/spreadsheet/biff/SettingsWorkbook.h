#pragma once
// A one-sheet budget workbook with every setting the engine models beyond cells: a sheet
// level Print_Titles name, calculation and protection settings, window settings, a page
// setup that fits 1 x 3 pages, a picture and ignored error checks. Shared by the settings
// round-trip tests and the interop check, which reads the file a test writes.
#include <cstdint>
#include <vector>

#include "spreadsheet/model/Workbook.h"

namespace quillora::engine::testing {

Workbook BuildSettingsWorkbook();

// A small PNG photograph stand-in: 144 x 85 pixels of colour bands, stored uncompressed
// (about 37 KB, so the drawing group needs CONTINUE records).
std::vector<std::uint8_t> SamplePng();

}  // namespace quillora::engine::testing
