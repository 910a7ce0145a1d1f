#pragma once
// Conversions between the UTF-8 the model holds and the UTF-16 / 8-bit forms files store.
#include <cstdint>
#include <string>
#include <string_view>

namespace quillora::engine {

void AppendUtf8(std::string& out, char32_t code_point);
// UTF-16 code units to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
// UTF-8 to UTF-16; a malformed byte sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

}  // namespace quillora::engine
