#include "spreadsheet/biff/SheetReader.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "spreadsheet/base/LittleEndian.h"
#include "spreadsheet/base/RkNumber.h"
#include "spreadsheet/biff/BiffError.h"
#include "spreadsheet/biff/RecordTypes.h"
#include "spreadsheet/biff/SheetSettingsRecords.h"

namespace quillora::engine {

std::vector<std::span<const std::uint8_t>> WithContinues(const std::vector<RecordView>& records, std::size_t index) {
  std::vector<std::span<const std::uint8_t>> segments{records[index].data};
  for (std::size_t i = index + 1; i < records.size() && records[i].type == rt::kContinue; ++i)
    segments.push_back(records[i].data);
  return segments;
}

void CheckBiffVersion(const RecordView& bof) {
  if (bof.type == rt::kBof2) throw BiffError("BIFF2 workbooks are not supported");
  if (bof.type == rt::kBof3) throw BiffError("BIFF3 workbooks are not supported");
  if (bof.type == rt::kBof4) throw BiffError("BIFF4 workbooks are not supported");
  if (bof.type != rt::kBof) throw BiffError("The workbook is damaged: a substream does not start with a BOF record");
  if (bof.data.size() < 4) throw BiffError("The workbook is damaged: a BOF record is too short");
  const std::uint16_t version = Load16(bof.data.data());
  if (version == 0x0500) throw BiffError("BIFF5 workbooks are not supported");
  if (version != 0x0600) throw BiffError("Workbooks of BIFF version 0x" + [&] {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%04X", version);
    return std::string(buffer);
  }() + " are not supported");
}

std::size_t KeepRecord(const std::vector<RecordView>& records, std::size_t index, std::uint16_t after,
                       std::vector<KeptRecord>& kept) {
  KeptRecord record;
  record.type = records[index].type;
  record.data.assign(records[index].data.begin(), records[index].data.end());
  record.after = after;
  std::size_t last = index;
  while (last + 1 < records.size() && records[last + 1].type == rt::kContinue) {
    ++last;
    record.continues.emplace_back(records[last].data.begin(), records[last].data.end());
  }
  kept.push_back(std::move(record));
  return last;
}

namespace {

[[noreturn]] void Damaged(const std::string& what) { throw BiffError("The workbook is damaged: " + what); }

class SheetParser {
 public:
  SheetParser(const std::vector<RecordView>& records, const std::vector<std::string>& strings, Sheet& sheet)
      : records_(records), strings_(strings), sheet_(sheet) {}

  void Run(std::size_t first) {
    const RecordView& bof = records_[first];
    CheckBiffVersion(bof);
    DataReader in(bof.data, "BOF");
    in.U16();
    sheet_.bofType = in.U16();
    if (in.Remaining() >= 12) {
      sheet_.bof.build = in.U16();
      sheet_.bof.year = in.U16();
      sheet_.bof.history = in.U32();
      sheet_.bof.lowestVersion = in.U32();
    }
    sheet_.opaque = sheet_.bofType != 0x0010 || sheet_.boundType != 0;
    for (std::size_t i = first + 1; i < records_.size(); ++i) {
      const RecordView& r = records_[i];
      if (r.type == rt::kEof) return;
      if (sheet_.opaque) {
        i = KeepRecord(records_, i, 0, sheet_.kept);
      } else if (r.type == rt::kBof) {
        i = KeepSubstream(i);
      } else {
        i = Interpret(i);
      }
    }
    Damaged("sheet \"" + sheet_.name + "\" has no end (truncated)");
  }

 private:
  // An embedded substream (a chart inside the sheet) is kept whole, nested ones included.
  std::size_t KeepSubstream(std::size_t i) {
    int depth = 0;
    for (; i < records_.size(); ++i) {
      if (records_[i].type == rt::kBof) ++depth;
      if (records_[i].type == rt::kEof) --depth;
      i = KeepRecord(records_, i, anchor_, sheet_.kept);
      if (depth == 0) return i;
    }
    Damaged("an embedded chart in sheet \"" + sheet_.name + "\" has no end (truncated)");
  }

  Cell& CellAt(std::uint16_t row, std::uint16_t column, std::uint16_t xf) {
    if (!ColumnInGrid(column)) Damaged("a cell in sheet \"" + sheet_.name + "\" lies beyond column IV");
    // Cells come in row order, so a new cell usually goes at the end: no search for it.
    const CellAddress at{row, column};
    auto& cells = sheet_.cells;
    Cell& cell = cells.empty() || std::prev(cells.end())->first < at
                     ? cells.emplace_hint(cells.end(), at, Cell{})->second
                     : cells[at];
    cell = Cell{};
    cell.xf = xf;
    return cell;
  }

