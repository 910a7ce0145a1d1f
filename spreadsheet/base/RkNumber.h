#pragma once
// RK numbers: a 32-bit cell value holding either a 30-bit integer or the top 30 bits of a
// double, either optionally divided by 100 (bit 0: divided, bit 1: integer).
#include <cstdint>
#include <optional>

namespace quillora::engine {

double DecodeRk(std::uint32_t rk);

// The RK form of `value` when one decodes to exactly the same bits; nothing otherwise
// (infinities, NaN and numbers that need more than 30 bits).
std::optional<std::uint32_t> EncodeRk(double value);

}  // namespace quillora::engine
