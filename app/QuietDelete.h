#pragma once

#include <filesystem>

namespace quillora {

// Deletes one file and never reports: pending window events run first, then the file is
// removed; when that fails the file is made writable and removal is tried once more.
// A missing file, a file in a read-only folder and any other failure end silently.
void DeleteFileQuietly(const std::filesystem::path& path) noexcept;

}  // namespace quillora
