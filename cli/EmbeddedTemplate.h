#pragma once
// The workbook template built into quillora-cli itself, without the GUI libraries'
// resource system (the windows and the drawing program read the same file from there).
#include <cstdint>
#include <span>

namespace quillora::cli {

// The template file byte for byte, as the build wrote it.
std::span<const std::uint8_t> EmbeddedTemplate();

}  // namespace quillora::cli
