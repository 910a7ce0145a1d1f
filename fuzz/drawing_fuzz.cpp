// Arbitrary bytes into the drawing readers: they either throw std::runtime_error or return
// data that survives a write and a second read unchanged.
//
// Input layout: the first byte picks the reader. For the sheet drawing reader the rest is a
// run of records, each a kind byte (0 drawing, 1 object, 2 text), a 16-bit little-endian
// length and that many payload bytes.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <stdexcept>
#include <vector>

#include "spreadsheet/drawing/OfficeArtRecord.h"
#include "spreadsheet/drawing/PictureStore.h"
#include "spreadsheet/drawing/SheetDrawingCodec.h"

namespace {

using namespace quillora::engine;

void CheckTree(std::span<const std::uint8_t> bytes) {
  const auto records = ParseOfficeArtRecords(bytes);
  const auto written = SerializeOfficeArtRecords(records);
  if (!std::equal(written.begin(), written.end(), bytes.begin(), bytes.end())) std::abort();
}

void CheckGroup(std::span<const std::uint8_t> bytes) {
  const DrawingGroup group = ReadDrawingGroup(bytes);
  const DrawingGroup again = ReadDrawingGroup(WriteDrawingGroup(group.pictures, {}));
  if (again.pictures != group.pictures) std::abort();
}

std::vector<DrawingRecord> SplitRecords(std::span<const std::uint8_t> bytes) {
  std::vector<DrawingRecord> records;
  std::size_t offset = 0;
  while (offset + 3 <= bytes.size()) {
    const auto kind = static_cast<DrawingRecordKind>(bytes[offset] % 3);
    std::size_t length = bytes[offset + 1] | bytes[offset + 2] << 8;
    offset += 3;
    if (length > bytes.size() - offset) length = bytes.size() - offset;
    records.push_back({kind, {bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                              bytes.begin() + static_cast<std::ptrdiff_t>(offset + length)}});
    offset += length;
  }
  return records;
}

void CheckSheet(std::span<const std::uint8_t> bytes) {
  const SheetDrawingRead read = ReadSheetDrawing(SplitRecords(bytes));
  if (read.drawing.pictures.size() + read.otherShapes > read.shapes.size()) std::abort();
  std::vector<DrawingRecord> written;
  try {
    written = WriteSheetDrawing(read.drawing);  // refuses ids outside the drawing's cluster
  } catch (const std::runtime_error&) {
    return;
  }
  if (read.drawing.pictures.empty()) return;
  if (ReadSheetDrawing(written).drawing != read.drawing) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::span<const std::uint8_t> rest(data + 1, size - 1);
  try {
    switch (data[0] % 3) {
      case 0: CheckTree(rest); break;
      case 1: CheckGroup(rest); break;
      default: CheckSheet(rest); break;
    }
  } catch (const std::runtime_error&) {
  }
  return 0;
}
