#pragma once
// Conversions between the UTF-8 the model holds and the UTF-16 / 8-bit forms files store.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillora::engine {

void AppendUtf8(std::string& out, char32_t code_point);
// The code point of the well-formed UTF-8 sequence at text[i], moving i past it; nothing
// (i unchanged) for a malformed, overlong or truncated sequence, a surrogate or a value
// beyond U+10FFFF.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& i);
// Whether every byte of text belongs to a sequence DecodeUtf8 reads.
bool IsUtf8(std::string_view text);
// UTF-16 code units to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
// UTF-8 to UTF-16; a malformed byte sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

}  // namespace quillora::engine
