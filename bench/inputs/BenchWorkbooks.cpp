#include "bench/inputs/BenchWorkbooks.h"

#include <stdexcept>
#include <utility>

#include "bench/inputs/BandedPng.h"
#include "spreadsheet/base/A1Text.h"
#include "spreadsheet/drawing/OfficeArtTypes.h"
#include "spreadsheet/formula/Formula.h"

namespace quillora::bench {
namespace {

using namespace engine;

constexpr int kPictureSide = 4000;
constexpr int kGridColumns = 250;
constexpr int kShapesPerGridRow = 20;
constexpr int kShapeColumns = 2, kShapeRows = 5;
// Palette indexes as the file stores them: grey borders, rose fill on totals.
constexpr std::uint8_t kBorderColour = 23, kTotalFill = 45;

// Cell format indexes of a budget-like sheet, made by AddBudgetFormats.
struct BudgetFormats {
  std::uint16_t label, amount, totalLabel, totalAmount;
};

std::uint16_t AddFormat(Workbook& book, const CellFormat& xf) {
  book.cellFormats.push_back(xf);
  return static_cast<std::uint16_t>(book.cellFormats.size() - 1);
}

BudgetFormats AddBudgetFormats(Workbook& book) {
  Font bold;
  bold.weight = 700;
  const auto boldFont = static_cast<std::uint16_t>(book.fonts.size());
  book.fonts.push_back(bold);
  book.numberFormats[164] = "\"$\"#,##0.00_);[Red]\\(\"$\"#,##0.00\\)";

  CellFormat label;
  label.left = label.right = label.top = label.bottom = {BorderStyle::Thin, kBorderColour};
  CellFormat amount = label;
  amount.format = 164;
  CellFormat totalLabel = label;
  totalLabel.font = boldFont;
  totalLabel.top = {BorderStyle::Medium, kBorderColour};
  totalLabel.fillPattern = 1;
  totalLabel.fillForeground = kTotalFill;
  CellFormat totalAmount = totalLabel;
  totalAmount.format = 164;
  return {AddFormat(book, label), AddFormat(book, amount), AddFormat(book, totalLabel),
          AddFormat(book, totalAmount)};
}

Sheet NamedSheet(const char* name) {
  Sheet sheet;
  sheet.name = name;
  return sheet;
}

void PutFormula(Cell& cell, const std::string& text, Value cached) {
  cell.formula = Formula{};
  cell.formula->tokens = CompileFormula(text);
  cell.value = std::move(cached);
}

// An amount in cents that varies with its place, positive and below 10,000.
double AmountAt(int row, int column) { return ((row * 37 + column * 101) % 99991) / 100.0 + 1; }

}  // namespace

Workbook BudgetSheet(int cells, bool pairMerges) {
  if (cells < 1) throw std::invalid_argument("a budget sheet needs at least one cell");
  Workbook book = NewWorkbook();
  const BudgetFormats formats = AddBudgetFormats(book);
  Sheet sheet = NamedSheet("Budget");
  sheet.columns.push_back({.first = 0, .last = 0, .width = 20 * 256});
  sheet.columns.push_back({.first = 1, .last = kBudgetColumns - 1, .width = 12 * 256});

  const int rows = (cells + kBudgetColumns - 1) / kBudgetColumns;
  std::vector<double> blockSums(kBudgetColumns, 0.0);
  for (int row = 0; row < rows; ++row) {
    const bool total = row % kBudgetBlockRows == kBudgetBlockRows - 1;
    const int block = row / kBudgetBlockRows;
    auto put = [&](int column, Value value, std::uint16_t xf) -> Cell& {
      Cell& cell = sheet.cells.emplace_hint(sheet.cells.end(), CellAddress{row, column}, Cell{})->second;
      cell.value = std::move(value);
      cell.xf = xf;
      return cell;
    };
    if (!total) {
      put(0, "Item " + std::to_string(row + 1), formats.label);
      for (int column = 1; column < kBudgetColumns; ++column) {
        const double amount = AmountAt(row, column);
        blockSums[column] += amount;
        put(column, amount, formats.amount);
      }
      continue;
    }
    put(0, "Total " + std::to_string(block + 1), formats.totalLabel);
    const int first = block * kBudgetBlockRows;
    for (int column = 1; column < kBudgetColumns; ++column) {
      const std::string letters = ColumnLetters(column);
      PutFormula(put(column, Value{}, formats.totalAmount),
                 "SUM(" + letters + std::to_string(first + 1) + ":" + letters + std::to_string(row) + ")",
                 blockSums[column]);
      blockSums[column] = 0;
    }
  }
  if (pairMerges)
    for (int row = 0; row < rows; ++row)
      for (int column = 0; column + 1 < kBudgetColumns; column += 2)
        sheet.merges.push_back({row, column, row, column + 1});
  book.sheets.push_back(std::move(sheet));
  return book;
}

Workbook FormulaChain(int cells) {
  if (cells < 1 || cells > kChainRowsPerColumn * 256)
    throw std::invalid_argument("a formula chain holds 1.." + std::to_string(kChainRowsPerColumn * 256) + " cells");
  Workbook book = NewWorkbook();
  Sheet sheet = NamedSheet("Chain");
  std::string previous;
  for (int i = 0; i < cells; ++i) {
    const CellAddress at = ChainCell(i);
    Cell& cell = sheet.cells[at];
    if (i == 0)
      cell.value = 1.0;
    else
      PutFormula(cell, previous + "+1", static_cast<double>(i + 1));
    previous = CellText(at.row, at.column);
  }
  book.sheets.push_back(std::move(sheet));
  return book;
}

CellAddress ChainCell(int i) { return {i % kChainRowsPerColumn, i / kChainRowsPerColumn}; }

Workbook GridSheet(int rows, int columns, bool merged) {
  if (rows < 1 || rows > 65536 || columns < 1 || columns > 256)
    throw std::invalid_argument("a grid holds 1..65536 rows of 1..256 columns");
  Workbook book = NewWorkbook();
  CellFormat plain = book.cellFormats[15];
  plain.bottom = {BorderStyle::Thin, 8};
  CellFormat filled = plain;
  filled.fillPattern = 1;
  filled.fillForeground = 22;
  CellFormat centred = plain;
  centred.horizontal = HorizontalAlignment::Center;
  const std::uint16_t xfPlain = AddFormat(book, plain), xfFilled = AddFormat(book, filled),
                      xfCentred = AddFormat(book, centred);
  Sheet sheet = NamedSheet("Grid");
  // Gridlines shown; every column 30 px wide.
  sheet.window.options = 0x06B6;
  sheet.columns.push_back({0, static_cast<std::uint16_t>(columns - 1), 1097, 15});
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column) {
      const int n = row * columns + column;
      Cell& cell = sheet.cells.emplace_hint(sheet.cells.end(), CellAddress{row, column}, Cell{})->second;
      cell.xf = n % 3 == 0 ? xfFilled : (column % 2 == 0 ? xfCentred : xfPlain);
      if (column % 2 == 0)
        cell.value = "t" + std::to_string(n % 997);
      else
        cell.value = static_cast<double>(n % 1000) / 8;
    }
  if (merged)
    for (int row = 0; row < rows; ++row)
      for (int column = 0; column + 1 < columns; column += 2) sheet.merges.push_back({row, column, row, column + 1});
  book.sheets.push_back(std::move(sheet));
  return book;
}

