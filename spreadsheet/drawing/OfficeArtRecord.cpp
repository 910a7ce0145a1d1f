#include "spreadsheet/drawing/OfficeArtRecord.h"

#include <limits>
#include <string>

#include "spreadsheet/drawing/DrawingBytes.h"
#include "spreadsheet/drawing/DrawingError.h"

namespace quillora::engine {

namespace {

constexpr std::size_t kHeaderSize = 8;

std::string Hex(std::uint16_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text = "0x";
  for (int shift = 12; shift >= 0; shift -= 4) text += kDigits[value >> shift & 0xF];
  return text;
}

// Parses records from bytes[begin, end) at the given depth; `base` is the offset of `bytes`
// in the whole input, for messages.
std::vector<OfficeArtRecord> ParseRange(std::span<const std::uint8_t> bytes, std::size_t base,
                                        int depth) {
  if (depth > kOfficeArtMaxDepth)
    throw DrawingError("drawing records are nested deeper than " + std::to_string(kOfficeArtMaxDepth) +
                       " levels at offset " + std::to_string(base));
  std::vector<OfficeArtRecord> records;
  std::size_t offset = 0;
  while (offset < bytes.size()) {
    const std::size_t at = base + offset;
    if (bytes.size() - offset < kHeaderSize)
      throw DrawingError("drawing record header at offset " + std::to_string(at) +
                         " is truncated: " + std::to_string(bytes.size() - offset) + " of 8 bytes");
    drawing::ByteCursor header(bytes.subspan(offset, kHeaderSize), "drawing record header");
    const std::uint16_t verInstance = header.U16();
    OfficeArtRecord record;
    record.version = verInstance & 0xF;
    record.instance = static_cast<std::uint16_t>(verInstance >> 4);
    record.type = header.U16();
    const std::uint32_t length = header.U32();
    offset += kHeaderSize;
    if (length > bytes.size() - offset)
      throw DrawingError("drawing record " + Hex(record.type) + " at offset " + std::to_string(at) + " claims " +
                         std::to_string(length) + " bytes but only " + std::to_string(bytes.size() - offset) +
                         " remain in its parent");
    const auto body = bytes.subspan(offset, length);
    if (record.IsContainer())
      record.children = ParseRange(body, base + offset, depth + 1);
    else
      record.data.assign(body.begin(), body.end());
    offset += length;
    records.push_back(std::move(record));
  }
  return records;
}

}  // namespace

std::vector<OfficeArtRecord> ParseOfficeArtRecords(std::span<const std::uint8_t> bytes) {
  return ParseRange(bytes, 0, 1);
}

std::size_t OfficeArtRecordSize(const OfficeArtRecord& record) {
  std::size_t size = kHeaderSize;
  if (record.IsContainer()) {
    for (const auto& child : record.children) size += OfficeArtRecordSize(child);
  } else {
    size += record.data.size();
  }
  return size;
}

void AppendOfficeArtRecord(std::vector<std::uint8_t>& out, const OfficeArtRecord& record) {
  if (record.version > 0xF || record.instance > 0xFFF)
    throw DrawingError("drawing record " + Hex(record.type) + " has a version or instance out of range");
  const std::size_t length = OfficeArtRecordSize(record) - kHeaderSize;
  if (length > std::numeric_limits<std::uint32_t>::max())
    throw DrawingError("drawing record " + Hex(record.type) + " is larger than 4 GB");
  Put16(out, static_cast<std::uint16_t>(record.version | record.instance << 4));
  Put16(out, record.type);
  Put32(out, static_cast<std::uint32_t>(length));
  if (record.IsContainer()) {
    for (const auto& child : record.children) AppendOfficeArtRecord(out, child);
  } else {
    PutBytes(out, record.data);
  }
}

std::vector<std::uint8_t> SerializeOfficeArtRecords(std::span<const OfficeArtRecord> records) {
  std::vector<std::uint8_t> out;
  for (const auto& record : records) AppendOfficeArtRecord(out, record);
  return out;
}

OfficeArtRecord MakeOfficeArtAtom(std::uint16_t type, std::uint16_t version,
                                  std::uint16_t instance, std::vector<std::uint8_t> data) {
  OfficeArtRecord record;
  record.type = type;
  record.version = version;
  record.instance = instance;
  record.data = std::move(data);
  return record;
}

OfficeArtRecord MakeOfficeArtContainer(std::uint16_t type, std::uint16_t instance,
                                       std::vector<OfficeArtRecord> children) {
  OfficeArtRecord record;
  record.type = type;
  record.version = OfficeArtRecord::kContainerVersion;
  record.instance = instance;
  record.children = std::move(children);
  return record;
}

const OfficeArtRecord* FindOfficeArtChild(const OfficeArtRecord& parent, std::uint16_t type) {
  for (const auto& child : parent.children)
    if (child.type == type) return &child;
  return nullptr;
}

}  // namespace quillora::engine
