#include "spreadsheet/base/A1Text.h"

namespace quillora::engine {
namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int LetterValue(char c) { return (c >= 'a' ? c - 'a' : c - 'A') + 1; }

// "$"? then up to `maxCount` characters of one kind, read as a one-based number.
std::optional<int> ReadPart(std::string_view text, std::size_t& pos, bool& absolute, bool letters) {
  std::size_t at = pos;
  absolute = at < text.size() && text[at] == '$';
  if (absolute) ++at;
  const std::size_t maxCount = letters ? 3 : 5;
  int value = 0;
  std::size_t count = 0;
  for (; at < text.size() && (letters ? IsLetter(text[at]) : IsDigit(text[at])); ++at, ++count) {
    if (count == maxCount) return std::nullopt;
    value = letters ? value * 26 + LetterValue(text[at]) : value * 10 + (text[at] - '0');
  }
  if (count == 0 || value < 1 || value - 1 > (letters ? kLastColumn : kLastRow)) return std::nullopt;
  pos = at;
  return value - 1;
}

}  // namespace

std::optional<int> ReadA1Column(std::string_view text, std::size_t& pos, bool& absolute) {
  return ReadPart(text, pos, absolute, true);
}

std::optional<int> ReadA1Row(std::string_view text, std::size_t& pos, bool& absolute) {
  return ReadPart(text, pos, absolute, false);
}

std::optional<A1Cell> ReadA1Cell(std::string_view text, std::size_t& pos) {
  std::size_t at = pos;
  A1Cell cell;
  const auto column = ReadA1Column(text, at, cell.columnAbsolute);
  if (!column) return std::nullopt;
  const auto row = ReadA1Row(text, at, cell.rowAbsolute);
  if (!row) return std::nullopt;
  cell.row = *row;
  cell.column = *column;
  pos = at;
  return cell;
}

std::optional<CellRange> ParseA1Range(std::string_view text) {
  std::size_t pos = 0;
  const auto first = ReadA1Cell(text, pos);
  if (!first) return std::nullopt;
  A1Cell last = *first;
  if (pos < text.size() && text[pos] == ':') {
    ++pos;
    const auto second = ReadA1Cell(text, pos);
    if (!second) return std::nullopt;
    last = *second;
  }
  if (pos != text.size()) return std::nullopt;
  return CellRange::FromCorners({first->row, first->column}, {last.row, last.column});
}

std::string ColumnLetters(int column) {
  std::string letters;
  for (int n = column + 1; n > 0; n = (n - 1) / 26)
    letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
  return letters;
}

std::string CellText(int row, int column, bool rowAbsolute, bool columnAbsolute) {
  std::string text = columnAbsolute ? "$" : "";
  text += ColumnLetters(column);
  if (rowAbsolute) text += '$';
  text += std::to_string(row + 1);
  return text;
}

std::string RangeText(const CellRange& range) {
  std::string text = CellText(range.rowFirst, range.columnFirst);
  if (range.rowLast != range.rowFirst || range.columnLast != range.columnFirst)
    text += ":" + CellText(range.rowLast, range.columnLast);
  return text;
}

}  // namespace quillora::engine
