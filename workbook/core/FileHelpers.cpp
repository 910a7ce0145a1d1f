#include "workbook/core/FileHelpers.h"

#include "spreadsheet/base/FileKind.h"
#include "spreadsheet/base/NewFile.h"

namespace quillora {

bool FileExists(const std::filesystem::path& path) noexcept { return base::IsRegularFile(path); }

void WriteBytesToFile(std::span<const std::uint8_t> bytes, const std::filesystem::path& path) {
  base::Descriptor file = base::CreateNewFile(path);
  file.WriteAll(bytes);
  file.Close();
}

}  // namespace quillora
