#pragma once
// The file test and the byte writer the windows and the generation run share; both are thin
// names over the file layer in spreadsheet/base.
#include <cstdint>
#include <filesystem>
#include <span>

namespace quillora {

// True when `path` is a regular file (or a link to one); never throws. An empty path, a
// missing file, a path in a missing folder, a folder, a device and a FIFO are all false.
bool FileExists(const std::filesystem::path& path) noexcept;

// Creates `path` exclusively (never through a link, mode 0600) and writes all bytes.
// Refuses an existing file and any link, dangling or not. Throws base::FileError
// ("<path>: <reason>").
void WriteBytesToFile(std::span<const std::uint8_t> bytes, const std::filesystem::path& path);

}  // namespace quillora
