#include "workbook/SheetCapture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <cstdint>
#include <span>
#include <stdexcept>

#include "app/ErrorTrap.h"
#include "spreadsheet/render/SheetRenderer.h"
#include "workbook/core/BmpFile.h"
#include "spreadsheet/base/NewFile.h"
#include "workbook/core/PrivateFiles.h"

namespace quillora {
namespace {

QClipboard& Clipboard() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) throw std::runtime_error("No clipboard: the program runs without a window system");
  return *clipboard;
}

// Writes the picture as a new 24-bit bitmap file, straight from its 32-bit pixels.
void WriteBitmapFile(const QImage& picture, const std::filesystem::path& path) {
  const QImage pixels =
      picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
  static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "32-bit pixels are read as blue, green, red bytes");
  RemoveDirectoryEntry(path);
  base::Descriptor file = base::CreateNewFile(path);
  WriteBmp(pixels.constBits(), pixels.width(), pixels.height(), pixels.bytesPerLine(),
           [&](std::span<const std::uint8_t> bytes) { file.WriteAll(bytes); });
  file.Close();
}

}  // namespace

void CopyRangePictureToClipboard(const engine::Workbook& workbook, int sheet, const engine::CellRange& range,
                                 const engine::NumberLocale& locale) {
  engine::Separators separators;
  if (!locale.decimalSeparator.empty()) separators.decimal = locale.decimalSeparator;
  separators.group = locale.groupSeparator;
  const QImage picture =
      render::RenderRange(workbook, workbook.sheets.at(static_cast<std::size_t>(sheet)), range, separators);
  Clipboard().setImage(picture);
}

std::optional<QImage> ReadClipboardImage() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return std::nullopt;
  QImage picture = clipboard->image();
  if (picture.isNull()) return std::nullopt;
  return picture;
}

std::optional<QImage> GetClipboardPicture(int /*format*/, const ClipboardRead& read) {
  // Another program may hold the clipboard for a moment; a failed read is simply repeated.
  for (int attempt = 0; attempt < kClipboardAttempts; ++attempt) {
    if (std::optional<QImage> picture = read()) return picture;
  }
  return std::nullopt;
}

void saveCellsActivesheet(Desktop& desktop, const engine::automation::Workbook* workbook,
                          const std::filesystem::path& path, const ClipboardRead& read) {
  ErrorTrap trap(desktop, QStringLiteral("Excel1"), QStringLiteral("saveCellsActivesheet"));
  std::optional<engine::automation::Worksheet> sheet;
  const auto usedRange = [&] {
    if (!sheet) throw std::runtime_error("Object variable not set: no active sheet");
    return sheet->UsedRange();
  };
  trap(100, [&] {
    if (workbook == nullptr) throw std::runtime_error("Object variable not set: no workbook");
    sheet = workbook->ActiveSheet();
  });
  int lastRow = 0, lastColumn = 0;
  trap(102, [&] {
    const auto rows = usedRange().Rows();
    lastRow = rows.Item(rows.count()).Row();
  });
  trap(104, [&] {
    const auto columns = usedRange().Columns();
    lastColumn = columns.Item(columns.count()).Column();
  });
  if (!(lastRow > 1 && lastColumn > 1)) return;  // step 106
  trap(110, [&] { usedRange().CopyPicture(); });
  trap(112, [&] {
    const std::optional<QImage> picture = GetClipboardPicture(0, read);
    if (!picture) throw std::runtime_error("The clipboard holds no picture of the sheet");
    WriteBitmapFile(*picture, path);
  });
}

}  // namespace quillora
