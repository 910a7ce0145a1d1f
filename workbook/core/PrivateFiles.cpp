#include "workbook/core/PrivateFiles.h"

#include <cerrno>
#include <stdexcept>
#include <system_error>

#include "workbook/core/FileHelpers.h"

namespace quillora {
namespace {

// Removes the directory entry itself; a link goes, its target stays.
void RemoveEntry(const std::filesystem::path& path) {
  std::error_code error;
  const auto status = std::filesystem::symlink_status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return;
  if (status.type() == std::filesystem::file_type::directory)
    throw std::runtime_error("Cannot replace " + path.string() + ": it is a folder");
  if (!std::filesystem::remove(path, error) && error)
    throw std::runtime_error(SystemFailure("Cannot remove", path, error.value()));
}

}  // namespace

void ProvideTemplateCopy(std::span<const std::uint8_t> bytes, const std::filesystem::path& path) {
  if (IsOwnRegularFile(path)) return;
  WriteFreshFile(bytes, path);
}

void WriteFreshFile(std::span<const std::uint8_t> bytes, const std::filesystem::path& path) {
  RemoveEntry(path);
  WriteBytesToFile(bytes, path);
}

bool NameTaken(const std::filesystem::path& path) noexcept {
  std::error_code error;
  const auto status = std::filesystem::symlink_status(path, error);
  // An entry that cannot be looked at counts as taken: the run never guesses.
  if (error) return error != std::errc::no_such_file_or_directory;
  return status.type() != std::filesystem::file_type::not_found;
}

}  // namespace quillora
