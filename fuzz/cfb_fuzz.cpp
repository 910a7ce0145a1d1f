// The compound file reader on arbitrary bytes: it reads the streams, storages and the
// streams inside them, or refuses the file with CompoundFileError; it never crashes, loops or
// reads outside the input. What it reads, the writer writes and the reader reads back the same.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "spreadsheet/cfb/CompoundFile.h"

using quillora::engine::CompoundFileError;
using quillora::engine::CompoundFileReader;
using quillora::engine::CompoundStream;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<CompoundStream> streams;
  std::vector<quillora::engine::CompoundStorage> storages;
  try {
    const CompoundFileReader reader(std::span<const std::uint8_t>(data, size));
    for (const std::string& name : reader.StreamNames())
      if (auto bytes = reader.ReadStream(name)) streams.push_back({name, std::move(*bytes)});
    storages = reader.Storages();
    for (CompoundStream& nested : reader.NestedStreams()) streams.push_back(std::move(nested));
  } catch (const CompoundFileError&) {
    return 0;
  }
  std::vector<std::uint8_t> written;
  try {
    written = quillora::engine::WriteCompoundFile(streams, storages);
  } catch (const CompoundFileError&) {
    return 0;  // names the writer refuses: too long, or used twice
  }
  const CompoundFileReader again(written);
  if (again.Storages() != storages) std::abort();
  std::size_t nested = 0;
  for (const CompoundStream& stream : streams) {
    if (!stream.storage.empty()) {
      ++nested;
      continue;
    }
    if (again.ReadStream(stream.name) != stream.data) std::abort();
  }
  if (again.NestedStreams().size() != nested) std::abort();
  return 0;
}
