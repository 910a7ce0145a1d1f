#include "workbook/GenerationRun.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <thread>

#include "app/ErrorTrap.h"
#include "app/QuietDelete.h"
#include "budget/core/Budget.h"
#include "spreadsheet/numbers/Amount.h"
#include "workbook/SheetCapture.h"
#include "workbook/core/BmpFile.h"
#include "spreadsheet/base/FileKind.h"
#include "spreadsheet/base/ReadFile.h"
#include "workbook/core/PrivateFiles.h"
#include "workbook/core/RunPause.h"

namespace quillora {
namespace {

using engine::automation::Workbook;

constexpr const char* kTemplateFile = "template.xlt";
constexpr const char* kPictureFile = "temp.bmp";

// The picture file: the 24-bit bitmap the capture writes is unpacked directly from the
// mapped file, the lower half of its rows on a second thread; any other picture goes through
// the general image reader. The file is the run's own, in its private folder.
QImage LoadPicture(const std::filesystem::path& path) {
  const base::MappedFile file(path, base::kMaxPictureBytes, base::Links::Refuse);
  if (const std::optional<Bitmap24> bitmap = ReadBitmap24(file.Bytes())) {
    QImage picture(bitmap->width, bitmap->height, QImage::Format_RGB32);
    if (picture.isNull()) throw std::runtime_error("Not enough memory for the picture in " + path.string());
    std::uint8_t* const pixels = picture.bits();
    const auto stride = static_cast<std::size_t>(picture.bytesPerLine());
    const auto unpack = [&](int first, int last) {
      for (int y = first; y < last; ++y) UnpackRow24(bitmap->Row(y), bitmap->width, pixels + stride * y);
    };
    const int half = bitmap->height / 2;
    std::thread lower(unpack, half, bitmap->height);
    unpack(0, half);
    lower.join();
    return picture;
  }
  QImage picture;
  if (!picture.loadFromData(file.Bytes().data(), static_cast<int>(file.Bytes().size())))
    throw std::runtime_error("Cannot load the picture file " + path.string() + ": it is not a readable picture");
  return picture;
}

template <class T>
T& Required(std::optional<T>& value, const char* what) {
  if (!value) throw std::runtime_error(std::string("Object variable not set: ") + what);
  return *value;
}

// The run's state between its steps; each step reads what earlier ones left.
class Run {
 public:
  Run(GenerationServices& services, const BudgetTexts& fields, const GenerationWindowSteps& windows)
      : s_(services), fields_(fields), windows_(windows),
        trap_(services.desktop, QStringLiteral("Form1"), QStringLiteral("PushButton22_Click")) {}

  void operator()() {
    window(100, windows_.busyPointer);
    window(102, windows_.lockDrawing);
    trap_(104, [&] { s_.session.StartExcelApp(); });
    trap_(106, [&] { template_ = s_.templateBytes(); });
    trap_(108, [&] {
      temporaryFolder_ = s_.temporaryFolder();
      runFolder_ = std::make_shared<base::RunFolder>(*temporaryFolder_);
      folder_ = runFolder_->path();
    });
    trap_(108, [&] { ProvideTemplateCopy(templateToUse(), inFolder(kTemplateFile)); });
    trap_(110, [&] { openTemplate(); });
    fillCells();
    trap_(230, [&] { useRegionalCurrency(); });
    trap_(232, [&] { s_.session.app().Range("B9").Select(); });
    trap_(234, [&] { s_.session.app().SetVisible(false); });
    trap_(236, [&] { chooseWorkbookPath(); });
    trap_(252, [&] {
      s_.session.workbook().SaveAs(Required(workbookPath_, "no temporary workbook name").string(),
                                   s_.session.GetWorkbookFileFormat(&s_.session.app()));
      saved_ = true;
    });
    trap_(254, [&] { s_.session.app().SetDisplayAlerts(false); });
    trap_(256, [&] { s_.session.workbook().Close(); });
    trap_(258, [&] { s_.session.app().Quit(); });
    trap_(260, [&] { s_.session.ReleaseExcelApp(); });
    capture();
    trap_(276, [&] { showPicture(); });
    window(278, windows_.defaultPointer);
    trap_(280, [&] {
      if (windows_.takeWorkbook)
        windows_.takeWorkbook(workbookPath_ ? QString::fromStdString(workbookPath_->string()) : QString());
      if (windows_.keepRunFolder && saved_) windows_.keepRunFolder(runFolder_);
    });
    window(282, windows_.showPreview);
    window(284, windows_.hideEntryWindow);
    if (folder_) {
      DeleteFileQuietly(*folder_ / kPictureFile);   // 286
      DeleteFileQuietly(*folder_ / kTemplateFile);  // 288
    }
    if (usedOwnTemplate_) DeleteFileQuietly(*temporaryFolder_ / kTemplateFile);  // 288
    window(290, windows_.unlockDrawing);
  }

 private:
  void window(int step, const std::function<void()>& action) {
    if (action) trap_(step, action);
  }

  // The user's own template.xlt in the temporary folder, when there is one (a regular file of
  // the user's, never one behind a link), else the embedded template. It is copied into the
  // run's folder, so a run never opens a file another run could change.
  const std::vector<std::uint8_t>& templateToUse() {
    const std::filesystem::path own = Required(temporaryFolder_, "no temporary folder") / kTemplateFile;
    if (base::IsOwnRegularFile(own)) {
      template_ = base::ReadWholeFile(own, base::kMaxWorkbookBytes, base::Links::Refuse);
      usedOwnTemplate_ = true;
    }
    return Required(template_, "the template");
  }

