#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace quillora::engine {

// The MD4 message digest (RFC 1320). The drawing group names each stored picture by the
// MD4 digest of its bytes.
std::array<std::uint8_t, 16> Md4Digest(std::span<const std::uint8_t> bytes);

}  // namespace quillora::engine
