#include "app/core/SkinCheck.h"

#include <cctype>
#include <stdexcept>
#include <string>

namespace quillora {
namespace {

// Length of the UTF-8 sequence at `i`, or 0 when it is malformed, overlong, a surrogate
// or beyond U+10FFFF.
std::size_t Utf8SequenceLength(std::string_view s, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b = byte(i);
  if (b < 0x80) return 1;
  std::size_t n = 0;
  char32_t code = 0;
  char32_t minimum = 0;
  if ((b & 0xE0) == 0xC0) {
    n = 2, code = b & 0x1F, minimum = 0x80;
  } else if ((b & 0xF0) == 0xE0) {
    n = 3, code = b & 0x0F, minimum = 0x800;
  } else if ((b & 0xF8) == 0xF0) {
    n = 4, code = b & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return n;
}

class SheetReader {
 public:
  explicit SheetReader(std::string_view text) : text_(text) {}

  void check() {
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
    for (;;) {
      skipSpaceAndComments();
      if (atEnd()) return;
      readRule();
    }
  }

 private:
  bool atEnd() const { return pos_ >= text_.size(); }
  char peek() const { return atEnd() ? '\0' : text_[pos_]; }

  [[noreturn]] void fail(const std::string& what) const {
    std::size_t line = 1;
    for (std::size_t i = 0; i < pos_ && i < text_.size(); ++i) line += text_[i] == '\n';
    throw std::runtime_error("The skin style sheet is not valid: line " + std::to_string(line) +
                             ": " + what);
  }

  void skipSpaceAndComments() {
    for (;;) {
      while (!atEnd() && std::string_view(" \t\r\n\f").find(peek()) != std::string_view::npos) {
        ++pos_;
      }
      if (text_.substr(pos_, 2) != "/*") return;
      const std::size_t end = text_.find("*/", pos_ + 2);
      if (end == std::string_view::npos) fail("a comment is not closed");
      pos_ = end + 2;
    }
  }

  // Skips a quoted string starting at the current quote character.
  void skipString() {
    const char quote = peek();
    ++pos_;
    while (!atEnd() && peek() != quote) {
      if (peek() == '\\') ++pos_;
      if (peek() == '\n') fail("a quoted text runs past the end of its line");
      ++pos_;
    }
    if (atEnd()) fail("a quoted text is not closed");
    ++pos_;
  }

  void readRule() {
    const std::size_t start = pos_;
    while (!atEnd() && peek() != '{') {
      if (peek() == '}' || peek() == ';') fail("expected '{' after the selectors");
      if (peek() == '"' || peek() == '\'') {
        skipString();
      } else if (text_.substr(pos_, 2) == "/*") {
        skipSpaceAndComments();
      } else {
        ++pos_;
      }
    }
    if (atEnd()) fail("a rule has selectors but no '{'");
    if (text_.substr(start, pos_ - start).find_first_not_of(" \t\r\n\f") == std::string_view::npos) {
      fail("a rule has no selectors before '{'");
    }
    ++pos_;  // '{'
    for (;;) {
      skipSpaceAndComments();
      if (atEnd()) fail("a rule is not closed with '}'");
      if (peek() == '}') {
        ++pos_;
        return;
      }
      if (peek() == ';') {
        ++pos_;
        continue;
      }
      readDeclaration();
    }
  }

  void readDeclaration() {
    const std::size_t nameStart = pos_;
    while (!atEnd() && (std::isalnum(static_cast<unsigned char>(peek())) || peek() == '-' ||
                        peek() == '_')) {
      ++pos_;
    }
    if (pos_ == nameStart) fail("expected a property name");
    skipSpaceAndComments();
    if (peek() != ':') fail("expected ':' after the property name");
    ++pos_;
    skipSpaceAndComments();
    bool hasValue = false;
    int parentheses = 0;
    while (!atEnd() && !(parentheses == 0 && (peek() == ';' || peek() == '}'))) {
      const char c = peek();
      if (c == '{') fail("unexpected '{' in a property value");
      if (c == '}') fail("unbalanced ')' or '}' in a property value");
      if (c == '"' || c == '\'') {
        skipString();
      } else {
        if (c == '(') ++parentheses;
        if (c == ')' && --parentheses < 0) fail("unbalanced ')' in a property value");
        ++pos_;
      }
      hasValue = true;
      skipSpaceAndComments();
    }
    if (parentheses != 0) fail("a '(' in a property value is not closed");
    if (!hasValue) fail("a property has no value");
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

void CheckSkinStyleSheet(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = Utf8SequenceLength(text, i);
    if (n == 0) {
      throw std::runtime_error("The skin style sheet is not UTF-8 text (byte " +
                               std::to_string(i) + ")");
    }
    if (text[i] == '\0') throw std::runtime_error("The skin style sheet contains a zero byte");
    i += n;
  }
  SheetReader(text).check();
}

}  // namespace quillora
