#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace quillora::testing {

// The bytes of a file, through the program's own reader.
std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);

}  // namespace quillora::testing
