#pragma once
// The generation run behind "Start Creating Template": the template copied to the temporary
// folder, the 142 amounts written into it, the workbook saved under a fresh temporary name,
// the sheet photographed in a second instance, and picture and path handed to the windows.
#include <QImage>
#include <QString>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "app/Desktop.h"
#include "app/core/Services.h"
#include "budget/core/BudgetTexts.h"
#include "spreadsheet/base/RunFolder.h"
#include "workbook/ExcelSession.h"

namespace quillora {

// What the run asks of the windows, each at its own step; a missing one is skipped.
struct GenerationWindowSteps {
  std::function<void()> busyPointer;                  // 100 and 264
  std::function<void()> lockDrawing;                  // 102
  std::function<void(const QImage&)> showPicture;     // 276, the loaded sheet picture
  std::function<void()> defaultPointer;               // 278
  std::function<void(const QString&)> takeWorkbook;   // 280, the temporary workbook's path
  // 280, the run's own folder, which holds the temporary workbook: whoever keeps it keeps the
  // workbook; without a keeper the folder and all in it go when the run ends.
  std::function<void(std::shared_ptr<base::RunFolder>)> keepRunFolder;
  std::function<void()> showPreview;                  // 282
  std::function<void()> hideEntryWindow;              // 284
  std::function<void()> unlockDrawing;                // 290
};

// The outside world of the run.
struct GenerationServices {
  Desktop& desktop;
  Clock& clock;
  RandomSource& random;
  ExcelSession& session;
  // The embedded template, read afresh on every run.
  std::function<std::vector<std::uint8_t>()> templateBytes;
  // The temporary folder T, in which each run makes a folder of its own; may throw when no
  // safe folder exists.
  std::function<std::filesystem::path()> temporaryFolder;
};

// How many fresh names the run tries before it gives up on the temporary workbook.
inline constexpr int kWorkbookNameAttempts = 1000;

// Runs every step from 100 to 290 under the trap Form1.PushButton22_Click: a failing step is
// reported and the run goes on, so the window steps always run. Reads the field texts as
// they stand.
void RunWorkbookGeneration(GenerationServices& services, const BudgetTexts& fields,
                           const GenerationWindowSteps& windows);

// "tamrel" and eight digits from 1 to 9, each the whole part of a draw times 9, plus 1.
std::string TemporaryWorkbookName(RandomSource& random);

}  // namespace quillora
