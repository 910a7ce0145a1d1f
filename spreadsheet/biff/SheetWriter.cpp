#include "spreadsheet/biff/SheetWriter.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string>

#include "spreadsheet/base/Error.h"
#include "spreadsheet/base/LittleEndian.h"
#include "spreadsheet/biff/KeptPlacement.h"
#include "spreadsheet/biff/RecordTypes.h"
#include "spreadsheet/biff/SheetSettingsRecords.h"

namespace quillora::engine {

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

namespace {

constexpr std::size_t kRowsPerBlock = 32;
constexpr std::size_t kRowRecordSize = 20;
constexpr std::size_t kMergesPerRecord = 1026;

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

// The rows that get a ROW record, in order: those with cells or with their own settings.
// Throws RequestError for a cell or row outside the grid.
std::vector<int> RowsWithRecords(const Sheet& sheet) {
  std::vector<int> withCells;  // cells come in row order
  for (const auto& [at, cell] : sheet.cells) {
    if (!InGrid(at))
      throw RequestError("sheet \"" + sheet.name + "\" has a cell at row " + std::to_string(at.row + 1) + ", column " +
                         std::to_string(at.column + 1) + ", outside the 65536 x 256 grid");
    if (withCells.empty() || withCells.back() != at.row) withCells.push_back(at.row);
  }
  std::vector<int> withSettings;
  for (const auto& [index, info] : sheet.rows) {
    if (!RowInGrid(index))
      throw RequestError("sheet \"" + sheet.name + "\" sets row " + std::to_string(index + 1) +
                         ", outside rows 1 to 65536");
    withSettings.push_back(index);
  }
  std::vector<int> rows;
  rows.reserve(withCells.size() + withSettings.size());
  std::set_union(withCells.begin(), withCells.end(), withSettings.begin(), withSettings.end(),
                 std::back_inserter(rows));
  return rows;
}

// How many blocks of up to 32 rows the cell table has.
std::size_t BlockCount(const std::vector<int>& rows) {
  std::size_t count = rows.empty() ? 0 : 1;
  for (std::size_t i = 1; i < rows.size(); ++i)
    if (rows[i] / kRowsPerBlock != rows[i - 1] / kRowsPerBlock) ++count;
  return count;
}

// One worksheet substream after its BOF, written record group by record group in the order
// the file holds them. INDEX is written first with room for the positions it points to,
// which are filled in once the cell table and DEFCOLWIDTH are written.
class SheetStream {
 public:
  SheetStream(RecordWriter& writer, const Sheet& sheet, const StringIndex& strings,
              std::span<const DrawingRecord> drawing)
      : writer_(writer),
        sheet_(sheet),
        strings_(strings),
        drawing_(drawing),
        kept_(writer, sheet.kept),
        rows_(RowsWithRecords(sheet)) {}

  void Write() {
    Index();
    kept_.After({0, rt::kBof});
    Settings(kSettingsBeforeRowHeight);
    DefaultRowHeight();
    kept_.After({rt::kDefaultRowHeight});
    Settings(kSettingsBeforeColumnWidth);
    DefaultColumnWidth();
    kept_.After({rt::kDefColWidth});
    ColumnInfos();
    kept_.After({rt::kColInfo});
    Dimensions();
    kept_.After({rt::kDimensions});
    CellTable();
    kept_.After({rt::kRow});
    Drawing();
    Window2();
    kept_.After({rt::kWindow2});
    Settings(kSettingsAfterWindow);
    MergedCells();
    kept_.After({rt::kMergedCells});
    Settings(kSettingsAtEnd);
    kept_.Rest();
    writer_.Write(rt::kEof, {});
    FillIndex();
  }

 private:
  // The settings records of `types`, each followed by the kept records anchored to it.
  void Settings(const std::vector<std::uint16_t>& types) {
    for (std::uint16_t type : types) {
      for (const auto& payload : EncodeSheetSetting(type, sheet_)) writer_.Write(type, payload);
      kept_.After({type});
    }
  }

  void Index() {
    indexPosition_ = writer_.Position();
    data_.assign(16 + 4 * BlockCount(rows_), 0);
    if (!rows_.empty()) {
      Store32(data_.data() + 4, static_cast<std::uint32_t>(rows_.front()));
      Store32(data_.data() + 8, static_cast<std::uint32_t>(rows_.back() + 1));
    }
    writer_.Write(rt::kIndex, data_);
  }

  void DefaultRowHeight() {
    data_.clear();
    Put16(data_, sheet_.defaultRowOptions);
    Put16(data_, sheet_.defaultRowHeight);
    writer_.Write(rt::kDefaultRowHeight, data_);
  }

  void DefaultColumnWidth() {
    defColWidthPosition_ = writer_.Position();
    data_.clear();
    Put16(data_, sheet_.defaultColumnWidth);
    writer_.Write(rt::kDefColWidth, data_);
  }

  void ColumnInfos() {
    for (const ColumnInfo& c : sheet_.columns) {
      data_.clear();
      Put16(data_, c.first);
      Put16(data_, c.last);
      Put16(data_, c.width);
      Put16(data_, c.xf);
      Put16(data_, static_cast<std::uint16_t>(c.hidden | (c.customWidth << 1) | (c.bestFit << 2) | (c.phonetic << 3) |
                                              ((c.outlineLevel & 7) << 8) | (c.collapsed << 12)));
      Put16(data_, 0);
      writer_.Write(rt::kColInfo, data_);
    }
  }

