#pragma once
// Large sheets built in code for the renderer's scale benchmarks and tests: a grid of
// formatted cells, the same grid with two-cell merged areas, and a sheet whose pictures
// all show one stored picture.
#include <vector>

#include "spreadsheet/model/Workbook.h"

namespace quillora::engine::testing {

// `rows` x `columns` cells (at most 256 columns) of 30 x 17 pixels: text and numbers in
// turn, thin bottom borders, every third cell filled. With `merged`, each row's columns are
// merged in pairs (A:B, C:D, ...), so a 400 x 250 grid has 50,000 areas.
Workbook BuildGridBook(int rows, int columns, bool merged);

// A PNG picture of `width` x `height` pixels: colour stripes over a gradient.
std::vector<std::uint8_t> StripedPng(int width, int height);

// A sheet of 40 x 100 default cells with `shapes` pictures in a grid, each about two
// columns by four rows, all showing the one stored picture `png`.
Workbook BuildSharedPictureBook(int shapes, std::vector<std::uint8_t> png);

}  // namespace quillora::engine::testing