  std::size_t Interpret(std::size_t i) {
    const RecordView& r = records_[i];
    DataReader in(r.data, "cell");
    switch (r.type) {
      case rt::kIndex:
        return i;
      case rt::kDbCell:
        anchor_ = rt::kRow;
        return i;
      case rt::kDimensions:
        anchor_ = rt::kDimensions;
        return i;
      case rt::kDefaultRowHeight: {
        DataReader d(r.data, "DEFAULTROWHEIGHT");
        sheet_.defaultRowOptions = d.U16();
        sheet_.defaultRowHeight = d.U16();
        break;
      }
      case rt::kDefColWidth:
        sheet_.defaultColumnWidth = DataReader(r.data, "DEFCOLWIDTH").U16();
        break;
      case rt::kColInfo: ReadColumnInfo(r); break;
      case rt::kRow: ReadRow(r); break;
      case rt::kWindow2: ReadWindow(r); break;
      case rt::kMergedCells:
        // Writers put merges before or after the window settings. After them (where this
        // engine writes them) they anchor what follows, so a saved file reads back to the
        // same order; before them the records around keep the anchor they had, so drawings
        // stay ahead of WINDOW2.
        ReadMerges(r);
        if (anchor_ == rt::kWindow2 || anchor_ == rt::kMergedCells ||
            std::find(kSettingsAfterWindow.begin(), kSettingsAfterWindow.end(), anchor_) != kSettingsAfterWindow.end())
          anchor_ = rt::kMergedCells;
        return i;
      case rt::kNumber: {
        const auto row = in.U16(), col = in.U16(), xf = in.U16();
        CellAt(row, col, xf).value = in.F64();
        break;
      }
      case rt::kRk: {
        const auto row = in.U16(), col = in.U16(), xf = in.U16();
        CellAt(row, col, xf).value = DecodeRk(in.U32());
        break;
      }
      case rt::kMulRk: {
        const auto row = in.U16(), first = in.U16();
        const std::size_t count = (r.data.size() >= 6 ? r.data.size() - 6 : 0) / 6;
        for (std::size_t k = 0; k < count; ++k) {
          const auto xf = in.U16();
          CellAt(row, static_cast<std::uint16_t>(first + k), xf).value = DecodeRk(in.U32());
        }
        break;
      }
      case rt::kBlank: {
        const auto row = in.U16(), col = in.U16(), xf = in.U16();
        CellAt(row, col, xf);
        break;
      }
      case rt::kMulBlank: {
        const auto row = in.U16(), first = in.U16();
        const std::size_t count = (r.data.size() >= 6 ? r.data.size() - 6 : 0) / 2;
        for (std::size_t k = 0; k < count; ++k) CellAt(row, static_cast<std::uint16_t>(first + k), in.U16());
        break;
      }
      case rt::kLabelSst: {
        const auto row = in.U16(), col = in.U16(), xf = in.U16();
        const std::uint32_t index = in.U32();
        if (index >= strings_.size()) Damaged("a cell refers to shared string " + std::to_string(index) + ", which does not exist");
        CellAt(row, col, xf).value = strings_[index];
        break;
      }
      case rt::kLabel:
      case rt::kRString: {
        const auto row = in.U16(), col = in.U16(), xf = in.U16();
        CellAt(row, col, xf).value = in.UnicodeString(2);
        break;
      }
      case rt::kBoolErr: {
        const auto row = in.U16(), col = in.U16(), xf = in.U16();
        const std::uint8_t value = in.U8();
        const bool is_error = in.U8() != 0;
        Cell& cell = CellAt(row, col, xf);
        if (is_error) cell.value = static_cast<ErrorCode>(value);
        else cell.value = value != 0;
        break;
      }
      case rt::kFormula: return ReadFormula(i);
      case rt::kContinue:
        // Belongs to an interpreted record that is rebuilt on save.
        return i;
      default:
        if (!ReadSheetSetting(r.type, r.data, sheet_)) return KeepRecord(records_, i, anchor_, sheet_.kept);
        break;
    }
    anchor_ = IsCellTable(r.type) ? rt::kRow : r.type;
    return i;
  }

  static bool IsCellTable(std::uint16_t type) {
    switch (type) {
      case rt::kRow: case rt::kNumber: case rt::kRk: case rt::kMulRk: case rt::kBlank: case rt::kMulBlank:
      case rt::kLabelSst: case rt::kLabel: case rt::kRString: case rt::kBoolErr: case rt::kFormula:
        return true;
      default:
        return false;
    }
  }

