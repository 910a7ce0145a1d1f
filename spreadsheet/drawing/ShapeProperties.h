#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "spreadsheet/drawing/OfficeArtRecord.h"

namespace quillora::engine {

// One entry of a shape's property table (OfficeArtFOPT): a 14-bit id, the blip-id and
// complex flags, a 32-bit value and, for complex properties, the extra bytes whose count
// the value gives.
struct ShapeProperty {
  std::uint16_t id = 0;
  bool blipId = false;
  bool complex = false;
  std::uint32_t value = 0;
  std::vector<std::uint8_t> complexData;

  friend bool operator==(const ShapeProperty&, const ShapeProperty&) = default;
};

// Reads the property table of an FOPT record (its instance is the property count).
// Throws DrawingError when the table or its complex data overrun the record.
std::vector<ShapeProperty> DecodeShapeProperties(const OfficeArtRecord& fopt);

// Builds an FOPT record (version 3) from properties in the order given.
OfficeArtRecord EncodeShapeProperties(const std::vector<ShapeProperty>& properties);

const ShapeProperty* FindShapeProperty(const std::vector<ShapeProperty>& properties,
                                       std::uint16_t id);

}  // namespace quillora::engine
