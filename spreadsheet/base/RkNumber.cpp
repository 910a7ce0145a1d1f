#include "spreadsheet/base/RkNumber.h"

#include <bit>
#include <cmath>

namespace quillora::engine {
namespace {

constexpr std::uint32_t kDividedBy100 = 0x01;
constexpr std::uint32_t kInteger = 0x02;
constexpr std::uint32_t kValueBits = 0xFFFFFFFCU;

}  // namespace

double DecodeRk(std::uint32_t rk) {
  const double value = (rk & kInteger) ? static_cast<double>(static_cast<std::int32_t>(rk) >> 2)
                                       : std::bit_cast<double>(static_cast<std::uint64_t>(rk & kValueBits) << 32);
  return (rk & kDividedBy100) ? value / 100.0 : value;
}

std::optional<std::uint32_t> EncodeRk(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const auto exact = [&](std::uint32_t rk) {
    return std::bit_cast<std::uint64_t>(DecodeRk(rk)) == std::bit_cast<std::uint64_t>(value);
  };
  for (std::uint32_t scaled = 0; scaled < 2; ++scaled) {
    const double v = scaled ? value * 100.0 : value;
    if (v == std::floor(v) && v >= -536870912.0 && v <= 536870911.0) {
      const auto rk = (static_cast<std::uint32_t>(static_cast<std::int32_t>(v)) << 2) | kInteger | scaled;
      if (exact(rk)) return rk;
    }
    const auto rk = (static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(v) >> 32) & kValueBits) | scaled;
    if (exact(rk)) return rk;
  }
  return std::nullopt;
}

}  // namespace quillora::engine
