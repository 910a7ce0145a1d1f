#include "tests/support/FileBytes.h"

#include "spreadsheet/base/ReadFile.h"

namespace quillora::testing {

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  return base::ReadWholeFile(path, base::kMaxWorkbookBytes);
}

}  // namespace quillora::testing
