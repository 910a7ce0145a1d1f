// The renderer's indexes and caches for large sheets: merged areas looked up through an index
// agree with a plain scan and draw as merged areas should, a picture shared by many shapes
// is drawn in each as drawing it directly would, and an oversized picture is refused.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <random>

#include "bench/inputs/BandedPng.h"
#include "bench/inputs/BenchWorkbooks.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/render/MergeIndex.h"
#include "spreadsheet/render/PictureCache.h"
#include "spreadsheet/render/PicturePainter.h"
#include "spreadsheet/render/SheetGeometry.h"
#include "spreadsheet/render/SheetRenderer.h"
#include "workbook/core/FileHelpers.h"

namespace quillora::render {
namespace {

using engine::CellRange;

QRgb Hex(unsigned rgb) { return 0xFF000000u | rgb; }

// The first listed area covering the cell, by a scan over all of them.
const CellRange* ScanAt(const std::vector<CellRange>& merges, int row, int column) {
  for (const CellRange& merge : merges)
    if (row >= merge.rowFirst && row <= merge.rowLast && column >= merge.columnFirst && column <= merge.columnLast)
      return &merge;
  return nullptr;
}

TEST(MergeIndexTest, AgreesWithAScanForCellsAndEdgesInAndAroundTheRange) {
  // Disjoint areas of 1 to 3 rows and columns on a 30 x 20 sheet, some reaching out of the
  // range, plus one given backwards, which covers nothing.
  std::vector<CellRange> merges;
  for (int row = 0; row < 30; row += 3)
    for (int column = (row / 3) % 2; column < 20; column += 4)
      merges.push_back({row, column, row + column % 3, column + 1 + row % 2});
  merges.push_back({25, 5, 24, 6});
  const CellRange range{4, 3, 22, 15};
  const MergeIndex index(merges, range);
  for (int row = range.rowFirst - 1; row <= range.rowLast + 1; ++row)
    for (int column = range.columnFirst - 1; column <= range.columnLast + 1; ++column) {
      const CellRange* expected = ScanAt(merges, row, column);
      const CellRange* found = index.At(row, column);
      ASSERT_EQ(found == nullptr, expected == nullptr) << row << "," << column;
      if (found != nullptr) {
        EXPECT_EQ(*found, *expected) << row << "," << column;
      }
      // An edge is inside an area when the cells on both its sides share that area.
      const CellRange* above = ScanAt(merges, row - 1, column);
      const CellRange* left = ScanAt(merges, row, column - 1);
      if (row >= range.rowFirst) {
        EXPECT_EQ(index.InsideEdge(true, row, column), above != nullptr && above == expected) << row << "," << column;
      }
      if (column >= range.columnFirst) {
        EXPECT_EQ(index.InsideEdge(false, row, column), left != nullptr && left == expected) << row << "," << column;
      }
    }
  std::size_t reaching = 0;
  for (const CellRange& merge : merges)
    reaching += merge.rowFirst <= merge.rowLast && merge.rowFirst <= range.rowLast &&
                merge.rowLast >= range.rowFirst && merge.columnFirst <= range.columnLast &&
                merge.columnLast >= range.columnFirst;
  EXPECT_EQ(index.InRange().size(), reaching);
}

TEST(MergeIndexTest, AnAreaOverlappingAnEarlierOneIsLeftOutWhole) {
  const std::vector<CellRange> merges{{0, 0, 1, 1}, {1, 1, 3, 3}, {2, 0, 2, 0}};
  const MergeIndex index(merges, {0, 0, 5, 5});
  EXPECT_EQ(*index.At(1, 1), merges[0]);
  EXPECT_EQ(index.At(3, 3), nullptr);  // the overlapping B2:D4 is not an area at all
  EXPECT_EQ(*index.At(2, 0), merges[2]);
  EXPECT_EQ(index.InRange().size(), 2u);
}

TEST(RenderMergeTest, TextCentresAcrossTheAreaAndInnerLinesAreNotDrawn) {
  engine::Workbook book = bench::GridSheet(4, 6, true);
  engine::Sheet& sheet = book.sheets[0];
  for (int row = 0; row < 4; ++row) sheet.cells[{row, 2}].value = sheet.cells[{row, 3}].value = {};
  sheet.cells[{1, 2}].value = std::string("WWWW");  // C2, centred over C2:D2 (60 px)
  const QImage image = RenderRange(book, sheet, {0, 0, 3, 5});
  const QRgb grid = Hex(0xD4D4D4);
  int inkLeft = 1 << 30, inkRight = -1;
  for (int y = 17 + 2; y < 34 - 2; ++y)
    for (int x = 60; x < 120; ++x)
      if (image.pixel(x, y) != Hex(0xFFFFFF) && image.pixel(x, y) != Hex(0xC0C0C0)) {
        inkLeft = std::min(inkLeft, x);
        inkRight = std::max(inkRight, x);
      }
  ASSERT_GE(inkRight, 0);
  EXPECT_NEAR((inkLeft + inkRight) / 2.0, 90, 2.5);  // the area's middle, not C2's (75)
  EXPECT_GT(inkRight, 90);  // wider than C2 alone allows on its right half
  // The gridline between C and D is left out inside the areas of rows 1 to 4 ...
  for (int y = 0; y < 4 * 17; ++y) EXPECT_NE(image.pixel(89, y), grid) << y;
  // ... while the one between D and E, at the areas' edges, is drawn.
  EXPECT_EQ(image.pixel(119, 5), grid);
  // A merge whose top-left cell lies above the range still shows its text.
  const QImage below = RenderRange(book, sheet, {1, 3, 3, 5});
  int ink = 0;
  for (int y = 2; y < 15; ++y)
    for (int x = 0; x < 30; ++x) ink += below.pixel(x, y) != Hex(0xFFFFFF) && below.pixel(x, y) != grid;
  EXPECT_GT(ink, 5);
}

TEST(RenderPictureTest, OnePictureSharedByManyShapesDrawsInEachAsADirectDrawingWould) {
  const engine::Workbook book = bench::SharedPictureSheet(60, bench::BandedPng(400, 300));
  const engine::Sheet& sheet = book.sheets[0];
  const CellRange range = SheetUsedRange(sheet);
  const QImage image = RenderRange(book, sheet, range);
  // Each picture drawn directly, smoothly scaled into its rectangle, over the plain sheet.
  engine::Workbook bare = book;
  bare.sheets[0].pictures.clear();
  QImage expected = RenderRange(bare, bare.sheets[0], range);
  {
    const SheetGeometry geometry(sheet, range, 7);
    PictureCache cache(book.pictures);
    QPainter painter(&expected);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const engine::SheetPicture& picture : sheet.pictures)
      painter.drawImage(AnchorRect(picture.anchor, geometry), cache.Decoded(1));
  }
  EXPECT_TRUE(image == expected);
  const SheetGeometry geometry(sheet, range, 7);
  for (const engine::SheetPicture& picture : sheet.pictures) {
    const QRect rect = AnchorRect(picture.anchor, geometry);
    ASSERT_TRUE(image.rect().contains(rect)) << picture.name;
    EXPECT_NE(image.pixel(rect.center()), Hex(0xFFFFFF)) << picture.name;
    EXPECT_NE(image.pixel(rect.center()), Hex(0xC0C0C0)) << picture.name;
  }
}

TEST(RenderPictureTest, ScaledCopiesAreKeptPerSizeUpToThePixelBudget) {
  engine::PictureStore store;
  store.blips.push_back({engine::BlipKind::Png, bench::BandedPng(40, 30)});
  PictureCache cache(store);
  const QImage* half = cache.Scaled(1, {20, 15});
  ASSERT_NE(half, nullptr);
  EXPECT_EQ(half->size(), QSize(20, 15));
  EXPECT_EQ(cache.Scaled(1, {20, 15}), half);  // the same copy again
  // Another 2^26 pixels would pass the budget: no copy, the caller scales on the fly.
  EXPECT_EQ(cache.Scaled(1, {8192, 8192}), nullptr);
  EXPECT_TRUE(cache.Decoded(2).isNull());  // no such store entry
}

std::vector<std::uint8_t> JpegBytes(const QImage& image) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPG");
  return {data.begin(), data.end()};
}

