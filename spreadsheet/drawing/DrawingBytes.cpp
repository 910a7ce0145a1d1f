#include "spreadsheet/drawing/DrawingBytes.h"

#include <stdexcept>

namespace quillora::engine::drawing {

void ByteCursor::Need(std::size_t count) const {
  if (count > Remaining())
    throw std::runtime_error(std::string(what_) + " is truncated: " + std::to_string(count) +
                             " bytes needed at offset " + std::to_string(offset_) + ", " +
                             std::to_string(Remaining()) + " left");
}

std::uint8_t ByteCursor::U8() {
  Need(1);
  return bytes_[offset_++];
}

std::uint16_t ByteCursor::U16() {
  Need(2);
  const auto value = static_cast<std::uint16_t>(bytes_[offset_] | bytes_[offset_ + 1] << 8);
  offset_ += 2;
  return value;
}

std::uint32_t ByteCursor::U32() {
  Need(4);
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | bytes_[offset_ + static_cast<std::size_t>(i)];
  offset_ += 4;
  return value;
}

std::span<const std::uint8_t> ByteCursor::Take(std::size_t count) {
  Need(count);
  const auto part = bytes_.subspan(offset_, count);
  offset_ += count;
  return part;
}

void PutU8(std::vector<std::uint8_t>& out, std::uint8_t value) { out.push_back(value); }

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutBytes(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
}

namespace {

// Decodes one UTF-8 sequence at text[i], advancing i; throws on malformed input.
char32_t NextCodePoint(std::string_view text, std::size_t& i, std::string_view what) {
  const auto fail = [&] {
    throw std::runtime_error(std::string(what) + " is not valid UTF-8 (byte " +
                             std::to_string(i) + ")");
  };
  const auto lead = static_cast<unsigned char>(text[i]);
  int extra = 0;
  char32_t cp = 0;
  if (lead < 0x80) {
    cp = lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, cp = lead & 0x07;
  } else {
    fail();
  }
  if (i + static_cast<std::size_t>(extra) >= text.size()) fail();
  for (int k = 1; k <= extra; ++k) {
    const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
    if ((next & 0xC0) != 0x80) fail();
    cp = cp << 6 | (next & 0x3F);
  }
  static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) fail();
  i += static_cast<std::size_t>(extra) + 1;
  return cp;
}

}  // namespace

std::vector<std::uint8_t> ToUtf16Z(std::string_view utf8, std::string_view what) {
  std::vector<std::uint8_t> out;
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t cp = NextCodePoint(utf8, i, what);
    if (cp == 0)
      throw std::runtime_error(std::string(what) + " contains a null character");
    if (cp >= 0x10000) {
      PutU16(out, static_cast<std::uint16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      PutU16(out, static_cast<std::uint16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      PutU16(out, static_cast<std::uint16_t>(cp));
    }
  }
  PutU16(out, 0);
  return out;
}

namespace {

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | cp >> 12);
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | cp >> 18);
    out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::string FromUtf16(std::span<const std::uint8_t> bytes) {
  std::string out;
  const std::size_t units = bytes.size() / 2;
  const auto unit = [&](std::size_t k) {
    return static_cast<char32_t>(bytes[2 * k] | bytes[2 * k + 1] << 8);
  };
  for (std::size_t k = 0; k < units; ++k) {
    char32_t cp = unit(k);
    if (cp == 0) break;
    if (cp >= 0xD800 && cp <= 0xDBFF && k + 1 < units && unit(k + 1) >= 0xDC00 &&
        unit(k + 1) <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(k + 1) - 0xDC00);
      ++k;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

}  // namespace quillora::engine::drawing
