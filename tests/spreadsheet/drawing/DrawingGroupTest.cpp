#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "spreadsheet/drawing/Md4.h"
#include "spreadsheet/drawing/OfficeArtRecord.h"
#include "spreadsheet/drawing/PictureStore.h"

namespace quillora::engine {
namespace {

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;
using Bytes = std::vector<std::uint8_t>;

Bytes FakeJpeg() {
  Bytes bytes = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00};
  for (int i = 0; i < 300; ++i) bytes.push_back(static_cast<std::uint8_t>(i * 37));
  bytes.insert(bytes.end(), {0xFF, 0xD9});
  return bytes;
}

Bytes FakePng() { return {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 1, 2, 3}; }

SheetDrawing Drawing(std::uint32_t id, std::vector<int> blipIndexes) {
  SheetDrawing drawing{id, {}};
  for (int index : blipIndexes) {
    SheetPicture picture;
    picture.name = "p";
    picture.blipIndex = index;
    picture.shapeId = NextShapeId(drawing);
    drawing.pictures.push_back(picture);
  }
  return drawing;
}

const OfficeArtRecord& Child(const OfficeArtRecord& parent, std::uint16_t type) {
  const OfficeArtRecord* child = FindOfficeArtChild(parent, type);
  if (child == nullptr) throw std::runtime_error("missing child");
  return *child;
}

std::uint32_t U32At(const Bytes& bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(bytes[offset] | bytes[offset + 1] << 8 |
                                    bytes[offset + 2] << 16 | bytes[offset + 3] << 24);
}

TEST(DrawingGroup, PicturesAndShapeIdClustersRoundTrip) {
  const PictureStore store{{{BlipKind::Jpeg, FakeJpeg()}, {BlipKind::Png, FakePng()}}};
  const std::vector<SheetDrawing> drawings = {Drawing(1, {1, 2, 1}), Drawing(2, {1})};
  const Bytes bytes = WriteDrawingGroup(store, drawings);

  const DrawingGroup group = ReadDrawingGroup(bytes);
  EXPECT_EQ(group.pictures, store);
  EXPECT_EQ(group.maxShapeId, 2050u);  // drawing 2 uses 2048 and 2049
  EXPECT_EQ(group.savedShapes, 6u);    // two groups and four pictures
  EXPECT_EQ(group.savedDrawings, 2u);
  EXPECT_EQ(group.clusters, (std::vector<ShapeIdCluster>{{1, 4}, {2, 2}}));
  // The second save of what was read is the same bytes.
  EXPECT_EQ(WriteDrawingGroup(group.pictures, drawings), bytes);
}

TEST(DrawingGroup, StoreEntriesCarryDigestSizeAndReferenceCount) {
  const Bytes jpeg = FakeJpeg();
  const PictureStore store{{{BlipKind::Jpeg, jpeg}}};
  const std::vector<SheetDrawing> drawings = {Drawing(1, {1, 1})};
  const auto records = ParseOfficeArtRecords(WriteDrawingGroup(store, drawings));
  ASSERT_EQ(records.size(), 1u);
  const OfficeArtRecord& bstore = Child(records[0], 0xF001);
  EXPECT_EQ(bstore.instance, 1);
  ASSERT_EQ(bstore.children.size(), 1u);
  const OfficeArtRecord& fbse = bstore.children[0];
  EXPECT_EQ(fbse.version, 2);
  EXPECT_EQ(fbse.instance, 5);  // JPEG
  const auto uid = Md4Digest(jpeg);
  EXPECT_EQ(fbse.data[0], 5);
  EXPECT_TRUE(std::equal(uid.begin(), uid.end(), fbse.data.begin() + 2));
  const std::uint32_t blipRecordSize = 8 + 16 + 1 + static_cast<std::uint32_t>(jpeg.size());
  EXPECT_EQ(U32At(fbse.data, 20), blipRecordSize);
  EXPECT_EQ(U32At(fbse.data, 24), 2u);  // two shapes use it
  EXPECT_EQ(fbse.data.size(), 36u + blipRecordSize);
  // The embedded picture record: JPEG (0xF01D, instance 0x46A), the same uid, tag 0xFF.
  const auto blip = ParseOfficeArtRecords(Bytes(fbse.data.begin() + 36, fbse.data.end()));
  ASSERT_EQ(blip.size(), 1u);
  EXPECT_EQ(blip[0].type, 0xF01D);
  EXPECT_EQ(blip[0].instance, 0x46A);
  EXPECT_TRUE(std::equal(uid.begin(), uid.end(), blip[0].data.begin()));
  EXPECT_EQ(blip[0].data[16], 0xFF);
  // The defaults every drawing group carries.
  EXPECT_EQ(Child(records[0], 0xF00B).instance, 3);
  EXPECT_EQ(Child(records[0], 0xF11E).data.size(), 16u);
}

TEST(DrawingGroup, EntriesOfOtherKindsAreKeptAsStored) {
  // A metafile entry (btWin32 2) with an empty name and no embedded picture.
  Bytes entry(36, 0);
  entry[0] = entry[1] = 2;
  const PictureStore store{{{BlipKind::Other, entry}, {BlipKind::Png, FakePng()}}};
  const Bytes bytes = WriteDrawingGroup(store, {});
  const DrawingGroup group = ReadDrawingGroup(bytes);
  EXPECT_EQ(group.pictures, store);
  EXPECT_EQ(WriteDrawingGroup(group.pictures, {}), bytes);
  EXPECT_TRUE(WriteDrawingGroup({}, {}).empty());
}

TEST(DrawingGroup, MalformedGroupsAreRefused) {
  const Bytes good = WriteDrawingGroup({{{BlipKind::Jpeg, FakeJpeg()}}}, {});
  // A sheet's drawing container where the group's belongs.
  Bytes wrong = good;
  wrong[2] = 0x02;
  EXPECT_THAT([&] { ReadDrawingGroup(wrong); },
              ThrowsMessage<std::runtime_error>(HasSubstr("drawing-group container (0xF000)")));
  // Cut short: the outer length now overruns.
  EXPECT_THAT([&] { ReadDrawingGroup(Bytes(good.begin(), good.end() - 5)); },
              ThrowsMessage<std::runtime_error>(HasSubstr("remain in its parent")));
  // FDGG announcing more clusters than it holds (cidcl at offset 8 + 8 + 4).
  Bytes clusters = good;
  clusters[20] = 9;
  EXPECT_THAT([&] { ReadDrawingGroup(clusters); },
              ThrowsMessage<std::runtime_error>(HasSubstr("shape-id clusters")));
  // A store entry whose name length runs past the entry.
  auto records = ParseOfficeArtRecords(WriteDrawingGroup({{{BlipKind::Png, FakePng()}}}, {}));
  records[0].children[1].children[0].data[33] = 0xFF;
  EXPECT_THAT([&] { ReadDrawingGroup(SerializeOfficeArtRecords(records)); },
              ThrowsMessage<std::runtime_error>(HasSubstr("picture store entry 1 is truncated")));
}

TEST(DrawingGroup, WriterRefusesReferencesToMissingPictures) {
  const PictureStore store{{{BlipKind::Jpeg, FakeJpeg()}}};
  EXPECT_THAT([&] { WriteDrawingGroup(store, std::vector<SheetDrawing>{Drawing(1, {2})}); },
              ThrowsMessage<std::runtime_error>(HasSubstr("refers to stored picture 2 of 1")));
}

}  // namespace
}  // namespace quillora::engine
