#include "spreadsheet/drawing/Md4.h"

#include <vector>

namespace quillora::engine {

namespace {

std::uint32_t Rotl(std::uint32_t x, int s) { return x << s | x >> (32 - s); }

void Compress(std::array<std::uint32_t, 4>& state, const std::uint8_t* block) {
  std::uint32_t x[16];
  for (int i = 0; i < 16; ++i)
    x[i] = static_cast<std::uint32_t>(block[4 * i]) | static_cast<std::uint32_t>(block[4 * i + 1]) << 8 |
           static_cast<std::uint32_t>(block[4 * i + 2]) << 16 |
           static_cast<std::uint32_t>(block[4 * i + 3]) << 24;
  std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
  const auto f = [](std::uint32_t u, std::uint32_t v, std::uint32_t w) { return (u & v) | (~u & w); };
  const auto g = [](std::uint32_t u, std::uint32_t v, std::uint32_t w) {
    return (u & v) | (u & w) | (v & w);
  };
  const auto h = [](std::uint32_t u, std::uint32_t v, std::uint32_t w) { return u ^ v ^ w; };

  static constexpr int kShift1[] = {3, 7, 11, 19};
  static constexpr int kShift2[] = {3, 5, 9, 13};
  static constexpr int kShift3[] = {3, 9, 11, 15};
  static constexpr int kOrder2[] = {0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15};
  static constexpr int kOrder3[] = {0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15};

  // Each step updates a, d, c, b in turn, then the roles rotate.
  const auto step = [&](auto func, int k, int s, std::uint32_t add) {
    const std::uint32_t t = Rotl(a + func(b, c, d) + x[k] + add, s);
    a = d, d = c, c = b, b = t;
  };
  for (int i = 0; i < 16; ++i) step(f, i, kShift1[i % 4], 0);
  for (int i = 0; i < 16; ++i) step(g, kOrder2[i], kShift2[i % 4], 0x5A827999u);
  for (int i = 0; i < 16; ++i) step(h, kOrder3[i], kShift3[i % 4], 0x6ED9EBA1u);

  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
}

}  // namespace

std::array<std::uint8_t, 16> Md4Digest(std::span<const std::uint8_t> bytes) {
  std::array<std::uint32_t, 4> state = {0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u};
  const std::size_t whole = bytes.size() / 64 * 64;
  for (std::size_t offset = 0; offset < whole; offset += 64) Compress(state, bytes.data() + offset);

  std::vector<std::uint8_t> tail(bytes.begin() + static_cast<std::ptrdiff_t>(whole), bytes.end());
  tail.push_back(0x80);
  while (tail.size() % 64 != 56) tail.push_back(0);
  const std::uint64_t bits = static_cast<std::uint64_t>(bytes.size()) * 8;
  for (int shift = 0; shift < 64; shift += 8) tail.push_back(static_cast<std::uint8_t>(bits >> shift));
  for (std::size_t offset = 0; offset < tail.size(); offset += 64) Compress(state, tail.data() + offset);

  std::array<std::uint8_t, 16> digest{};
  for (int i = 0; i < 16; ++i) digest[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(state[static_cast<std::size_t>(i / 4)] >> (8 * (i % 4)));
  return digest;
}

}  // namespace quillora::engine
