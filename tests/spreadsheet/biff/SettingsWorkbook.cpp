#include "tests/spreadsheet/biff/SettingsWorkbook.h"

#include <algorithm>
#include <array>
#include <string>

#include "spreadsheet/calc/WorkbookReferences.h"
#include "spreadsheet/formula/Formula.h"

namespace quillora::engine::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Big32(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFU;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320U & (0U - (crc & 1U)));
  }
  return ~crc;
}

void Chunk(Bytes& png, const char* type, const Bytes& body) {
  Big32(png, static_cast<std::uint32_t>(body.size()));
  const std::size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), body.begin(), body.end());
  Big32(png, Crc32(png.data() + start, png.size() - start));
}

// zlib stream of stored (uncompressed) deflate blocks.
Bytes Stored(const Bytes& raw) {
  Bytes out{0x78, 0x01};
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  for (std::size_t pos = 0; pos < raw.size() || pos == 0;) {
    const std::size_t size = std::min<std::size_t>(65535, raw.size() - pos);
    out.push_back(pos + size == raw.size() ? 1 : 0);
    out.push_back(static_cast<std::uint8_t>(size));
    out.push_back(static_cast<std::uint8_t>(size >> 8));
    out.push_back(static_cast<std::uint8_t>(~size));
    out.push_back(static_cast<std::uint8_t>(~size >> 8));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
               raw.begin() + static_cast<std::ptrdiff_t>(pos + size));
    pos += size;
    if (size == 0) break;
  }
  Big32(out, (b << 16) | a);
  return out;
}

}  // namespace

Bytes SamplePng() {
  constexpr std::uint32_t kWidth = 144, kHeight = 85;
  Bytes raw;
  for (std::uint32_t y = 0; y < kHeight; ++y) {
    raw.push_back(0);  // no filter
    for (std::uint32_t x = 0; x < kWidth; ++x) {
      const bool petal = ((x - 72) * (x - 72) + (y - 42) * (y - 42) * 3) % 900 < 450;
      raw.push_back(petal ? 250 : static_cast<std::uint8_t>(60 + x / 2));
      raw.push_back(petal ? 245 : static_cast<std::uint8_t>(120 + y));
      raw.push_back(petal ? 240 : 70);
    }
  }
  Bytes png{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  Bytes header;
  Big32(header, kWidth);
  Big32(header, kHeight);
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", Stored(raw));
  Chunk(png, "IEND", {});
  return png;
}

Workbook BuildSettingsWorkbook() {
  Workbook book = NewWorkbook();
  Sheet sheet;
  sheet.name = "Wedding Budget";
  sheet.cells[{0, 0}].value = std::string("Wedding Budget");
  sheet.cells[{2, 1}].value = std::string("Estimated");
  sheet.cells[{8, 1}].value = 1200.0;
  Cell total;
  total.formula = Formula{CompileFormula("SUM(B9:B19)"), {}, 0x0002, 0, {}};
  total.value = 1200.0;
  sheet.cells[{19, 1}] = total;

  sheet.window.Set(kWindowGridlines, false);
  sheet.zoom = std::make_pair(std::uint16_t{100}, std::uint16_t{100});
  sheet.selections.push_back(Selection{3, {8, 1}, 0, {CellRange{8, 1, 8, 1}}});
  sheet.calculation = CalcSettings{};
  sheet.sheetOptions = kSheetOptionsDefault | kSheetFitToPage;

  PageSetup& page = sheet.pageSetup;
  page.printHeadings = false;
  page.printGridlines = false;
  page.gridSet = true;
  page.header = "";
  page.footer = "&LWedding Budget&RPage &P of &N";
  page.centerHorizontally = true;
  page.centerVertically = false;
  PrintSetup setup;
  setup.paperSize = 1;
  setup.scale = 90;
  setup.fitWidth = 1;
  setup.fitHeight = 3;
  setup.options = 0x0002;  // portrait, down then over, automatic first page number
  page.setup = setup;

  SheetPicture picture;
  picture.name = "floral";
  picture.description = "Floral Arrangement";
  picture.blipIndex = 1;
  picture.anchor = Anchor{2, 0, 70, 0, 43, 0, 623, 2, 136};
  picture.shapeId = 1025;
  sheet.pictures.push_back(picture);

  IgnoredErrors ignored;
  ignored.flags = kIgnoreEmptyCellReference;
  ignored.ranges = {CellRange{19, 1, 19, 2}, CellRange{29, 1, 29, 2}};
  sheet.ignoredErrors.push_back(ignored);
  book.sheets.push_back(std::move(sheet));

  book.protection = BookProtection{};
  book.fullPrecision = true;
  book.pictures.blips.push_back({BlipKind::Png, SamplePng()});

  DefinedName titles;
  titles.builtIn = true;
  titles.builtInCode = static_cast<std::uint8_t>(BuiltInName::PrintTitles);
  titles.sheet = 1;
  titles.formula = CompileNameFormula(book, "'Wedding Budget'!$1:$6");
  book.names.push_back(std::move(titles));
  return book;
}

}  // namespace quillora::engine::testing
