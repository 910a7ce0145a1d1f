#include "spreadsheet/biff/SheetWriter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <variant>

#include "spreadsheet/biff/RecordTypes.h"
#include "spreadsheet/biff/SharedStrings.h"
#include "spreadsheet/cfb/LittleEndian.h"

namespace quillora::engine {

void WriteKept(RecordWriter& writer, const std::vector<KeptRecord>& kept, std::initializer_list<std::uint16_t> anchors) {
  for (const KeptRecord& record : kept)
    if (std::find(anchors.begin(), anchors.end(), record.after) != anchors.end())
      writer.WriteSegments(record.type, record.data, record.continues);
}

void WriteBof(RecordWriter& writer, std::uint16_t type, const BofInfo& bof) {
  std::vector<std::uint8_t> data;
  Put16(data, 0x0600);
  Put16(data, type);
  Put16(data, bof.build);
  Put16(data, bof.year);
  Put32(data, bof.history);
  Put32(data, bof.lowestVersion);
  writer.Write(rt::kBof, data);
}

std::optional<std::uint32_t> EncodeRk(double value) {
  auto decodes_to = [&](std::uint32_t rk) {
    double decoded;
    if (rk & 0x02) {
      decoded = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
    } else {
      const std::uint64_t bits = static_cast<std::uint64_t>(rk & 0xFFFFFFFCU) << 32;
      std::memcpy(&decoded, &bits, sizeof decoded);
    }
    if (rk & 0x01) decoded /= 100.0;
    std::uint64_t a, b;
    std::memcpy(&a, &decoded, sizeof a);
    std::memcpy(&b, &value, sizeof b);
    return a == b;
  };
  if (!std::isfinite(value)) return std::nullopt;
  for (int scaled = 0; scaled < 2; ++scaled) {
    const double v = scaled ? value * 100.0 : value;
    if (v == std::floor(v) && v >= -536870912.0 && v <= 536870911.0) {
      const auto rk = (static_cast<std::uint32_t>(static_cast<std::int32_t>(v)) << 2) | 0x02U | static_cast<std::uint32_t>(scaled);
      if (decodes_to(rk)) return rk;
    }
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    const auto rk = (static_cast<std::uint32_t>(bits >> 32) & 0xFFFFFFFCU) | static_cast<std::uint32_t>(scaled);
    if (decodes_to(rk)) return rk;
  }
  return std::nullopt;
}

namespace {

constexpr std::size_t kRowsPerBlock = 32;
constexpr std::size_t kRowRecordSize = 20;

void PutCellHeader(std::vector<std::uint8_t>& data, const CellAddress& at, std::uint16_t xf) {
  Put16(data, static_cast<std::uint16_t>(at.row));
  Put16(data, static_cast<std::uint16_t>(at.column));
  Put16(data, xf);
}

void PutFormulaResult(std::vector<std::uint8_t>& data, const Value& value) {
  const std::size_t start = data.size();
  if (const double* number = std::get_if<double>(&value)) {
    PutDouble(data, *number);
    return;
  }
  data.resize(start + 8, 0);
  data[start + 6] = data[start + 7] = 0xFF;
  if (std::holds_alternative<std::string>(value)) {
    data[start] = 0;
  } else if (const bool* flag = std::get_if<bool>(&value)) {
    data[start] = 1;
    data[start + 2] = *flag ? 1 : 0;
  } else if (const ErrorCode* error = std::get_if<ErrorCode>(&value)) {
    data[start] = 2;
    data[start + 2] = static_cast<std::uint8_t>(*error);
  } else {
    data[start] = 3;
  }
}

void WriteCell(RecordWriter& writer, const CellAddress& at, const Cell& cell, const StringIndex& strings,
               std::vector<std::uint8_t>& data) {
  data.clear();
  PutCellHeader(data, at, cell.xf);
  if (cell.formula) {
    const Formula& f = *cell.formula;
    PutFormulaResult(data, cell.value);
    Put16(data, f.options);
    Put32(data, f.chain);
    Put16(data, static_cast<std::uint16_t>(f.tokens.size()));
    data.insert(data.end(), f.tokens.begin(), f.tokens.end());
    data.insert(data.end(), f.extra.begin(), f.extra.end());
    writer.Write(rt::kFormula, data);
    if (f.companion) writer.WriteSegments(f.companion->type, f.companion->data, f.companion->continues);
    if (const std::string* text = std::get_if<std::string>(&cell.value)) {
      ContinuedWriter string(writer, rt::kString);
      string.PutString(*text, 2);
      string.Finish();
    }
    return;
  }
  std::visit(
      [&](const auto& value) {
        using T = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<T, std::monostate>) {
          writer.Write(rt::kBlank, data);
        } else if constexpr (std::is_same_v<T, double>) {
          if (const auto rk = EncodeRk(value)) {
            Put32(data, *rk);
            writer.Write(rt::kRk, data);
          } else {
            PutDouble(data, value);
            writer.Write(rt::kNumber, data);
          }
        } else if constexpr (std::is_same_v<T, std::string>) {
          Put32(data, strings.at(value));
          writer.Write(rt::kLabelSst, data);
        } else if constexpr (std::is_same_v<T, bool>) {
          Put8(data, value ? 1 : 0);
          Put8(data, 0);
          writer.Write(rt::kBoolErr, data);
        } else {
          Put8(data, static_cast<std::uint8_t>(value));
          Put8(data, 1);
          writer.Write(rt::kBoolErr, data);
        }
      },
      cell.value);
}

void PutRow(std::vector<std::uint8_t>& data, int index, const RowInfo& row, std::uint16_t first_column,
            std::uint16_t end_column) {
  data.clear();
  Put16(data, static_cast<std::uint16_t>(index));
  Put16(data, first_column);
  Put16(data, end_column);
  Put16(data, static_cast<std::uint16_t>((row.height & 0x7FFF) | (row.heightFlag ? 0x8000 : 0)));
  Put16(data, 0);
  Put16(data, 0);
  Put16(data, static_cast<std::uint16_t>((row.outlineLevel & 0x07) | (row.collapsed << 4) | (row.hidden << 5) |
                                         (row.customHeight << 6) | (row.xf ? 0x80 : 0) | 0x0100));
  Put16(data, static_cast<std::uint16_t>((row.xf.value_or(15) & 0x0FFF) | (row.thickTop << 12) |
                                         (row.thickBottom << 13) | (row.phonetic << 14)));
}

}  // namespace

