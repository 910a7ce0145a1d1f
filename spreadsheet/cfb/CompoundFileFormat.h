#pragma once
// The numbers of the compound file format its reader and writer share: the signature, sector
// sizes, the special sector numbers of the allocation table and the header's fixed counts.
#include <array>
#include <cstddef>
#include <cstdint>

namespace quillora::engine::compound {

inline constexpr std::array<std::uint8_t, 8> kSignature = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
inline constexpr std::uint32_t kSectorSize = 512;  // version 3; version 4 files use 4096
inline constexpr std::uint32_t kMiniSectorSize = 64;
inline constexpr std::uint32_t kMiniCutoff = 4096;  // smaller streams live in the mini stream

// Allocation table entries above the last regular sector number.
inline constexpr std::uint32_t kMaxRegularSector = 0xFFFFFFFA;
inline constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
inline constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
inline constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
inline constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
inline constexpr std::uint32_t kNoStream = 0xFFFFFFFF;  // a directory entry's missing sibling or child

inline constexpr std::size_t kHeaderDifatEntries = 109;  // allocation table sectors the header lists
inline constexpr std::size_t kDirectoryEntrySize = 128;

}  // namespace quillora::engine::compound