  std::size_t ReadFormula(std::size_t i) {
    DataReader in(records_[i].data, "FORMULA");
    const auto row = in.U16(), col = in.U16(), xf = in.U16();
    const auto result = in.Bytes(8);
    Formula formula;
    formula.options = in.U16();
    formula.chain = in.U32();
    const std::uint16_t size = in.U16();
    const auto tokens = in.Bytes(size);
    formula.tokens.assign(tokens.begin(), tokens.end());
    const auto extra = in.Bytes(in.Remaining());
    formula.extra.assign(extra.begin(), extra.end());
    Value value;
    bool wants_string = false;
    if (Load16(result.data() + 6) != 0xFFFF) {
      value = LoadDouble(result.data());
    } else {
      switch (result[0]) {
        case 0: wants_string = true; value = std::string(); break;
        case 1: value = result[2] != 0; break;
        case 2: value = static_cast<ErrorCode>(result[2]); break;
        default: break;  // empty result
      }
    }
    std::size_t last = i;
    while (last + 1 < records_.size() && records_[last + 1].type == rt::kContinue) ++last;
    if (last + 1 < records_.size()) {
      const std::uint16_t next = records_[last + 1].type;
      if (next == rt::kShrFmla || next == rt::kArray || next == rt::kTable) {
        std::vector<KeptRecord> companion;
        last = KeepRecord(records_, last + 1, 0, companion);
        formula.companion = std::move(companion.front());
      }
    }
    if (wants_string && last + 1 < records_.size() && records_[last + 1].type == rt::kString) {
      ContinuedReader string(WithContinues(records_, last + 1), "STRING");
      value = string.UnicodeString(2);
      ++last;
      while (last + 1 < records_.size() && records_[last + 1].type == rt::kContinue) ++last;
    }
    Cell& cell = CellAt(row, col, xf);
    cell.value = std::move(value);
    cell.formula = std::move(formula);
    anchor_ = rt::kRow;
    return last;
  }

  void ReadRow(const RecordView& r) {
    DataReader in(r.data, "ROW");
    const std::uint16_t index = in.U16();
    in.Skip(4);  // first and last column: recomputed on save
    const std::uint16_t height = in.U16();
    in.Skip(4);
    const std::uint16_t options = in.U16();
    const std::uint16_t format = in.U16();
    RowInfo row;
    row.height = height & 0x7FFF;
    row.heightFlag = height & 0x8000;
    row.outlineLevel = options & 0x07;
    row.collapsed = options & 0x10;
    row.hidden = options & 0x20;
    row.customHeight = options & 0x40;
    if (options & 0x80) row.xf = format & 0x0FFF;
    row.thickTop = format & 0x1000;
    row.thickBottom = format & 0x2000;
    row.phonetic = format & 0x4000;
    // A row record that only says "default" adds nothing to the model; it is written
    // again for any row that has cells.
    RowInfo plain;
    plain.height = sheet_.defaultRowHeight;
    if (row == plain) sheet_.rows.erase(index);
    else sheet_.rows[index] = row;
  }

  void ReadColumnInfo(const RecordView& r) {
    DataReader in(r.data, "COLINFO");
    ColumnInfo column;
    column.first = in.U16();
    column.last = in.U16();
    column.width = in.U16();
    column.xf = in.U16();
    const std::uint16_t options = in.U16();
    column.hidden = options & 0x01;
    column.customWidth = options & 0x02;
    column.bestFit = options & 0x04;
    column.phonetic = options & 0x08;
    column.outlineLevel = static_cast<std::uint8_t>((options >> 8) & 0x07);
    column.collapsed = options & 0x1000;
    sheet_.columns.push_back(column);
  }

  void ReadWindow(const RecordView& r) {
    DataReader in(r.data, "WINDOW2");
    SheetWindow& w = sheet_.window;
    w.options = in.U16();
    w.topRow = in.U16();
    w.leftColumn = in.U16();
    w.gridColor = in.U16();
    if (in.Remaining() >= 6) {
      in.Skip(2);
      w.pageBreakZoom = in.U16();
      w.normalZoom = in.U16();
    }
  }

  void ReadMerges(const RecordView& r) {
    DataReader in(r.data, "MERGEDCELLS");
    const std::uint16_t count = in.U16();
    for (std::uint16_t k = 0; k < count; ++k) {
      CellRange range;
      range.rowFirst = in.U16();
      range.rowLast = in.U16();
      range.columnFirst = in.U16();
      range.columnLast = in.U16();
      sheet_.merges.push_back(range);
    }
  }

  const std::vector<RecordView>& records_;
  const std::vector<std::string>& strings_;
  Sheet& sheet_;
  std::uint16_t anchor_ = 0;
};

}  // namespace

void ReadSheet(const std::vector<RecordView>& records, std::size_t first, const std::vector<std::string>& strings,
               Sheet& sheet) {
  SheetParser(records, strings, sheet).Run(first);
}

}  // namespace quillora::engine
