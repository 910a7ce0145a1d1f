#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quillora::engine {

// One record of an OfficeArt (drawing) record tree: an 8-byte header (version 4 bits,
// instance 12 bits, type 16 bits, length 32 bits) and either a payload (an atom) or child
// records (a container, version 0xF). Records the engine does not interpret keep their
// payload bytes unchanged, so a tree written back is byte for byte what was read.
struct OfficeArtRecord {
  std::uint16_t version = 0;
  std::uint16_t instance = 0;
  std::uint16_t type = 0;
  std::vector<std::uint8_t> data;           // atoms only
  std::vector<OfficeArtRecord> children;    // containers only

  bool IsContainer() const { return version == kContainerVersion; }
  friend bool operator==(const OfficeArtRecord&, const OfficeArtRecord&) = default;

  static constexpr std::uint16_t kContainerVersion = 0xF;
};

// Deepest nesting accepted from a file; real drawings need fewer than ten levels.
inline constexpr int kOfficeArtMaxDepth = 24;

// Parses a sequence of records filling `bytes` exactly. Throws DrawingError on a
// truncated header, a length that overruns its parent, children that do not fill their
// container, or nesting deeper than kOfficeArtMaxDepth.
std::vector<OfficeArtRecord> ParseOfficeArtRecords(std::span<const std::uint8_t> bytes);

// Size of the record as stored, header included.
std::size_t OfficeArtRecordSize(const OfficeArtRecord& record);

// Appends the stored form of a record (header, then payload or children).
void AppendOfficeArtRecord(std::vector<std::uint8_t>& out, const OfficeArtRecord& record);
std::vector<std::uint8_t> SerializeOfficeArtRecords(std::span<const OfficeArtRecord> records);

// Building blocks for writers.
OfficeArtRecord MakeOfficeArtAtom(std::uint16_t type, std::uint16_t version,
                                  std::uint16_t instance, std::vector<std::uint8_t> data);
OfficeArtRecord MakeOfficeArtContainer(std::uint16_t type, std::uint16_t instance,
                                       std::vector<OfficeArtRecord> children);

// The first direct child of `parent` with the given type, or nullptr.
const OfficeArtRecord* FindOfficeArtChild(const OfficeArtRecord& parent, std::uint16_t type);

}  // namespace quillora::engine
