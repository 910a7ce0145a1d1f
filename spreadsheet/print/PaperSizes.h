#pragma once
// Paper sizes by the code a sheet's printer settings store (1 Letter, 9 A4, ...).
#include <cstdint>
#include <optional>

namespace quillora::engine::print {

// Width and height of a sheet of paper held upright, in points (1/72 inch).
struct PaperSize {
  double width = 0;
  double height = 0;
};

// The paper of a stored code; nothing for a code with no known size.
std::optional<PaperSize> PaperSizeOf(std::uint16_t code);

}  // namespace quillora::engine::print
