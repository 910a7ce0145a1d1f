#pragma once
// The automation object model the program drives: an Application with its open workbooks,
// their worksheets and ranges of cells, on top of the workbook model.
//
// Objects are light handles (a shared state and a position), so calls copy nothing of the
// model. A Workbook handle stays valid after Close and an object of any kind after Quit, but
// using it then throws AutomationError. Every failure throws AutomationError with one line that
// says what failed and where ("Cannot open /tmp/x.xls: Not a readable compound file: ...").
// Numbers follow the automation convention: rows, columns and item numbers start at 1.
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "spreadsheet/base/Error.h"
#include "spreadsheet/formula/CellSource.h"
#include "spreadsheet/model/Workbook.h"
#include "spreadsheet/numbers/NumberLocale.h"

namespace quillora::engine::automation {

class AutomationError : public engine::Error {
 public:
  using engine::Error::Error;
};

// FileFormat codes SaveAs takes: the workbook format of versions before 12, and the
// Excel 97-2003 format in version 12 and later. Both write a BIFF8 workbook.
inline constexpr int kWorkbookNormal = -4143;
inline constexpr int kExcel8 = 56;

// What Application::Version reports: a version of 12 or later, so callers choose code 56.
inline constexpr std::string_view kEngineVersion = "16.0";

// Draws a range of a sheet as it shows on screen and puts the picture on the clipboard.
// Supplied by the renderer; the engine itself draws nothing.
using CopyPictureHook = std::function<void(const Workbook& workbook, int sheet, const CellRange& range)>;

struct ApplicationState;
struct BookState;
class Range;
class Worksheet;
class Workbook;

// Rows or Columns of a range: count and items by number.
class RangeLines {
 public:
  int count() const;
  // Line `number` (1-based) of the range, as a range.
  automation::Range Item(int number) const;

 private:
  friend class Range;
  RangeLines(std::shared_ptr<BookState> book, int sheet, CellRange range, bool rows);
  std::shared_ptr<BookState> book_;
  int sheet_;
  CellRange range_;
  bool rows_;
};

class Range {
 public:
  RangeLines Rows() const;
  RangeLines Columns() const;
  int Row() const;     // first row number
  int Column() const;  // first column number
  // The value of the range's first cell: a formula cell's cached result.
  Value GetValue() const;
  // Sets every cell of the range from text as typed input under the application's locale.
  void SetValue(std::string_view text) const;
  // The number format code of the range's first cell.
  std::string NumberFormat() const;
  // Gives every cell of the range the number format `code`, keeping its other attributes;
  // a cell already showing by that code keeps its cell format. Throws for a code that does
  // not parse.
  void SetNumberFormat(std::string_view code) const;
  // Makes this range the selection of its sheet (active cell: its first cell) and the sheet
  // the active one of its workbook.
  void Select() const;
  // Hands the range to the application's CopyPictureHook; throws when none is set.
  void CopyPicture() const;
  // Zero-based corners, for callers that work on the model.
  const CellRange& Cells() const { return range_; }
  int SheetIndex() const { return sheet_; }

 private:
  friend class Worksheet;
  friend class RangeLines;
  friend class Application;
  Range(std::shared_ptr<BookState> book, int sheet, CellRange range);
  std::shared_ptr<BookState> book_;
  int sheet_;
  CellRange range_;
};

class Worksheet {
 public:
  // The cell at row and column number (1-based).
  automation::Range Cells(int row, int column) const;
  // A cell or rectangle by A1 text ("B9", "A1:C118", "$B$9").
  automation::Range Range(std::string_view a1) const;
  // The rectangle of the sheet's stored cells; A1 for a sheet without any.
  automation::Range UsedRange() const;
  std::string Name() const;

 private:
  friend class Workbook;
  friend class Application;
  Worksheet(std::shared_ptr<BookState> book, int sheet);
  std::shared_ptr<BookState> book_;
  int sheet_;
};

class Workbook {
 public:
  automation::Worksheet ActiveSheet() const;
  // Worksheet `number` (1-based) among the workbook's worksheets (charts and modules skipped).
  automation::Worksheet Worksheets(int number) const;
  // Recalculates and writes the workbook as BIFF8 to `path` at once, replacing a file of that
  // name only with a complete new one; the workbook is no template afterwards and takes the
  // new path. fileFormat must be kWorkbookNormal or kExcel8.
  void SaveAs(const std::string& path, int fileFormat) const;
  // Closes without saving; the handle is unusable afterwards.
  void Close() const;
  std::string FullName() const;  // the path it was opened from or last saved to
  // The model, for reading and for callers that work on it directly.
  const engine::Workbook& Model() const;
  engine::Workbook& Model();

 private:
  friend class WorkbookCollection;
  friend class Application;
  explicit Workbook(std::shared_ptr<BookState> book) : book_(std::move(book)) {}
  std::shared_ptr<BookState> book_;
};

class WorkbookCollection {
 public:
  // Opens the .xls or .xlt file at path for editing; it becomes the active workbook.
  automation::Workbook Open(const std::string& path) const;
  // Opens a workbook from bytes already in memory under the given name.
  automation::Workbook Open(const std::string& name, std::vector<std::uint8_t> bytes) const;
  int count() const;
  automation::Workbook Item(int number) const;  // 1-based, in order of opening

 private:
  friend class Application;
  explicit WorkbookCollection(std::shared_ptr<ApplicationState> app) : app_(std::move(app)) {}
  std::shared_ptr<ApplicationState> app_;
};

class Application {
 public:
  // A new, hidden instance reading typed input under `locale`.
  explicit Application(NumberLocale locale = UnitedStatesConventions());

  WorkbookCollection Workbooks() const;
  // Worksheet `number` of the active workbook.
  automation::Worksheet Worksheets(int number) const;
  // A range of the active sheet of the active workbook.
  automation::Range Range(std::string_view a1) const;

  bool Visible() const;
  void SetVisible(bool visible);
  bool DisplayAlerts() const;
  void SetDisplayAlerts(bool display);
  std::string Version() const;
  // Closes every workbook without saving; the application and all its objects are unusable.
  void Quit();

  const NumberLocale& Locale() const;
  void SetLocale(NumberLocale locale);
  void SetCopyPictureHook(CopyPictureHook hook);

 private:
  std::shared_ptr<ApplicationState> app_;
};

}  // namespace quillora::engine::automation