void PutBigEndian16(std::vector<std::uint8_t>& bytes, std::size_t at, unsigned value) {
  bytes[at] = static_cast<std::uint8_t>(value >> 8);
  bytes[at + 1] = static_cast<std::uint8_t>(value);
}

TEST(RenderPictureTest, APictureAboveThePixelCapIsRefusedWithItsSize) {
  // A PNG header and a JPEG frame header claiming 9000 x 9000 pixels (81 million): the size
  // is read from the header, so nothing that large is ever allocated.
  std::vector<std::uint8_t> png = bench::BandedPng(4, 4);
  PutBigEndian16(png, 18, 9000);
  PutBigEndian16(png, 22, 9000);
  std::vector<std::uint8_t> jpeg = JpegBytes(QImage(8, 8, QImage::Format_RGB32));
  for (std::size_t at = 0; at + 9 < jpeg.size(); ++at)
    if (jpeg[at] == 0xFF && (jpeg[at + 1] == 0xC0 || jpeg[at + 1] == 0xC2)) {
      PutBigEndian16(jpeg, at + 5, 9000);
      PutBigEndian16(jpeg, at + 7, 9000);
      break;
    }
  for (auto& [kind, bytes] : {std::pair{engine::BlipKind::Png, png}, std::pair{engine::BlipKind::Jpeg, jpeg}}) {
    engine::Workbook book = bench::SharedPictureSheet(1, bytes);
    book.pictures.blips[0].kind = kind;
    try {
      RenderRange(book, book.sheets[0], SheetUsedRange(book.sheets[0]));
      ADD_FAILURE() << "an oversized picture was drawn";
    } catch (const std::runtime_error& error) {
      EXPECT_STREQ(error.what(),
                   "picture 1 of the workbook is 9000 x 9000 pixels, more than the 67108864 pixels a picture may "
                   "have to be drawn");
    }
  }
}

}  // namespace
}  // namespace quillora::render
