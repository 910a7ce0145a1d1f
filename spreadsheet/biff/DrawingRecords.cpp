#include "spreadsheet/biff/DrawingRecords.h"

#include <algorithm>
#include <optional>
#include <set>
#include <string>

#include "spreadsheet/biff/RecordTypes.h"
#include "spreadsheet/drawing/DrawingError.h"
#include "spreadsheet/drawing/PictureStore.h"

namespace quillora::engine {
namespace {

constexpr std::uint16_t kShapeGroup = 0;
constexpr std::uint16_t kShapePicture = 75;
constexpr std::uint32_t kIdsPerCluster = 1024;

bool IsDrawingRecord(std::uint16_t type) { return type == rt::kMsoDrawing || type == rt::kObj || type == rt::kTxo; }

std::vector<std::uint8_t> Joined(const KeptRecord& record) {
  std::vector<std::uint8_t> bytes = record.data;
  for (const auto& segment : record.continues) bytes.insert(bytes.end(), segment.begin(), segment.end());
  return bytes;
}

// A sheet's drawing found among its kept records: where it lies and its pictures.
struct FoundDrawing {
  std::size_t first = 0, last = 0;
  std::vector<SheetPicture> pictures;
};

// The sheet's pictures when its drawing records form one run that holds only pictures;
// nothing when it has no drawing. Throws DrawingError when the drawing cannot be
// modelled (it is then kept as read).
std::optional<FoundDrawing> FindPictures(const Sheet& sheet) {
  std::optional<FoundDrawing> found;
  for (std::size_t i = 0; i < sheet.kept.size(); ++i) {
    if (!IsDrawingRecord(sheet.kept[i].type)) continue;
    if (!found) found = FoundDrawing{i, i, {}};
    else if (found->last + 1 != i)
      throw DrawingError("drawing records are not one run");
    found->last = i;
  }
  if (!found) return found;
  std::vector<DrawingRecord> records;
  for (std::size_t i = found->first; i <= found->last; ++i) {
    const KeptRecord& r = sheet.kept[i];
    const DrawingRecordKind kind = r.type == rt::kMsoDrawing ? DrawingRecordKind::Drawing
                                   : r.type == rt::kObj      ? DrawingRecordKind::Object
                                                             : DrawingRecordKind::Text;
    records.push_back({kind, Joined(r)});
  }
  SheetDrawingRead read = ReadSheetDrawing(records);
  const bool only_pictures = read.otherShapes == 0 && std::all_of(read.shapes.begin(), read.shapes.end(), [](const DrawingShape& s) {
                               return s.shapeType == kShapeGroup || s.shapeType == kShapePicture;
                             });
  if (!only_pictures || read.drawing.pictures.empty()) throw DrawingError("the drawing holds other shapes");
  found->pictures = std::move(read.drawing.pictures);
  return found;
}

}  // namespace

void ModelDrawings(Workbook& book) {
  const auto group = std::find_if(book.kept.begin(), book.kept.end(),
                                  [](const KeptRecord& r) { return r.type == rt::kMsoDrawingGroup; });
  if (group == book.kept.end()) return;
  std::vector<std::optional<FoundDrawing>> found(book.sheets.size());
  DrawingGroup decoded;
  try {
    for (std::size_t s = 0; s < book.sheets.size(); ++s)
      if (!book.sheets[s].opaque) found[s] = FindPictures(book.sheets[s]);
    decoded = ReadDrawingGroup(Joined(*group));
  } catch (const DrawingError&) {
    return;  // a drawing this model does not cover: every drawing record stays as read
  }
  bool any = false;
  for (const auto& drawing : found) {
    if (!drawing) continue;
    any = true;
    for (const SheetPicture& picture : drawing->pictures)
      if (picture.blipIndex < 1 || static_cast<std::size_t>(picture.blipIndex) > decoded.pictures.blips.size()) return;
  }
  if (!any) return;
  book.pictures = std::move(decoded.pictures);
  book.kept.erase(group);
  for (std::size_t s = 0; s < book.sheets.size(); ++s) {
    if (!found[s]) continue;
    Sheet& sheet = book.sheets[s];
    sheet.pictures = std::move(found[s]->pictures);
    sheet.kept.erase(sheet.kept.begin() + static_cast<std::ptrdiff_t>(found[s]->first),
                     sheet.kept.begin() + static_cast<std::ptrdiff_t>(found[s]->last + 1));
  }
}

DrawingOutput PrepareDrawings(const Workbook& book) {
  DrawingOutput out;
  out.sheets.resize(book.sheets.size());
  std::vector<SheetDrawing> drawings;
  std::vector<std::size_t> owners;
  for (std::size_t s = 0; s < book.sheets.size(); ++s) {
    const Sheet& sheet = book.sheets[s];
    if (sheet.pictures.empty()) continue;
    SheetDrawing drawing{static_cast<std::uint32_t>(drawings.size() + 1), sheet.pictures};
    const std::uint32_t first = FirstShapeId(drawing.drawingId);
    std::set<std::uint32_t> ids;
    bool valid = true;
    for (const SheetPicture& picture : drawing.pictures) {
      if (picture.blipIndex < 1 || static_cast<std::size_t>(picture.blipIndex) > book.pictures.blips.size())
        throw DrawingError("Picture \"" + picture.name + "\" of sheet \"" + sheet.name + "\" refers to picture " +
                           std::to_string(picture.blipIndex) + " of the store, which has " +
                           std::to_string(book.pictures.blips.size()));
      valid = valid && picture.shapeId > first && picture.shapeId < first + kIdsPerCluster &&
              ids.insert(picture.shapeId).second;
    }
    if (!valid)
      for (std::size_t k = 0; k < drawing.pictures.size(); ++k)
        drawing.pictures[k].shapeId = first + 1 + static_cast<std::uint32_t>(k);
    drawings.push_back(std::move(drawing));
    owners.push_back(s);
  }
  if (drawings.empty()) return out;
  const bool raw = std::any_of(book.kept.begin(), book.kept.end(),
                               [](const KeptRecord& r) { return r.type == rt::kMsoDrawingGroup; });
  if (raw)
    throw DrawingError("Pictures cannot be added to this workbook: its drawings hold shapes that are kept as read");
  out.group = WriteDrawingGroup(book.pictures, drawings);
  for (std::size_t k = 0; k < drawings.size(); ++k) out.sheets[owners[k]] = WriteSheetDrawing(drawings[k]);
  return out;
}

}  // namespace quillora::engine
