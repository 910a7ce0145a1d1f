// UTF-8 checks and conversions: what counts as well-formed, and what malformed input becomes.
#include <gtest/gtest.h>

#include <string>

#include "spreadsheet/base/Unicode.h"

namespace quillora::engine {
namespace {

TEST(Unicode, IsUtf8AcceptsWellFormedTextOnly) {
  for (const char* good : {"", "plain", "caf\xC3\xA9", "\xE2\x82\xAC 12", "\xF0\x9F\x92\x8D ring", "\xEF\xBF\xBD"})
    EXPECT_TRUE(IsUtf8(good)) << good;
  for (const char* bad : {"caf\xE9",           // a Latin-1 byte
                          "\xC3",              // truncated at the end
                          "\xE2\x82",          // truncated three-byte sequence
                          "\xC0\xAF",          // overlong
                          "\xED\xA0\x80",      // an encoded surrogate
                          "\xF4\x90\x80\x80",  // beyond U+10FFFF
                          "\x80 lone continuation"})
    EXPECT_FALSE(IsUtf8(bad)) << bad;
}

TEST(Unicode, ConversionsRoundTripAndReplaceWhatIsMalformed) {
  const std::string text = "Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x92\x8D";
  const std::u16string wide = Utf8ToUtf16(text);
  EXPECT_EQ(wide.size(), 9u);  // the ring is a surrogate pair
  EXPECT_EQ(Utf16ToUtf8(wide), text);
  EXPECT_EQ(Utf8ToUtf16("a\xE9z"), u"a\uFFFDz");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{u'a', char16_t(0xD800), u'z'}), "a\xEF\xBF\xBDz");
}

}  // namespace
}  // namespace quillora::engine
