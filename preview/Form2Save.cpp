// "Save Results To Excel File": a byte-for-byte copy of the generated workbook under a name
// the user picks.
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

#include "app/ErrorTrap.h"
#include "app/Theme.h"
#include "preview/Form2.h"
#include "spreadsheet/base/ReadFile.h"
#include "spreadsheet/base/ReplaceFile.h"
#include "workbook/core/FileHelpers.h"

namespace quillora {
namespace {

// Copies `source` over `target` so that `target` only ever holds its old content or the
// whole copy: the bytes go to a new file beside it, which is then renamed over it. Each
// failure names its file.
void CopyReplacing(const std::filesystem::path& source, const std::filesystem::path& target) {
  const std::vector<std::uint8_t> bytes = base::ReadWholeFile(source, base::kMaxWorkbookBytes);
  try {
    base::ReplaceFile(target, bytes);
  } catch (const std::runtime_error& failure) {
    throw std::runtime_error(std::string("Cannot save a copy as ") + failure.what());
  }
}

}  // namespace

void Form2::PushButton6_Click() {
  ErrorTrap trap(context_.desktop, QStringLiteral("Form2"), QStringLiteral("PushButton6_Click"));
  // "Done." follows only a cancel, a "No" or a completed copy; any failed step drops it.
  bool failed = false;
  const auto step = [&](int number, auto&& statement) { failed |= !trap(number, statement); };

  SaveFileRequest request;
  step(106, [&] { request.initialName.clear(); });
  step(108, [&] { request.title = QStringLiteral("Save File"); });
  // The one entry "Excel Files (*.xls)|*.xls|" in the dialog's own notation.
  step(110, [&] { request.filter = QStringLiteral("Excel Files (*.xls)"); });
  QString target;
  std::optional<QString> chosen;
  step(112, [&] { chosen = context_.desktop.askSaveFileName(request); });
  step(114, [&] { target = chosen.value_or(QString()); });  // used exactly as chosen

  std::optional<MessageAnswer> answer;  // no choice yet
  if (!trap.test(116, [&] { return target.isEmpty(); })) {
    const std::filesystem::path targetPath(target.toStdString());
    const bool exists = trap.test(118, [&] { return FileExists(targetPath); });
    if (exists) {
      step(120, [&] {
        answer = context_.desktop.showMessage(
            QStringLiteral("Are you sure you wish to overwrite ") + target + QStringLiteral(" ?"),
            AppTitle(), MessageButtons::YesNo, MessageIcon::None);
      });
      // 122 tests the answer; 124 deleted the old file before copying and is gone: the
      // copy below replaces it only once complete.
    }
    step(126, [&] {
      if (!exists) answer = MessageAnswer::Yes;
    });
    if (trap.test(128, [&] { return answer == MessageAnswer::Yes; }))
      step(130, [&] { CopyReplacing(mExcelFile.toStdString(), targetPath); });
  }
  if (!failed)
    trap(132, [&] {
      context_.desktop.showMessage(QStringLiteral("Done."), AppTitle(), MessageButtons::Ok,
                                   MessageIcon::None);
    });
}

}  // namespace quillora
