#include "workbook/core/PrivateFiles.h"

#include <system_error>

#include "spreadsheet/base/FileError.h"
#include "spreadsheet/base/FileKind.h"
#include "workbook/core/FileHelpers.h"

namespace quillora {

void RemoveDirectoryEntry(const std::filesystem::path& path) {
  std::error_code error;
  const auto status = std::filesystem::symlink_status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return;
  if (status.type() == std::filesystem::file_type::directory)
    throw base::FileError(path, "is a folder; it is not replaced");
  if (!std::filesystem::remove(path, error) && error)
    throw base::FileError(path, "cannot remove it: " + error.message());
}

void ProvideTemplateCopy(std::span<const std::uint8_t> bytes, const std::filesystem::path& path) {
  if (base::IsOwnRegularFile(path)) return;
  WriteFreshFile(bytes, path);
}

void WriteFreshFile(std::span<const std::uint8_t> bytes, const std::filesystem::path& path) {
  RemoveDirectoryEntry(path);
  WriteBytesToFile(bytes, path);
}

}  // namespace quillora
