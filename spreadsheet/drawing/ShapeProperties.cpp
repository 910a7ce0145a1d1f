#include "spreadsheet/drawing/ShapeProperties.h"

#include <string>

#include "spreadsheet/drawing/DrawingBytes.h"
#include "spreadsheet/drawing/DrawingError.h"
#include "spreadsheet/drawing/OfficeArtTypes.h"

namespace quillora::engine {

namespace {

constexpr std::uint16_t kIdMask = 0x3FFF;
constexpr std::uint16_t kBlipIdBit = 0x4000;
constexpr std::uint16_t kComplexBit = 0x8000;
constexpr std::uint16_t kFoptVersion = 3;

}  // namespace

std::vector<ShapeProperty> DecodeShapeProperties(const OfficeArtRecord& fopt) {
  if (fopt.type != officeart::kFopt || fopt.IsContainer())
    throw DrawingError("expected a shape property table (0xF00B)");
  drawing::ByteCursor cursor(fopt.data, "shape property table");
  const std::size_t count = fopt.instance;
  if (count * 6 > fopt.data.size())
    throw DrawingError("shape property table lists " + std::to_string(count) + " properties but holds only " +
                       std::to_string(fopt.data.size()) + " bytes");
  std::vector<ShapeProperty> properties(count);
  for (auto& property : properties) {
    const std::uint16_t opid = cursor.U16();
    property.id = opid & kIdMask;
    property.blipId = (opid & kBlipIdBit) != 0;
    property.complex = (opid & kComplexBit) != 0;
    property.value = cursor.U32();
  }
  for (auto& property : properties) {
    if (!property.complex) continue;
    if (property.value > cursor.Remaining())
      throw DrawingError("complex data of shape property " + std::to_string(property.id) + " (" +
                         std::to_string(property.value) + " bytes) overruns its table");
    const auto bytes = cursor.Bytes(property.value);
    property.complexData.assign(bytes.begin(), bytes.end());
  }
  return properties;
}

OfficeArtRecord EncodeShapeProperties(const std::vector<ShapeProperty>& properties) {
  if (properties.size() > 0xFFF) throw DrawingError("too many shape properties");
  std::vector<std::uint8_t> data;
  for (const auto& property : properties) {
    if (property.id > kIdMask) throw DrawingError("shape property id out of range");
    if (property.complex && property.value != property.complexData.size())
      throw DrawingError("complex shape property " + std::to_string(property.id) +
                         " has a length that does not match its data");
    Put16(data, static_cast<std::uint16_t>(property.id | (property.blipId ? kBlipIdBit : 0) |
                                           (property.complex ? kComplexBit : 0)));
    Put32(data, property.value);
  }
  for (const auto& property : properties)
    if (property.complex) PutBytes(data, property.complexData);
  return MakeOfficeArtAtom(officeart::kFopt, kFoptVersion,
                           static_cast<std::uint16_t>(properties.size()), std::move(data));
}

const ShapeProperty* FindShapeProperty(const std::vector<ShapeProperty>& properties,
                                       std::uint16_t id) {
  for (const auto& property : properties)
    if (property.id == id) return &property;
  return nullptr;
}

}  // namespace quillora::engine
