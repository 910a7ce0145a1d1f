#include <gtest/gtest.h>

#include <QPixmap>
#include <stdexcept>

#include "app/HandCursor.h"
#include "app/core/CursorFile.h"
#include "tests/support/TempDir.h"
#include "workbook/core/FileHelpers.h"

namespace quillora {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// A DIB image body: 32-bit with alpha, or 1-bit with a two-colour palette and AND mask.
std::vector<std::uint8_t> Dib(int size, int bits) {
  std::vector<std::uint8_t> body;
  Put32(body, 40);
  Put32(body, size);
  Put32(body, 2 * size);
  Put16(body, 1);
  Put16(body, bits);
  for (int i = 0; i < 6; ++i) Put32(body, 0);
  if (bits == 1) {
    Put32(body, 0x000000);  // black
    Put32(body, 0xFFFFFF);  // white
  }
  const int colourRow = (size * bits + 31) / 32 * 4;
  for (int y = size - 1; y >= 0; --y) {  // rows bottom-up
    for (int b = 0; b < colourRow; ++b) {
      if (bits == 32) {
        if (b % 4 == 0) Put32(body, y == 0 ? 0xFF112233u : 0x00000000u);
      } else {
        body.push_back(y == 0 ? 0xFF : 0x00);  // top row white
      }
    }
  }
  const int maskRow = (size + 31) / 32 * 4;
  for (int y = size - 1; y >= 0; --y)
    for (int b = 0; b < maskRow; ++b) body.push_back(y == 0 ? 0x00 : 0xFF);  // only the top row opaque
  return body;
}

std::vector<std::uint8_t> CursorFile(const std::vector<std::pair<int, int>>& images) {
  std::vector<std::uint8_t> file;
  Put16(file, 0);
  Put16(file, 2);
  Put16(file, images.size());
  std::vector<std::vector<std::uint8_t>> bodies;
  std::uint32_t offset = 6 + 16 * images.size();
  for (auto [size, bits] : images) {
    bodies.push_back(Dib(size, bits));
    file.push_back(size);
    file.push_back(size);
    file.push_back(0);
    file.push_back(0);
    Put16(file, size / 4);  // hotspot
    Put16(file, 1);
    Put32(file, bodies.back().size());
    Put32(file, offset);
    offset += bodies.back().size();
  }
  for (auto& body : bodies) file.insert(file.end(), body.begin(), body.end());
  return file;
}

TEST(CursorFile, ReadsEveryImageWithItsHotspotAndMask) {
  const auto images = ReadCursorFile(CursorFile({{32, 32}, {48, 1}}));
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].width, 32);
  EXPECT_EQ(images[0].hotspotX, 8);
  EXPECT_EQ(images[0].hotspotY, 1);
  EXPECT_EQ(images[0].argb[0], 0xFF112233u);      // alpha from the colour bits
  EXPECT_EQ(images[0].argb[32 * 5], 0x00000000u);  // transparent below
  EXPECT_EQ(images[1].width, 48);
  EXPECT_EQ(images[1].height, 48);
  EXPECT_EQ(images[1].argb[0], 0xFFFFFFFFu);  // white, opaque by the AND mask
  EXPECT_EQ(images[1].argb[48 * 2], 0u);      // transparent by the AND mask
}

TEST(CursorFile, RefusesGarbageAndTruncation) {
  EXPECT_THROW(ReadCursorFile(std::vector<std::uint8_t>{}), std::runtime_error);
  EXPECT_THROW(ReadCursorFile(std::vector<std::uint8_t>(100, 0x41)), std::runtime_error);
  auto file = CursorFile({{32, 32}});
  file[2] = 1;  // an icon, not a cursor
  EXPECT_THROW(ReadCursorFile(file), std::runtime_error);
  file = CursorFile({{32, 32}});
  file.resize(file.size() - 10);
  EXPECT_THROW(ReadCursorFile(file), std::runtime_error);
  file = CursorFile({{32, 32}});
  file[10] = 40;  // hotspot x outside the image
  EXPECT_THROW(ReadCursorFile(file), std::runtime_error);
}

TEST(HandCursor, LoadsTheImageNearest32PixelsWithItsHotspot) {
  testing::TempDir dir;
  WriteBytesToFile(CursorFile({{48, 1}, {32, 32}}), dir / "HAND-M.CUR");
  const QCursor cursor = LoadCursorFile(dir / "HAND-M.CUR");
  EXPECT_EQ(cursor.pixmap().width(), 32);
  EXPECT_EQ(cursor.hotSpot(), QPoint(8, 1));

  WriteBytesToFile(std::vector<std::uint8_t>{1, 2, 3}, dir / "bad.cur");
  try {
    LoadCursorFile(dir / "bad.cur");
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("bad.cur"), std::string::npos);
  }
  EXPECT_THROW(LoadCursorFile(dir / "missing.cur"), std::runtime_error);
}

}  // namespace
}  // namespace quillora