Workbook WholeSheetSums(int copies) {
  if (copies < 1 || copies > 65536 * 10) throw std::invalid_argument("whole-sheet sums: 1..655360 copies");
  Workbook book = NewWorkbook();
  Sheet sheet = NamedSheet("Sums");
  const std::vector<std::uint8_t> tokens = CompileFormula("SUM(A1:IV65536)");
  for (int i = 0; i < copies; ++i) {
    Cell& cell = sheet.cells.emplace_hint(sheet.cells.end(), CellAddress{i / 10, i % 10}, Cell{})->second;
    cell.formula = Formula{};
    cell.formula->tokens = tokens;
    cell.value = 0.0;
  }
  book.sheets.push_back(std::move(sheet));
  return book;
}

Workbook SharedPictureSheet(int shapes, int side) { return SharedPictureSheet(shapes, BandedPng(side, side)); }

Workbook SharedPictureSheet(int shapes, std::vector<std::uint8_t> png) {
  if (shapes < 1 || shapes >= static_cast<int>(officeart::kShapeIdsPerCluster))
    throw std::invalid_argument("one sheet drawing holds 1.." + std::to_string(officeart::kShapeIdsPerCluster - 1) +
                                " picture shapes");
  Workbook book = NewWorkbook();
  book.pictures.blips.push_back({BlipKind::Png, std::move(png)});
  Sheet sheet = NamedSheet("Pictures");
  for (int i = 0; i < shapes; ++i) {
    SheetPicture picture;
    picture.name = "Photo " + std::to_string(i + 1);
    picture.blipIndex = 1;
    picture.shapeId = FirstShapeId(1) + 1 + static_cast<std::uint32_t>(i);
    const int column = (i % kShapesPerGridRow) * kShapeColumns, row = (i / kShapesPerGridRow) * kShapeRows;
    picture.anchor.col1 = static_cast<std::uint16_t>(column);
    picture.anchor.row1 = static_cast<std::uint16_t>(row);
    picture.anchor.col2 = static_cast<std::uint16_t>(column + kShapeColumns);
    picture.anchor.row2 = static_cast<std::uint16_t>(row + kShapeRows);
    sheet.cells[{row, column}].value = picture.name;
    sheet.pictures.push_back(std::move(picture));
  }
  // A cell at the grid's far corner, so the used range holds every shape.
  const int gridRows = (shapes + kShapesPerGridRow - 1) / kShapesPerGridRow;
  sheet.cells[{gridRows * kShapeRows, kShapesPerGridRow * kShapeColumns}].value = std::string("End");
  book.sheets.push_back(std::move(sheet));
  return book;
}

