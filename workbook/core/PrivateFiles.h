#pragma once
// The generation run's files in its temporary folder, made so that nothing is ever written
// through a link and no file of someone else is trusted.
#include <cstdint>
#include <filesystem>
#include <span>

namespace quillora {

// Makes `path` hold a template the run may open: a regular file of the user's that is
// already there is kept and used as it is; anything else of that name (a link, a file of
// another user, a folder entry of another kind) is removed and `bytes` are written afresh,
// exclusively. Throws std::runtime_error when the old entry cannot be removed or the new
// file cannot be written.
void ProvideTemplateCopy(std::span<const std::uint8_t> bytes, const std::filesystem::path& path);

// Replaces whatever is at `path` (without following a link) by a new file with `bytes`,
// created exclusively. Throws std::runtime_error with the path and reason.
void WriteFreshFile(std::span<const std::uint8_t> bytes, const std::filesystem::path& path);

// Removes whatever is at `path` without following a link (a link goes, its target stays);
// nothing there is fine. Throws std::runtime_error for a folder or a failed removal.
void RemoveDirectoryEntry(const std::filesystem::path& path);

}  // namespace quillora