void WriteSheet(RecordWriter& writer, const Sheet& sheet, const StringIndex& strings) {
  std::vector<std::uint8_t> data;
  WriteBof(writer, sheet.bofType, sheet.bof);
  if (sheet.opaque) {
    for (const KeptRecord& record : sheet.kept) writer.WriteSegments(record.type, record.data, record.continues);
    writer.Write(rt::kEof, {});
    return;
  }

  // Rows that get a ROW record: those with cells or with their own settings.
  std::vector<int> row_numbers;
  {
    std::set<int> rows;
    for (const auto& [at, cell] : sheet.cells) {
      if (at.row < 0 || at.row > 65535 || at.column < 0 || at.column > 255)
        throw std::out_of_range("sheet \"" + sheet.name + "\" has a cell at row " + std::to_string(at.row + 1) +
                                ", column " + std::to_string(at.column + 1) + ", outside the 65536 x 256 grid");
      rows.insert(at.row);
    }
    for (const auto& [index, info] : sheet.rows) {
      if (index < 0 || index > 65535)
        throw std::out_of_range("sheet \"" + sheet.name + "\" sets row " + std::to_string(index + 1) +
                                ", outside rows 1 to 65536");
      rows.insert(index);
    }
    row_numbers.assign(rows.begin(), rows.end());
  }
  const std::size_t blocks = (row_numbers.empty() ? 0 : 1) + [&] {
    std::size_t count = 0;
    for (std::size_t i = 1; i < row_numbers.size(); ++i)
      if (row_numbers[i] / kRowsPerBlock != row_numbers[i - 1] / kRowsPerBlock) ++count;
    return count;
  }();

  const std::size_t index_position = writer.Position();
  data.assign(16 + 4 * blocks, 0);
  if (!row_numbers.empty()) {
    Store32(data.data() + 4, static_cast<std::uint32_t>(row_numbers.front()));
    Store32(data.data() + 8, static_cast<std::uint32_t>(row_numbers.back() + 1));
  }
  writer.Write(rt::kIndex, data);
  WriteKept(writer, sheet.kept, {0, rt::kBof});

  data.clear();
  Put16(data, sheet.defaultRowOptions);
  Put16(data, sheet.defaultRowHeight);
  writer.Write(rt::kDefaultRowHeight, data);
  WriteKept(writer, sheet.kept, {rt::kDefaultRowHeight});

  const std::size_t defcolwidth_position = writer.Position();
  data.clear();
  Put16(data, sheet.defaultColumnWidth);
  writer.Write(rt::kDefColWidth, data);
  WriteKept(writer, sheet.kept, {rt::kDefColWidth});

  for (const ColumnInfo& c : sheet.columns) {
    data.clear();
    Put16(data, c.first);
    Put16(data, c.last);
    Put16(data, c.width);
    Put16(data, c.xf);
    Put16(data, static_cast<std::uint16_t>(c.hidden | (c.customWidth << 1) | (c.bestFit << 2) | (c.phonetic << 3) |
                                           ((c.outlineLevel & 7) << 8) | (c.collapsed << 12)));
    Put16(data, 0);
    writer.Write(rt::kColInfo, data);
  }
  WriteKept(writer, sheet.kept, {rt::kColInfo});

  data.clear();
  int first_column = 256, end_column = 0;
  for (const auto& [at, cell] : sheet.cells) {
    first_column = std::min(first_column, at.column);
    end_column = std::max(end_column, at.column + 1);
  }
  Put32(data, row_numbers.empty() ? 0 : static_cast<std::uint32_t>(row_numbers.front()));
  Put32(data, row_numbers.empty() ? 0 : static_cast<std::uint32_t>(row_numbers.back() + 1));
  Put16(data, static_cast<std::uint16_t>(end_column == 0 ? 0 : first_column));
  Put16(data, static_cast<std::uint16_t>(end_column));
  Put16(data, 0);
  writer.Write(rt::kDimensions, data);
  WriteKept(writer, sheet.kept, {rt::kDimensions});

  // The cell table, in blocks of up to 32 rows: ROW records, the rows' cells, DBCELL.
  std::vector<std::uint32_t> dbcell_positions;
  auto cell = sheet.cells.begin();
  RowInfo default_row;
  default_row.height = sheet.defaultRowHeight;
  for (std::size_t b = 0; b < row_numbers.size();) {
    std::size_t e = b;
    while (e < row_numbers.size() && row_numbers[e] / kRowsPerBlock == row_numbers[b] / kRowsPerBlock) ++e;
    const std::size_t first_row_position = writer.Position();
    for (std::size_t r = b; r < e; ++r) {
      const int index = row_numbers[r];
      auto lower = sheet.cells.lower_bound(CellAddress{index, 0});
      auto upper = sheet.cells.lower_bound(CellAddress{index + 1, 0});
      const std::uint16_t first = lower == upper ? 0 : static_cast<std::uint16_t>(lower->first.column);
      const std::uint16_t end = lower == upper ? 0 : static_cast<std::uint16_t>(std::prev(upper)->first.column + 1);
      const auto info = sheet.rows.find(index);
      PutRow(data, index, info == sheet.rows.end() ? default_row : info->second, first, end);
      writer.Write(rt::kRow, data);
    }
    std::vector<std::uint8_t> dbcell;
    Put32(dbcell, 0);
    std::size_t previous = first_row_position + kRowRecordSize;
    for (std::size_t r = b; r < e; ++r) {
      const std::size_t start = writer.Position();
      Put16(dbcell, static_cast<std::uint16_t>(start - previous));
      previous = start;
      for (; cell != sheet.cells.end() && cell->first.row == row_numbers[r]; ++cell)
        WriteCell(writer, cell->first, cell->second, strings, data);
    }
    dbcell_positions.push_back(static_cast<std::uint32_t>(writer.Position()));
    Store32(dbcell.data(), static_cast<std::uint32_t>(writer.Position() - first_row_position));
    writer.Write(rt::kDbCell, dbcell);
    b = e;
  }
  WriteKept(writer, sheet.kept, {rt::kRow});

  data.clear();
  const SheetWindow& w = sheet.window;
  for (std::uint16_t v : {w.options, w.topRow, w.leftColumn, w.gridColor, std::uint16_t{0}, w.pageBreakZoom, w.normalZoom})
    Put16(data, v);
  Put32(data, 0);
  writer.Write(rt::kWindow2, data);
  WriteKept(writer, sheet.kept, {rt::kWindow2});

  constexpr std::size_t kMergesPerRecord = 1026;
  for (std::size_t m = 0; m < sheet.merges.size(); m += kMergesPerRecord) {
    const std::size_t count = std::min(kMergesPerRecord, sheet.merges.size() - m);
    data.clear();
    Put16(data, static_cast<std::uint16_t>(count));
    for (std::size_t k = m; k < m + count; ++k) {
      const MergedRange& range = sheet.merges[k];
      for (int v : {range.first.row, range.last.row, range.first.column, range.last.column})
        Put16(data, static_cast<std::uint16_t>(v));
    }
    writer.Write(rt::kMergedCells, data);
  }
  WriteKept(writer, sheet.kept, {rt::kMergedCells});
  for (const KeptRecord& record : sheet.kept) {
    switch (record.after) {
      case 0: case rt::kBof: case rt::kDefaultRowHeight: case rt::kDefColWidth: case rt::kColInfo:
      case rt::kDimensions: case rt::kRow: case rt::kWindow2: case rt::kMergedCells: break;
      default: writer.WriteSegments(record.type, record.data, record.continues);
    }
  }
  writer.Write(rt::kEof, {});

  // Fill in INDEX now that the positions are known.
  std::uint8_t* index = writer.Bytes().data() + index_position + 4;
  Store32(index + 12, static_cast<std::uint32_t>(defcolwidth_position));
  for (std::size_t k = 0; k < dbcell_positions.size(); ++k) Store32(index + 16 + 4 * k, dbcell_positions[k]);
}

}  // namespace quillora::engine
