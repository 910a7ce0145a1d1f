#include "spreadsheet/biff/NameRecords.h"

#include <string>

#include "spreadsheet/base/LittleEndian.h"
#include "spreadsheet/base/Unicode.h"
#include "spreadsheet/biff/BiffError.h"
#include "spreadsheet/biff/RecordStream.h"

namespace quillora::engine {
namespace {

constexpr std::uint16_t kBuiltInFlag = 0x0020;

// The name's characters: option byte, then `count` 8-bit or UTF-16 characters.
std::string ReadNameChars(DataReader& in, std::size_t count) {
  const bool wide = in.U8() & 0x01;
  std::u16string text;
  for (std::size_t k = 0; k < count; ++k) text.push_back(wide ? in.U16() : in.U8());
  return Utf16ToUtf8(text);
}

}  // namespace

DefinedName DecodeName(std::span<const std::uint8_t> data) {
  DataReader in(data, "NAME");
  DefinedName name;
  const std::uint16_t options = in.U16();
  name.shortcutKey = in.U8();
  const std::uint8_t length = in.U8();
  if (length == 0) throw BiffError("The workbook is damaged: a defined name has no characters");
  const std::uint16_t formula_size = in.U16();
  in.Skip(2);
  name.sheet = in.U16();
  const auto text_lengths = in.Bytes(4);
  name.builtIn = options & kBuiltInFlag;
  name.options = options & ~kBuiltInFlag;
  if (name.builtIn) {
    // The code is the first character itself, not the first byte of its UTF-8 form.
    const std::u16string code = Utf8ToUtf16(ReadNameChars(in, length));
    if (code.empty() || code[0] > 0xFF)
      throw BiffError("The workbook is damaged: a built-in defined name has an unknown code");
    name.builtInCode = static_cast<std::uint8_t>(code[0]);
  } else {
    name.name = ReadNameChars(in, length);
  }
  const auto formula = in.Bytes(formula_size);
  name.formula.assign(formula.begin(), formula.end());
  const auto rest = in.Bytes(in.Remaining());
  if (!rest.empty() || text_lengths[0] || text_lengths[1] || text_lengths[2] || text_lengths[3]) {
    name.extra.assign(text_lengths.begin(), text_lengths.end());
    name.extra.insert(name.extra.end(), rest.begin(), rest.end());
  }
  return name;
}

void EncodeName(std::vector<std::uint8_t>& out, const DefinedName& name) {
  const std::u16string text = name.builtIn ? std::u16string(1, name.builtInCode) : Utf8ToUtf16(name.name);
  if (text.empty() || text.size() > 255) throw BiffError("A defined name must have 1 to 255 characters");
  if (name.formula.size() > 0xFFFF) throw BiffError("The formula of defined name \"" + name.DisplayName() + "\" is too long");
  bool wide = false;
  for (char16_t c : text) wide = wide || c > 0xFF;
  Put16(out, static_cast<std::uint16_t>(name.options | (name.builtIn ? kBuiltInFlag : 0)));
  Put8(out, name.shortcutKey);
  Put8(out, static_cast<std::uint8_t>(text.size()));
  Put16(out, static_cast<std::uint16_t>(name.formula.size()));
  Put16(out, 0);
  Put16(out, name.sheet);
  if (name.extra.size() >= 4) out.insert(out.end(), name.extra.begin(), name.extra.begin() + 4);
  else out.resize(out.size() + 4, 0);
  Put8(out, wide ? 1 : 0);
  for (char16_t c : text) {
    if (wide) Put16(out, c);
    else Put8(out, static_cast<std::uint8_t>(c));
  }
  out.insert(out.end(), name.formula.begin(), name.formula.end());
  if (name.extra.size() > 4) out.insert(out.end(), name.extra.begin() + 4, name.extra.end());
}

std::vector<ExternSheet> DecodeExternSheet(std::vector<std::span<const std::uint8_t>> segments) {
  ContinuedReader in(std::move(segments), "EXTERNSHEET");
  const std::uint16_t count = in.U16();
  std::vector<ExternSheet> entries;
  for (std::uint16_t k = 0; k < count; ++k) {
    ExternSheet entry;
    entry.supBook = in.U16();
    entry.firstSheet = static_cast<std::int16_t>(in.U16());
    entry.lastSheet = static_cast<std::int16_t>(in.U16());
    entries.push_back(entry);
  }
  return entries;
}

void EncodeExternSheet(std::vector<std::uint8_t>& out, const std::vector<ExternSheet>& entries) {
  Put16(out, static_cast<std::uint16_t>(entries.size()));
  for (const ExternSheet& e : entries) {
    Put16(out, e.supBook);
    Put16(out, static_cast<std::uint16_t>(e.firstSheet));
    Put16(out, static_cast<std::uint16_t>(e.lastSheet));
  }
}

}  // namespace quillora::engine
