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

constexpr std::size_t kAnchorSize = 18;

struct ObjectAt {
  std::size_t offset;
  DrawingObject object;
};

Anchor ReadAnchor(const OfficeArtRecord& record, std::uint32_t shapeId) {
  if (record.IsContainer() || record.data.size() != kAnchorSize)
    throw DrawingError("cell anchor of shape " + std::to_string(shapeId) + " is " + std::to_string(record.data.size()) +
                       " bytes, expected 18");
  drawing::ByteCursor cursor(record.data, "cell anchor");
  Anchor anchor;
  anchor.flags = cursor.U16();
  anchor.col1 = cursor.U16();
  anchor.dx1 = cursor.I16();
  anchor.row1 = cursor.U16();
  anchor.dy1 = cursor.I16();
  anchor.col2 = cursor.U16();
  anchor.dx2 = cursor.I16();
  anchor.row2 = cursor.U16();
  anchor.dy2 = cursor.I16();
  return anchor;
}

std::string TextProperty(const std::vector<ShapeProperty>& properties, std::uint16_t id) {
  const ShapeProperty* property = FindShapeProperty(properties, id);
  return property != nullptr && property->complex ? drawing::FromUtf16(property->complexData)
                                                  : std::string();
}

// The picture a shape container describes, when it is a top-level picture frame with a
// stored picture and a cell anchor.
std::optional<SheetPicture> ReadPicture(const drawing::ShapeLocation& location,
                                        std::uint16_t shapeType, std::uint32_t shapeId) {
  const OfficeArtRecord& shape = *location.shape;
  const OfficeArtRecord* fopt = FindOfficeArtChild(shape, kFopt);
  const OfficeArtRecord* anchor = FindOfficeArtChild(shape, kClientAnchor);
  if (!location.topLevel || shapeType != kShapePictureFrame || fopt == nullptr ||
      anchor == nullptr)
    return std::nullopt;
  const auto properties = DecodeShapeProperties(*fopt);
  const ShapeProperty* pib = FindShapeProperty(properties, kPropPib);
  if (pib == nullptr || pib->value == 0 || pib->value > 0x7FFFFFFF) return std::nullopt;
  SheetPicture picture;
  picture.name = TextProperty(properties, kPropName);
  picture.description = TextProperty(properties, kPropDescription);
  picture.blipIndex = static_cast<int>(pib->value);
  picture.anchor = ReadAnchor(*anchor, shapeId);
  picture.shapeId = shapeId;
  return picture;
}

}  // namespace

SheetDrawingRead ReadSheetDrawing(std::span<const DrawingRecord> records) {
  std::vector<std::uint8_t> stream;
  std::vector<ObjectAt> objects;
  for (const auto& record : records) {
    if (record.kind == DrawingRecordKind::Drawing)
      stream.insert(stream.end(), record.payload.begin(), record.payload.end());
    else if (record.kind == DrawingRecordKind::Object)
      objects.push_back({stream.size(), ReadDrawingObject(record.payload)});
  }

  SheetDrawingRead result;
  result.records = ParseOfficeArtRecords(stream);
  if (result.records.size() != 1 || result.records.front().type != kDgContainer ||
      !result.records.front().IsContainer())
    throw DrawingError("sheet drawing is not a single drawing container (0xF002)");
  const OfficeArtRecord& dg = result.records.front();
  const OfficeArtRecord* fdg = FindOfficeArtChild(dg, kFdg);
  if (fdg == nullptr || fdg->IsContainer() || fdg->data.size() < 8)
    throw DrawingError("sheet drawing has no complete drawing record (0xF008)");
  result.drawing.drawingId = fdg->instance;

  const auto locations = drawing::LocateShapes(dg);
  result.shapes.resize(locations.size());
  for (auto& [offset, object] : objects) {
    std::size_t match = locations.size();
    for (std::size_t i = 0; i < locations.size(); ++i)
      if (locations[i].hasClientData && locations[i].clientDataEnd == offset) match = i;
    if (match == locations.size())
      throw DrawingError("object record at drawing offset " + std::to_string(offset) +
                         " does not follow a shape's client data");
    if (result.shapes[match].object)
      throw DrawingError("two object records follow one shape at drawing offset " + std::to_string(offset));
    result.shapes[match].object = std::move(object);
  }

  for (std::size_t i = 0; i < locations.size(); ++i) {
    const OfficeArtRecord* fsp = FindOfficeArtChild(*locations[i].shape, kFsp);
    if (fsp == nullptr || fsp->IsContainer() || fsp->data.size() < 8)
      throw DrawingError("a shape of the sheet drawing has no complete shape record");
    drawing::ByteCursor cursor(fsp->data, "shape record");
    const std::uint32_t shapeId = cursor.U32();
    const std::uint32_t flags = cursor.U32();
    result.shapes[i].shapeId = shapeId;
    result.shapes[i].shapeType = fsp->instance;
    if (flags & kFspPatriarch) continue;
    if (auto picture = ReadPicture(locations[i], fsp->instance, shapeId))
      result.drawing.pictures.push_back(std::move(*picture));
    else
      ++result.otherShapes;
  }
  return result;
}

}  // namespace quillora::engine
