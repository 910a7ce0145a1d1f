#pragma once
// Photographing a sheet: CopyPicture's drawing onto the clipboard, the clipboard read with
// its retries, and saveCellsActivesheet, which writes the used range's picture to a file.
#include <QImage>
#include <filesystem>
#include <functional>
#include <optional>

#include "app/Desktop.h"
#include "spreadsheet/automation/Automation.h"

namespace quillora {

// Draws `range` of sheet `sheet` as it shows on screen under the regional settings `locale`
// (its decimal and group separators) and puts it on the application clipboard, replacing
// what was there.
void CopyRangePictureToClipboard(const engine::Workbook& workbook, int sheet, const engine::CellRange& range,
                                 const engine::NumberLocale& locale);

// One read of the clipboard's picture; nothing when the read failed.
using ClipboardRead = std::function<std::optional<QImage>()>;
std::optional<QImage> ReadClipboardImage();

// The clipboard's picture in `format` (0: whatever form it holds). A failed read is tried
// again, at most 1000 attempts in all, without pause; nothing after the last failure.
// Never reports.
inline constexpr int kClipboardAttempts = 1000;
std::optional<QImage> GetClipboardPicture(int format, const ClipboardRead& read = ReadClipboardImage);

// Writes the picture of the active sheet's used range of `workbook` (nullptr: none, and
// every step that needs it fails) to `path` as a BMP file, replacing a
// file of that name (never writing through a link). Reports its own failures as
// Excel1.saveCellsActivesheet and goes on with its next step; a used range that ends in
// row 1 or column A gives no file.
void saveCellsActivesheet(Desktop& desktop, const engine::automation::Workbook* workbook,
                          const std::filesystem::path& path,
                          const ClipboardRead& read = ReadClipboardImage);

}  // namespace quillora
