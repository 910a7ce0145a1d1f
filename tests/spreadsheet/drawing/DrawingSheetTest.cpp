#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "spreadsheet/drawing/DrawingObject.h"
#include "spreadsheet/drawing/OfficeArtRecord.h"
#include "spreadsheet/drawing/SheetDrawingCodec.h"

namespace quillora::engine {
namespace {

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;
using Bytes = std::vector<std::uint8_t>;

// The budget template's picture: from column A at 70/1024 and row 1 at 43/256 to column A
// at 623/1024 and row 3 at 136/256.
SheetPicture Floral() {
  SheetPicture picture;
  picture.name = "floral";
  picture.description = "Floral Arrangement";
  picture.blipIndex = 1;
  picture.anchor = Anchor{2, 0, 70, 0, 43, 0, 623, 2, 136};
  picture.shapeId = 1025;
  return picture;
}

bool Contains(const Bytes& haystack, const Bytes& needle) {
  return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) !=
         haystack.end();
}

TEST(SheetDrawing, TemplatePictureRoundTripsWithNameDescriptionAndAnchor) {
  const SheetDrawing drawing{1, {Floral()}};
  const auto records = WriteSheetDrawing(drawing);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].kind, DrawingRecordKind::Drawing);
  EXPECT_EQ(records[1].kind, DrawingRecordKind::Object);

  // The anchor as stored: header (type 0xF010, 18 bytes), flags, then column/offset pairs.
  EXPECT_TRUE(Contains(records[0].payload,
                       {0x00, 0x00, 0x10, 0xF0, 18, 0, 0, 0, 2, 0, 0, 0, 70, 0, 0, 0, 43, 0, 0, 0,
                        0x6F, 0x02, 2, 0, 136, 0}));
  // The name as null-terminated UTF-16.
  EXPECT_TRUE(Contains(records[0].payload,
                       {'f', 0, 'l', 0, 'o', 0, 'r', 0, 'a', 0, 'l', 0, 0, 0, 'F', 0}));
  // The payload ends with the client data record, where the OBJ record follows.
  EXPECT_TRUE(std::equal(records[0].payload.end() - 8, records[0].payload.end(),
                         Bytes{0, 0, 0x11, 0xF0, 0, 0, 0, 0}.begin()));

  const SheetDrawingRead read = ReadSheetDrawing(records);
  EXPECT_EQ(read.drawing, drawing);
  EXPECT_EQ(read.otherShapes, 0u);
  ASSERT_EQ(read.shapes.size(), 2u);
  EXPECT_EQ(read.shapes[0].shapeId, 1024u);  // the group
  EXPECT_FALSE(read.shapes[0].object);
  EXPECT_EQ(read.shapes[1].shapeType, 75);
  ASSERT_TRUE(read.shapes[1].object);
  EXPECT_EQ(read.shapes[1].object->objectType, kObjectTypePicture);
  EXPECT_EQ(read.shapes[1].object->objectId, 1);
  EXPECT_EQ(WriteSheetDrawing(read.drawing), records);
}

TEST(SheetDrawing, ContainerLengthsSpanAllPiecesAndEachPictureGetsItsObject) {
  SheetPicture second = Floral();
  second.name = "Boutonnières";
  second.description = "";
  second.blipIndex = 2;
  second.shapeId = 2051;
  second.anchor = Anchor{0, 3, -5, 40, 0, 4, 1023, 41, 255};
  SheetPicture third = Floral();
  third.shapeId = 2049;
  const SheetDrawing drawing{2, {Floral(), second, third}};
  ASSERT_THROW(WriteSheetDrawing(drawing), std::runtime_error);  // 1025 is not drawing 2's

  const SheetDrawing valid{2, {second, third}};
  const auto records = WriteSheetDrawing(valid);
  ASSERT_EQ(records.size(), 4u);
  Bytes stream;
  for (const auto& record : records)
    if (record.kind == DrawingRecordKind::Drawing)
      stream.insert(stream.end(), record.payload.begin(), record.payload.end());
  // One drawing container whose length covers every piece, with FDG: 3 shapes, last 2051.
  const auto tree = ParseOfficeArtRecords(stream);
  ASSERT_EQ(tree.size(), 1u);
  EXPECT_EQ(OfficeArtRecordSize(tree[0]), stream.size());
  const OfficeArtRecord* fdg = FindOfficeArtChild(tree[0], 0xF008);
  ASSERT_NE(fdg, nullptr);
  EXPECT_EQ(fdg->instance, 2);
  EXPECT_EQ(fdg->data, (Bytes{3, 0, 0, 0, 0x03, 0x08, 0, 0}));

  EXPECT_EQ(ReadDrawingObject(records[1].payload).objectId, 3);
  EXPECT_EQ(ReadDrawingObject(records[3].payload).objectId, 1);
  const SheetDrawingRead read = ReadSheetDrawing(records);
  EXPECT_EQ(read.drawing, valid);
  EXPECT_EQ(WriteSheetDrawing(read.drawing), records);
  EXPECT_TRUE(WriteSheetDrawing(SheetDrawing{3, {}}).empty());
}

