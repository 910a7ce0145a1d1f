#include "spreadsheet/drawing/DrawingBytes.h"

#include <optional>
#include <string>

#include "spreadsheet/base/Unicode.h"
#include "spreadsheet/drawing/DrawingError.h"

namespace quillora::engine::drawing {

void ByteCursor::ShortRead(std::size_t count) const {
  throw DrawingError(std::string(what_) + " is truncated: " + std::to_string(count) + " bytes needed at offset " +
                     std::to_string(Position()) + ", " + std::to_string(Remaining()) + " left");
}

namespace {

// Decodes one UTF-8 sequence at text[i], advancing i; throws on malformed input.
char32_t NextCodePoint(std::string_view text, std::size_t& i, std::string_view what) {
  const std::optional<char32_t> cp = DecodeUtf8(text, i);
  if (!cp) throw DrawingError(std::string(what) + " is not valid UTF-8 (byte " + std::to_string(i) + ")");
  return *cp;
}

}  // namespace

std::vector<std::uint8_t> ToUtf16Z(std::string_view utf8, std::string_view what) {
  std::vector<std::uint8_t> out;
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t cp = NextCodePoint(utf8, i, what);
    if (cp == 0) throw DrawingError(std::string(what) + " contains a null character");
    if (cp >= 0x10000) {
      Put16(out, static_cast<std::uint16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      Put16(out, static_cast<std::uint16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      Put16(out, static_cast<std::uint16_t>(cp));
    }
  }
  Put16(out, 0);
  return out;
}

std::string FromUtf16(std::span<const std::uint8_t> bytes) {
  std::u16string units;
  for (std::size_t k = 0; k + 1 < bytes.size(); k += 2) {
    const auto unit = static_cast<char16_t>(Load16(bytes.data() + k));
    if (unit == 0) break;
    units.push_back(unit);
  }
  return Utf16ToUtf8(units);
}

}  // namespace quillora::engine::drawing