Workbook ManyEmptyStreams(int streams) {
  if (streams < 0) throw std::invalid_argument("a negative number of streams");
  Workbook book = BudgetSheet(1000);
  book.otherStreams.reserve(static_cast<std::size_t>(streams));
  for (int i = 0; i < streams; ++i) book.otherStreams.push_back({"Empty " + std::to_string(i + 1), {}});
  return book;
}

const std::vector<std::string>& BenchWorkbookKinds() {
  static const std::vector<std::string> kinds = {"budget",   "merged",  "chain", "sums",
                                                 "pictures", "streams", "grid",  "grid-merged"};
  return kinds;
}

Workbook MakeBenchWorkbook(const std::string& kind, int n) {
  if (kind == "budget") return BudgetSheet(n);
  if (kind == "merged") return BudgetSheet(n, true);
  if (kind == "chain") return FormulaChain(n);
  if (kind == "sums") return WholeSheetSums(n);
  if (kind == "pictures") return SharedPictureSheet(n, kPictureSide);
  if (kind == "streams") return ManyEmptyStreams(n);
  if (kind == "grid" || kind == "grid-merged") {
    if (n < 1) throw std::invalid_argument("a grid needs at least one cell");
    return GridSheet((n + kGridColumns - 1) / kGridColumns, kGridColumns, kind == "grid-merged");
  }
  std::string known;
  for (const auto& name : BenchWorkbookKinds()) known += (known.empty() ? "" : ", ") + name;
  throw std::invalid_argument("unknown kind \"" + kind + "\" (known: " + known + ")");
}

}  // namespace quillora::bench