  void Dimensions() {
    int first_column = kColumnCount, end_column = 0;
    for (const auto& [at, cell] : sheet_.cells) {
      first_column = std::min(first_column, at.column);
      end_column = std::max(end_column, at.column + 1);
    }
    data_.clear();
    Put32(data_, rows_.empty() ? 0 : static_cast<std::uint32_t>(rows_.front()));
    Put32(data_, rows_.empty() ? 0 : static_cast<std::uint32_t>(rows_.back() + 1));
    Put16(data_, static_cast<std::uint16_t>(end_column == 0 ? 0 : first_column));
    Put16(data_, static_cast<std::uint16_t>(end_column));
    Put16(data_, 0);
    writer_.Write(rt::kDimensions, data_);
  }

  // The cell table, in blocks of up to 32 rows: ROW records, the rows' cells, DBCELL.
  void CellTable() {
    auto cell = sheet_.cells.begin();
    RowInfo default_row;
    default_row.height = sheet_.defaultRowHeight;
    for (std::size_t b = 0; b < rows_.size();) {
      std::size_t e = b;
      while (e < rows_.size() && rows_[e] / kRowsPerBlock == rows_[b] / kRowsPerBlock) ++e;
      const std::size_t first_row_position = writer_.Position();
      for (std::size_t r = b; r < e; ++r) {
        const int index = rows_[r];
        auto lower = sheet_.cells.lower_bound(CellAddress{index, 0});
        auto upper = sheet_.cells.lower_bound(CellAddress{index + 1, 0});
        const std::uint16_t first = lower == upper ? 0 : static_cast<std::uint16_t>(lower->first.column);
        const std::uint16_t end = lower == upper ? 0 : static_cast<std::uint16_t>(std::prev(upper)->first.column + 1);
        const auto info = sheet_.rows.find(index);
        PutRow(data_, index, info == sheet_.rows.end() ? default_row : info->second, first, end);
        writer_.Write(rt::kRow, data_);
      }
      std::vector<std::uint8_t> dbcell;
      Put32(dbcell, 0);
      std::size_t previous = first_row_position + kRowRecordSize;
      for (std::size_t r = b; r < e; ++r) {
        const std::size_t start = writer_.Position();
        Put16(dbcell, static_cast<std::uint16_t>(start - previous));
        previous = start;
        for (; cell != sheet_.cells.end() && cell->first.row == rows_[r]; ++cell)
          WriteCell(writer_, cell->first, cell->second, strings_, data_);
      }
      dbcellPositions_.push_back(static_cast<std::uint32_t>(writer_.Position()));
      Store32(dbcell.data(), static_cast<std::uint32_t>(writer_.Position() - first_row_position));
      writer_.Write(rt::kDbCell, dbcell);
      b = e;
    }
  }

  // The pictures' records (MSODRAWING, OBJ, TXO), after the cell table.
  void Drawing() {
    for (const DrawingRecord& record : drawing_) {
      const std::uint16_t type = record.kind == DrawingRecordKind::Drawing  ? rt::kMsoDrawing
                                 : record.kind == DrawingRecordKind::Object ? rt::kObj
                                                                            : rt::kTxo;
      writer_.Write(type, record.payload);
    }
  }

  void Window2() {
    data_.clear();
    const SheetWindow& w = sheet_.window;
    for (std::uint16_t v :
         {w.options, w.topRow, w.leftColumn, w.gridColor, std::uint16_t{0}, w.pageBreakZoom, w.normalZoom})
      Put16(data_, v);
    Put32(data_, 0);
    writer_.Write(rt::kWindow2, data_);
  }

  void MergedCells() {
    const auto& merges = sheet_.merges;
    for (std::size_t m = 0; m < merges.size(); m += kMergesPerRecord) {
      const std::size_t count = std::min(kMergesPerRecord, merges.size() - m);
      data_.clear();
      Put16(data_, static_cast<std::uint16_t>(count));
      for (std::size_t k = m; k < m + count; ++k) {
        const CellRange& range = merges[k];
        for (int v : {range.rowFirst, range.rowLast, range.columnFirst, range.columnLast})
          Put16(data_, static_cast<std::uint16_t>(v));
      }
      writer_.Write(rt::kMergedCells, data_);
    }
  }

  // INDEX points to DEFCOLWIDTH and to each block's DBCELL.
  void FillIndex() {
    std::uint8_t* index = writer_.Bytes().data() + indexPosition_ + 4;
    Store32(index + 12, static_cast<std::uint32_t>(defColWidthPosition_));
    for (std::size_t k = 0; k < dbcellPositions_.size(); ++k) Store32(index + 16 + 4 * k, dbcellPositions_[k]);
  }

  RecordWriter& writer_;
  const Sheet& sheet_;
  const StringIndex& strings_;
  std::span<const DrawingRecord> drawing_;
  KeptPlacement kept_;
  const std::vector<int> rows_;
  std::vector<std::uint8_t> data_;
  std::size_t indexPosition_ = 0;
  std::size_t defColWidthPosition_ = 0;
  std::vector<std::uint32_t> dbcellPositions_;
};

}  // namespace

void WriteSheet(RecordWriter& writer, const Sheet& sheet, const StringIndex& strings,
                std::span<const DrawingRecord> drawing) {
  WriteBof(writer, sheet.bofType, sheet.bof);
  if (sheet.opaque) {
    WriteAllKept(writer, sheet.kept);
    writer.Write(rt::kEof, {});
    return;
  }
  SheetStream(writer, sheet, strings, drawing).Write();
}

}  // namespace quillora::engine
