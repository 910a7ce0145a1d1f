// Whatever bytes WriteBytesToFile is given come back unchanged from ReadWholeFile, and a
// second exclusive create of the same name is refused.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "spreadsheet/base/ReadFile.h"
#include "workbook/core/FileHelpers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillora-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    return std::filesystem::path(pattern);
  }();
  const std::filesystem::path file = folder / "file";
  std::filesystem::remove(file);
  quillora::WriteBytesToFile({data, size}, file);
  if (quillora::base::ReadWholeFile(file, quillora::base::kMaxWorkbookBytes) != std::vector<std::uint8_t>(data, data + size)) std::abort();
  try {
    quillora::WriteBytesToFile({data, size}, file);
    std::abort();
  } catch (const std::runtime_error&) {
  }
  return 0;
}
