// The compound file reader on arbitrary bytes: it reads the streams or refuses the file
// with CompoundFileError; it never crashes, loops or reads outside the input.
#include <cstdint>
#include <span>

#include "spreadsheet/cfb/CompoundFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const quillora::engine::CompoundFileReader reader(std::span<const std::uint8_t>(data, size));
    for (const std::string& name : reader.StreamNames()) (void)reader.ReadStream(name);
  } catch (const quillora::engine::CompoundFileError&) {
  }
  return 0;
}