TEST(SheetDrawing, PictureObjectRecordIsTheUsualSubRecordSequence) {
  const Bytes expected = {0x15, 0, 0x12, 0, 8, 0, 7, 0, 0x11, 0x60, 0, 0, 0, 0, 0, 0, 0, 0,
                          0,    0, 0,    0, 7, 0, 2, 0, 0xFF, 0xFF, 8, 0, 2, 0, 1, 0, 0, 0,
                          0,    0};
  EXPECT_EQ(WritePictureObject(7), expected);
  const DrawingObject object = ReadDrawingObject(expected);
  EXPECT_EQ(object.objectType, 8);
  EXPECT_EQ(object.objectId, 7);
  EXPECT_EQ(object.flags, 0x6011);
  EXPECT_EQ(object.bytes, expected);
  EXPECT_THAT([&] { ReadDrawingObject(Bytes(expected.begin(), expected.begin() + 10)); },
              ThrowsMessage<std::runtime_error>(HasSubstr("object record is truncated")));
  EXPECT_THAT([] { ReadDrawingObject(Bytes{0x07, 0, 2, 0, 0xFF, 0xFF}); },
              ThrowsMessage<std::runtime_error>(HasSubstr("does not start with its common data")));
}

TEST(SheetDrawing, MalformedDrawingsAreRefused) {
  const auto good = WriteSheetDrawing(SheetDrawing{1, {Floral()}});

  // An OBJ record that does not sit right after a shape's client data.
  auto misplaced = good;
  misplaced.insert(misplaced.begin() + 1, DrawingRecord{DrawingRecordKind::Drawing, {0, 0, 0x11, 0xF0, 0, 0, 0, 0}});
  EXPECT_THROW(ReadSheetDrawing(misplaced), std::runtime_error);
  auto early = good;
  std::swap(early[0], early[1]);
  EXPECT_THAT([&] { ReadSheetDrawing(early); },
              ThrowsMessage<std::runtime_error>(HasSubstr("object record at drawing offset 0")));

  // A drawing-group container where the sheet's drawing container belongs.
  auto wrong = good;
  wrong[0].payload[2] = 0x00;
  EXPECT_THAT([&] { ReadSheetDrawing(wrong); },
              ThrowsMessage<std::runtime_error>(HasSubstr("single drawing container (0xF002)")));

  // A piece missing: the container's length overruns what the records hold.
  auto truncated = good;
  truncated[0].payload.resize(truncated[0].payload.size() - 30);
  EXPECT_THROW(ReadSheetDrawing(truncated), std::runtime_error);
  EXPECT_THROW(ReadSheetDrawing({}), std::runtime_error);

  // A picture's anchor of the wrong size.
  auto tree = ParseOfficeArtRecords(good[0].payload);
  auto& shape = tree[0].children[1].children[1];
  shape.children[2].data.pop_back();
  const std::vector<DrawingRecord> shortAnchor = {
      {DrawingRecordKind::Drawing, SerializeOfficeArtRecords(tree)}};
  EXPECT_THAT([&] { ReadSheetDrawing(shortAnchor); },
              ThrowsMessage<std::runtime_error>(HasSubstr("is 17 bytes, expected 18")));
}

TEST(SheetDrawing, ShapesOtherThanPicturesAreCountedAndKept) {
  const auto written = WriteSheetDrawing(SheetDrawing{1, {Floral()}});
  auto tree = ParseOfficeArtRecords(written[0].payload);
  auto& picture = tree[0].children[1].children[1];
  picture.children[0].instance = 202;  // a text box instead of a picture frame
  const std::vector<DrawingRecord> records = {
      {DrawingRecordKind::Drawing, SerializeOfficeArtRecords(tree)}, written[1],
      {DrawingRecordKind::Text, {1, 2, 3}}};
  const SheetDrawingRead read = ReadSheetDrawing(records);
  EXPECT_TRUE(read.drawing.pictures.empty());
  EXPECT_EQ(read.otherShapes, 1u);
  EXPECT_EQ(read.shapes[1].shapeType, 202);
  EXPECT_TRUE(read.shapes[1].object);
  EXPECT_EQ(SerializeOfficeArtRecords(read.records), records[0].payload);
}

TEST(SheetDrawing, WriterRefusesInconsistentPictures) {
  SheetPicture repeated = Floral();
  EXPECT_THAT([&] { WriteSheetDrawing(SheetDrawing{1, {Floral(), repeated}}); },
              ThrowsMessage<std::runtime_error>(HasSubstr("two pictures share shape id 1025")));
  SheetPicture noBlip = Floral();
  noBlip.blipIndex = 0;
  EXPECT_THAT([&] { WriteSheetDrawing(SheetDrawing{1, {noBlip}}); },
              ThrowsMessage<std::runtime_error>(HasSubstr("has no stored picture")));
  SheetPicture badName = Floral();
  badName.name = "\xC3";
  EXPECT_THAT([&] { WriteSheetDrawing(SheetDrawing{1, {badName}}); },
              ThrowsMessage<std::runtime_error>(HasSubstr("picture name is not valid UTF-8")));
  EXPECT_THAT([] { WriteSheetDrawing(SheetDrawing{0, {Floral()}}); },
              ThrowsMessage<std::runtime_error>(HasSubstr("drawing id 0 is outside")));
}

}  // namespace
}  // namespace quillora::engine
