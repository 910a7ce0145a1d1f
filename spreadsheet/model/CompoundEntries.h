#pragma once
// The streams and storages of a compound file as the workbook keeps them: plain data, so the
// workbook can hold the parts of its file it does not read and write them back unchanged.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quillora::engine {

// One stream of a compound file. Names are UTF-8 as stored (control characters allowed,
// e.g. "\x05...").
struct CompoundStream {
  std::string name;
  std::vector<std::uint8_t> data;
  // The storages above the stream, outermost first; empty for a stream below the root.
  std::vector<std::string> storage{};
  friend bool operator==(const CompoundStream&, const CompoundStream&) = default;
};

// A storage (a folder of streams and storages) below the root: its path, outermost first,
// ending with its own name, and its class identifier.
struct CompoundStorage {
  std::vector<std::string> path;
  std::array<std::uint8_t, 16> classId{};
  friend bool operator==(const CompoundStorage&, const CompoundStorage&) = default;
};

}  // namespace quillora::engine