  std::filesystem::path inFolder(const char* name) { return Required(folder_, "no temporary folder") / name; }

  void openTemplate() {
    const std::filesystem::path path = inFolder(kTemplateFile);
    // Only a file of the user's own is opened: never one reached through a planted link.
    if (!base::IsOwnRegularFile(path))
      throw std::runtime_error("Cannot open " + path.string() + ": it is not a regular file of yours");
    s_.session.ExcelWorkbook = s_.session.app().Workbooks().Open(path.string());
  }

  // Steps 112-230: each category in its own block of twelve step numbers, estimated amounts
  // into column B and actual amounts into column C, row by row.
  void fillCells() {
    for (const BudgetCategory& category : BudgetCategories()) {
      const int base = 112 + 12 * category.position;
      int i = 0;
      for (int k = 0; k < category.itemCount(); ++k) {
        const int row = category.sheetFirstRow + k;
        for (const int column : {2, 3}) {
          const std::string& text = fields_[FieldAddress{category.position, i}];
          trap_(base + (column == 2 ? 4 : 8),
                [&] { s_.session.app().Worksheets(1).Cells(row, column).SetValue(text); });
          ++i;
        }
      }
    }
  }

  // The template shows amounts in dollars; under other regional settings the amount cells
  // and totals take the user's currency, so the workbook and its picture agree with the
  // entry window. Dollar settings leave the workbook untouched; without an instance the fill
  // has already reported and there is nothing to format.
  void useRegionalCurrency() {
    if (!s_.session.ExcelApp) return;
    const std::string dollars = engine::CurrencyNumberFormatCode(engine::UnitedStatesConventions());
    const std::string regional = engine::CurrencyNumberFormatCode(s_.session.app().Locale());
    if (regional == dollars) return;
    const auto sheet = s_.session.app().Worksheets(1);
    const auto used = sheet.UsedRange();
    const int rows = used.Rows().count();
    const int columns = used.Columns().count();
    for (int r = used.Row(); r < used.Row() + rows; ++r) {
      for (int c = used.Column(); c < used.Column() + columns; ++c) {
        const auto cell = sheet.Cells(r, c);
        if (cell.NumberFormat() == dollars) cell.SetNumberFormat(regional);
      }
    }
  }

  // Steps 236-250: a fresh name, tried again on a clash a bounded number of times. The
  // generator is seeded once per run from a fine clock, so the digits differ from each other.
  void chooseWorkbookPath() {
    const std::filesystem::path folder = Required(folder_, "no temporary folder");
    s_.random.seed(s_.clock.fineTicks());
    for (int attempt = 0; attempt < kWorkbookNameAttempts; ++attempt) {
      std::filesystem::path path = folder / (TemporaryWorkbookName(s_.random) + ".xls");
      if (!base::NameTaken(path)) {
        workbookPath_ = std::move(path);
        return;
      }
    }
    throw std::runtime_error("No free temporary workbook name in " + folder.string() + " after " +
                             std::to_string(kWorkbookNameAttempts) + " attempts");
  }

  // Steps 262-274: the saved workbook opened in a second instance and photographed there.
  void capture() {
    std::optional<Application> instance;
    std::optional<Workbook> book;
    trap_(262, [&] {
      instance = s_.session.OpenWorkbookInNewInstance(Required(workbookPath_, "no temporary workbook").string());
    });
    window(264, windows_.busyPointer);
    trap_(266, [&] {
      const auto workbooks = Required(instance, "no capture instance").Workbooks();
      book = workbooks.Item(workbooks.count());
    });
    trap_(268, [&] { saveCellsActivesheet(s_.desktop, book ? &*book : nullptr, inFolder(kPictureFile)); });
    if (folder_) PauseRunIfAsked(*folder_);
    trap_(270, [&] { Required(instance, "no capture instance").SetDisplayAlerts(false); });
    trap_(272, [&] { Required(book, "no capture workbook").Close(); });
    trap_(274, [&] { Required(instance, "no capture instance").Quit(); });
  }

  void showPicture() {
    const std::filesystem::path path = inFolder(kPictureFile);
    const QImage picture = LoadPicture(path);
    if (windows_.showPicture) windows_.showPicture(picture);
  }

  GenerationServices& s_;
  const BudgetTexts& fields_;
  const GenerationWindowSteps& windows_;
  ErrorTrap trap_;
  std::optional<std::vector<std::uint8_t>> template_;
  std::optional<std::filesystem::path> temporaryFolder_;
  std::shared_ptr<base::RunFolder> runFolder_;
  bool usedOwnTemplate_ = false;
  bool saved_ = false;  // the temporary workbook is in the run's folder
  std::optional<std::filesystem::path> folder_;
  std::optional<std::filesystem::path> workbookPath_;
};

}  // namespace

std::string TemporaryWorkbookName(RandomSource& random) {
  std::string name = "tamrel";
  for (int k = 0; k < 8; ++k) {
    int digit = static_cast<int>(random.uniform() * 9) + 1;
    if (digit > 9) digit = 9;  // a draw that rounds up to 1.0
    name += static_cast<char>('0' + digit);
  }
  return name;
}

void RunWorkbookGeneration(GenerationServices& services, const BudgetTexts& fields,
                           const GenerationWindowSteps& windows) {
  Run run(services, fields, windows);
  run();
}

}  // namespace quillora
