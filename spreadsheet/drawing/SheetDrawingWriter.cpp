#include <set>
#include <string>

#include "spreadsheet/drawing/DrawingBytes.h"
#include "spreadsheet/drawing/DrawingError.h"
#include "spreadsheet/drawing/OfficeArtTypes.h"
#include "spreadsheet/drawing/ShapeLocations.h"
#include "spreadsheet/drawing/ShapeProperties.h"
#include "spreadsheet/drawing/SheetDrawingCodec.h"

namespace quillora::engine {

namespace {

using namespace officeart;

// The drawing id is the FDG record's 12-bit instance.
constexpr std::uint32_t kMaxDrawingId = 0xFFF;
constexpr std::uint16_t kFspVersion = 2;
constexpr std::uint16_t kFspgrVersion = 1;

OfficeArtRecord Fsp(std::uint16_t shapeType, std::uint32_t shapeId, std::uint32_t flags) {
  std::vector<std::uint8_t> data;
  Put32(data, shapeId);
  Put32(data, flags);
  return MakeOfficeArtAtom(kFsp, kFspVersion, shapeType, std::move(data));
}

ShapeProperty Flag(std::uint16_t id, std::uint32_t value) { return {id, false, false, value, {}}; }

ShapeProperty Text(std::uint16_t id, const std::string& text, const char* what) {
  auto data = drawing::ToUtf16Z(text, what);
  const auto size = static_cast<std::uint32_t>(data.size());
  return {id, false, true, size, std::move(data)};
}

OfficeArtRecord PictureProperties(const SheetPicture& picture) {
  std::vector<ShapeProperty> properties = {
      Flag(kPropProtection, 0x00800080),  // aspect ratio locked
      {kPropPib, true, false, static_cast<std::uint32_t>(picture.blipIndex), {}},
      Flag(kPropFillBooleans, 0x00100000),  // not filled
      Flag(kPropLineBooleans, 0x00080000),  // no outline
  };
  if (!picture.name.empty()) properties.push_back(Text(kPropName, picture.name, "picture name"));
  if (!picture.description.empty())
    properties.push_back(Text(kPropDescription, picture.description, "picture description"));
  properties.push_back(Flag(kPropGroupBooleans, 0x00020000));  // not hidden
  return EncodeShapeProperties(properties);
}

OfficeArtRecord AnchorRecord(const Anchor& anchor) {
  std::vector<std::uint8_t> data;
  for (std::uint16_t value :
       {anchor.flags, anchor.col1, static_cast<std::uint16_t>(anchor.dx1), anchor.row1,
        static_cast<std::uint16_t>(anchor.dy1), anchor.col2, static_cast<std::uint16_t>(anchor.dx2),
        anchor.row2, static_cast<std::uint16_t>(anchor.dy2)})
    Put16(data, value);
  return MakeOfficeArtAtom(kClientAnchor, 0, 0, std::move(data));
}

OfficeArtRecord PictureShape(const SheetPicture& picture) {
  return MakeOfficeArtContainer(
      kSpContainer, 0,
      {Fsp(kShapePictureFrame, picture.shapeId, kFspHaveAnchor | kFspHaveSpt),
       PictureProperties(picture), AnchorRecord(picture.anchor),
       MakeOfficeArtAtom(kClientData, 0, 0, {})});
}

void Validate(const SheetDrawing& sheet) {
  if (sheet.drawingId < 1 || sheet.drawingId > kMaxDrawingId)
    throw DrawingError("drawing id " + std::to_string(sheet.drawingId) + " is outside 1.." +
                       std::to_string(kMaxDrawingId));
  const std::uint32_t first = FirstShapeId(sheet.drawingId);
  std::set<std::uint32_t> seen;
  for (const auto& picture : sheet.pictures) {
    if (picture.shapeId <= first || picture.shapeId >= first + kShapeIdsPerCluster)
      throw DrawingError("picture \"" + picture.name + "\" has shape id " + std::to_string(picture.shapeId) +
                         ", outside " + std::to_string(first + 1) + ".." +
                         std::to_string(first + kShapeIdsPerCluster - 1));
    if (!seen.insert(picture.shapeId).second)
      throw DrawingError("two pictures share shape id " + std::to_string(picture.shapeId));
    if (picture.blipIndex < 1)
      throw DrawingError("picture \"" + picture.name + "\" has no stored picture (index " +
                         std::to_string(picture.blipIndex) + ")");
  }
}

}  // namespace

std::vector<DrawingRecord> WriteSheetDrawing(const SheetDrawing& sheet) {
  if (sheet.pictures.empty()) return {};
  Validate(sheet);
  const std::uint32_t first = FirstShapeId(sheet.drawingId);

  std::vector<std::uint8_t> fdg;
  Put32(fdg, static_cast<std::uint32_t>(sheet.pictures.size()) + 1);
  Put32(fdg, NextShapeId(sheet) - 1);

  std::vector<OfficeArtRecord> shapes = {MakeOfficeArtContainer(
      kSpContainer, 0,
      {MakeOfficeArtAtom(kFspgr, kFspgrVersion, 0, std::vector<std::uint8_t>(16, 0)),
       Fsp(0, first, kFspGroup | kFspPatriarch)})};
  for (const auto& picture : sheet.pictures) shapes.push_back(PictureShape(picture));

  const OfficeArtRecord dg = MakeOfficeArtContainer(
      kDgContainer, 0,
      {MakeOfficeArtAtom(kFdg, 0, static_cast<std::uint16_t>(sheet.drawingId), std::move(fdg)),
       MakeOfficeArtContainer(kSpgrContainer, 0, std::move(shapes))});

  std::vector<std::uint8_t> stream;
  AppendOfficeArtRecord(stream, dg);

  // Cut the stream after each picture's client data and put its OBJ record there.
  std::vector<DrawingRecord> out;
  std::size_t begin = 0;
  std::size_t pictureIndex = 0;
  for (const auto& location : drawing::LocateShapes(dg)) {
    if (!location.hasClientData) continue;
    const auto cut = static_cast<std::ptrdiff_t>(location.clientDataEnd);
    out.push_back({DrawingRecordKind::Drawing,
                   {stream.begin() + static_cast<std::ptrdiff_t>(begin), stream.begin() + cut}});
    const auto objectId = sheet.pictures[pictureIndex++].shapeId - first;
    out.push_back({DrawingRecordKind::Object, WritePictureObject(static_cast<std::uint16_t>(objectId))});
    begin = location.clientDataEnd;
  }
  return out;
}

}  // namespace quillora::engine
