#pragma once

#include <QImage>
#include <QMouseEvent>
#include <QWidget>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "tests/support/Mouse.h"

// Pictures, cursor files and mouse events for the preview's widget tests.
namespace quillora::preview::testing {

// A picture of the sheet's size (550 x 2465 px): red left half, blue right half, a green
// band along the top 100 rows.
QImage SheetPicture(int width = 550, int height = 2465);

// A 32 x 32 monochrome .cur file with its hotspot at (5, 1).
std::vector<std::uint8_t> HandCursorFile();

using quillora::testing::SendMouse;

}  // namespace quillora::preview::testing
