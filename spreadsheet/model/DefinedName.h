#pragma once
// Defined names (NAME records) and the EXTERNSHEET table their 3-D references go through.
#include <cstdint>
#include <string>
#include <vector>

namespace quillora::engine {

// Built-in name codes: a built-in name is stored as this one character.
enum class BuiltInName : std::uint8_t {
  ConsolidateArea = 0x00, AutoOpen = 0x01, AutoClose = 0x02, Extract = 0x03, Database = 0x04,
  Criteria = 0x05, PrintArea = 0x06, PrintTitles = 0x07, Recorder = 0x08, DataForm = 0x09,
  AutoActivate = 0x0A, AutoDeactivate = 0x0B, SheetTitle = 0x0C, FilterDatabase = 0x0D,
};

// The name a built-in code is known by ("Print_Titles"); "Builtin_<n>" for unknown codes.
std::string BuiltInNameText(std::uint8_t code);

struct DefinedName {
  // User names: the name itself. Built-in names: empty, see builtInCode.
  std::string name;
  bool builtIn = false;
  std::uint8_t builtInCode = 0;  // BuiltInName, when builtIn
  // 0 for a workbook-level name; otherwise the 1-based index of the sheet it belongs to.
  std::uint16_t sheet = 0;
  // NAME option bits other than the built-in flag (0x0020), kept as read: 0x0001 hidden,
  // 0x0002 function, 0x0004 command, ...
  std::uint16_t options = 0;
  std::uint8_t shortcutKey = 0;
  std::vector<std::uint8_t> formula;  // rgce, references as tRef3d/tArea3d through EXTERNSHEET
  // Menu, description, help and status texts: their four length bytes followed by the
  // bytes after rgce, as stored; empty when the name has none.
  std::vector<std::uint8_t> extra;

  // "Print_Titles" for a built-in name, else `name`.
  std::string DisplayName() const { return builtIn ? BuiltInNameText(builtInCode) : name; }
  friend bool operator==(const DefinedName&, const DefinedName&) = default;
};

// One EXTERNSHEET entry: a span of sheets of a SUPBOOK (supBook 0 is the workbook itself
// when the workbook holds the internal-references SUPBOOK first).
struct ExternSheet {
  std::uint16_t supBook = 0;
  std::int16_t firstSheet = 0;  // zero-based; -1 / -2 for special references
  std::int16_t lastSheet = 0;
  friend bool operator==(const ExternSheet&, const ExternSheet&) = default;
};

}  // namespace quillora::engine
