#include "spreadsheet/drawing/PictureStore.h"

#include <algorithm>
#include <string>

#include "spreadsheet/drawing/DrawingBytes.h"
#include "spreadsheet/drawing/DrawingError.h"
#include "spreadsheet/drawing/Md4.h"
#include "spreadsheet/drawing/OfficeArtRecord.h"
#include "spreadsheet/drawing/OfficeArtTypes.h"
#include "spreadsheet/drawing/ShapeProperties.h"

namespace quillora::engine {

namespace {

using namespace officeart;

constexpr std::size_t kUidSize = 16;
constexpr std::uint16_t kFbseVersion = 2;
constexpr std::uint8_t kBlipTag = 0xFF;

struct BlipFormat {
  BlipKind kind;
  std::uint8_t blipType;
  std::uint16_t recordType;
  std::uint16_t instance;  // with one uid; instance + 1 carries two
};

constexpr BlipFormat kFormats[] = {
    {BlipKind::Jpeg, kBlipTypeJpeg, kBlipJpeg, kJpegInstance},
    {BlipKind::Png, kBlipTypePng, kBlipPng, kPngInstance},
};

const BlipFormat& FormatOf(BlipKind kind) {
  for (const auto& format : kFormats)
    if (format.kind == kind) return format;
  throw DrawingError("picture kind has no stored format");
}

// ---- reading ----

Blip ReadStoreEntry(const OfficeArtRecord& fbse, std::size_t index) {
  const std::string what = "picture store entry " + std::to_string(index);
  if (fbse.type != kFbse || fbse.IsContainer()) throw DrawingError(what + " is not a store entry record (0xF007)");
  drawing::ByteCursor cursor(fbse.data, what);
  const std::uint8_t blipType = cursor.U8();
  cursor.Skip(1 + kUidSize + 2 + 4 + 4 + 4 + 1);  // btMacOS .. unused1
  const std::uint8_t nameLength = cursor.U8();
  cursor.Skip(2 + nameLength);
  const Blip other{BlipKind::Other, fbse.data};
  if (cursor.Remaining() == 0) return other;  // the picture lives outside this stream

  const auto records = ParseOfficeArtRecords(cursor.Bytes(cursor.Remaining()));
  if (records.size() != 1)
    throw DrawingError(what + " holds " + std::to_string(records.size()) + " picture records instead of one");
  const OfficeArtRecord& blip = records.front();
  for (const auto& format : kFormats) {
    if (format.blipType != blipType || format.recordType != blip.type || blip.IsContainer())
      continue;
    if (blip.instance != format.instance && blip.instance != format.instance + 1) continue;
    const std::size_t header = kUidSize * (blip.instance == format.instance ? 1 : 2) + 1;
    if (blip.data.size() < header) throw DrawingError(what + " has a picture record shorter than its header");
    return Blip{format.kind, std::vector<std::uint8_t>(
                                 blip.data.begin() + static_cast<std::ptrdiff_t>(header),
                                 blip.data.end())};
  }
  return other;
}

// ---- writing ----

std::vector<std::uint8_t> StoreEntryData(const Blip& blip, std::uint32_t references) {
  if (blip.kind == BlipKind::Other) return blip.bytes;
  const BlipFormat& format = FormatOf(blip.kind);
  const auto uid = Md4Digest(blip.bytes);

  std::vector<std::uint8_t> blipData(uid.begin(), uid.end());
  Put8(blipData, kBlipTag);
  PutBytes(blipData, blip.bytes);
  std::vector<std::uint8_t> embedded;
  AppendOfficeArtRecord(embedded,
                        MakeOfficeArtAtom(format.recordType, 0, format.instance, std::move(blipData)));

  std::vector<std::uint8_t> data;
  Put8(data, format.blipType);  // btWin32
  Put8(data, format.blipType);  // btMacOS
  PutBytes(data, uid);
  Put16(data, kBlipTag);
  Put32(data, static_cast<std::uint32_t>(embedded.size()));
  Put32(data, references);
  Put32(data, 0);  // foDelay: the picture follows in this record
  Put32(data, 0);  // unused1, cbName (no name), unused2, unused3
  PutBytes(data, embedded);
  return data;
}

OfficeArtRecord Fdgg(std::span<const SheetDrawing> drawings) {
  std::uint32_t maxShapeId = FirstShapeId(1);
  std::uint32_t shapes = 0;
  std::vector<std::uint8_t> clusters;
  for (const auto& drawing : drawings) {
    const std::uint32_t next = NextShapeId(drawing);
    maxShapeId = std::max(maxShapeId, next);
    shapes += static_cast<std::uint32_t>(drawing.pictures.size()) + 1;
    Put32(clusters, drawing.drawingId);
    Put32(clusters, next - FirstShapeId(drawing.drawingId));
  }
  std::vector<std::uint8_t> data;
  Put32(data, maxShapeId);
  Put32(data, static_cast<std::uint32_t>(drawings.size()) + 1);
  Put32(data, shapes);
  Put32(data, static_cast<std::uint32_t>(drawings.size()));
  PutBytes(data, clusters);
  return MakeOfficeArtAtom(kFdgg, 0, 0, std::move(data));
}

// The default shape properties and split-menu colours every drawing group carries.
std::vector<OfficeArtRecord> Defaults() {
  const std::vector<ShapeProperty> properties = {
      {kPropTextBooleans, false, false, 0x00080008, {}},  // fit shape to text
      {kPropFillColor, false, false, 0x08000041, {}},
      {kPropLineColor, false, false, 0x08000040, {}},
  };
  std::vector<std::uint8_t> colors;
  for (std::uint32_t color : {0x0800000Du, 0x0800000Cu, 0x08000017u, 0x100000F7u}) Put32(colors, color);
  return {EncodeShapeProperties(properties),
          MakeOfficeArtAtom(kSplitMenuColors, 0, 4, std::move(colors))};
}

}  // namespace

DrawingGroup ReadDrawingGroup(std::span<const std::uint8_t> payload) {
  const auto records = ParseOfficeArtRecords(payload);
  if (records.size() != 1 || records.front().type != kDggContainer ||
      !records.front().IsContainer())
    throw DrawingError("drawing group is not a single drawing-group container (0xF000)");
  const OfficeArtRecord& dgg = records.front();

  const OfficeArtRecord* fdgg = FindOfficeArtChild(dgg, kFdgg);
  if (fdgg == nullptr || fdgg->IsContainer()) throw DrawingError("drawing group has no shape-id record (0xF006)");
  DrawingGroup group;
  drawing::ByteCursor cursor(fdgg->data, "drawing group shape-id record");
  group.maxShapeId = cursor.U32();
  const std::uint32_t clusterCount = cursor.U32();
  group.savedShapes = cursor.U32();
  group.savedDrawings = cursor.U32();
  if (clusterCount == 0 || (clusterCount - 1) > cursor.Remaining() / 8)
    throw DrawingError("drawing group lists " + std::to_string(clusterCount) +
                       " shape-id clusters (plus one) but has room for " + std::to_string(cursor.Remaining() / 8));
  for (std::uint32_t i = 1; i < clusterCount; ++i) {
    ShapeIdCluster cluster;
    cluster.drawingId = cursor.U32();
    cluster.idsUsed = cursor.U32();
    group.clusters.push_back(cluster);
  }

  if (const OfficeArtRecord* store = FindOfficeArtChild(dgg, kBStoreContainer)) {
    if (!store->IsContainer()) throw DrawingError("drawing group's picture store is not a container");
    for (std::size_t i = 0; i < store->children.size(); ++i)
      group.pictures.blips.push_back(ReadStoreEntry(store->children[i], i + 1));
  }
  return group;
}

std::vector<std::uint8_t> WriteDrawingGroup(const PictureStore& store,
                                            std::span<const SheetDrawing> drawings) {
  if (store.blips.empty() && drawings.empty()) return {};
  if (store.blips.size() > 0xFFF) throw DrawingError("the picture store holds more than 4095 pictures");

  std::vector<std::uint32_t> references(store.blips.size(), 0);
  for (const auto& drawing : drawings)
    for (const auto& picture : drawing.pictures) {
      if (picture.blipIndex < 1 || static_cast<std::size_t>(picture.blipIndex) > references.size())
        throw DrawingError("picture \"" + picture.name + "\" refers to stored picture " +
                           std::to_string(picture.blipIndex) + " of " + std::to_string(references.size()));
      ++references[static_cast<std::size_t>(picture.blipIndex - 1)];
    }

  std::vector<OfficeArtRecord> children = {Fdgg(drawings)};
  if (!store.blips.empty()) {
    std::vector<OfficeArtRecord> entries;
    for (std::size_t i = 0; i < store.blips.size(); ++i) {
      auto data = StoreEntryData(store.blips[i], references[i]);
      if (data.empty()) throw DrawingError("an unknown picture store entry is empty");
      const std::uint8_t blipType = data.front();
      entries.push_back(MakeOfficeArtAtom(kFbse, kFbseVersion, blipType, std::move(data)));
    }
    const auto count = static_cast<std::uint16_t>(entries.size());
    children.push_back(MakeOfficeArtContainer(kBStoreContainer, count, std::move(entries)));
  }
  for (auto& record : Defaults()) children.push_back(std::move(record));

  std::vector<std::uint8_t> out;
  AppendOfficeArtRecord(out, MakeOfficeArtContainer(kDggContainer, 0, std::move(children)));
  return out;
}

}  // namespace quillora::engine
