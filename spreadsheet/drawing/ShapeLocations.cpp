#include "spreadsheet/drawing/ShapeLocations.h"

#include "spreadsheet/drawing/OfficeArtTypes.h"

namespace quillora::engine::drawing {

namespace {

constexpr std::size_t kHeaderSize = 8;

// `groupDepth` counts the group containers around `record`.
void Walk(const OfficeArtRecord& record, std::size_t offset, int groupDepth,
          std::vector<ShapeLocation>& out) {
  if (!record.IsContainer()) return;
  if (record.type == officeart::kSpContainer) {
    ShapeLocation location{&record, 0, false, groupDepth == 1};
    std::size_t childOffset = offset + kHeaderSize;
    for (const auto& child : record.children) {
      childOffset += OfficeArtRecordSize(child);
      if (child.type == officeart::kClientData) {
        location.clientDataEnd = childOffset;
        location.hasClientData = true;
      }
    }
    out.push_back(location);
    return;
  }
  const int depth = groupDepth + (record.type == officeart::kSpgrContainer ? 1 : 0);
  std::size_t childOffset = offset + kHeaderSize;
  for (const auto& child : record.children) {
    Walk(child, childOffset, depth, out);
    childOffset += OfficeArtRecordSize(child);
  }
}

}  // namespace

std::vector<ShapeLocation> LocateShapes(const OfficeArtRecord& drawing) {
  std::vector<ShapeLocation> out;
  Walk(drawing, 0, 0, out);
  return out;
}

}  // namespace quillora::engine::drawing
