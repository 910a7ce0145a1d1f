#pragma once
// Whole-file reads and replacing writes for opening and saving workbooks.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quillora::engine::automation {

// The bytes of the regular file at path; std::runtime_error with the system's reason.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path);

// Writes bytes to a new private file beside path (created exclusively, never through a link)
// and renames it over path: path holds either its old content or all of the new. When path
// already exists the new file is flushed to disk before the rename.
// On failure the temporary file is removed and std::runtime_error gives the system's reason.
void ReplaceFile(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace quillora::engine::automation
