// "Start Creating Template": the generation run with its window steps wired to the entry
// window and the preview window.
#include <QLineEdit>

#include "budget/Form1.h"
#include "preview/Form2.h"
#include "workbook/GenerationRun.h"

namespace quillora {

BudgetTexts Form1::fieldTexts() const {
  BudgetTexts texts;
  for (const BudgetCategory& category : BudgetCategories()) {
    for (int index = 0; index < category.fieldCount(); ++index) {
      const FieldAddress address{category.position, index};
      texts[address] = field(address.category, address.index)->text().toStdString();
    }
  }
  return texts;
}

Form2& Form1::previewWindow() {
  if (!form2_) form2_ = std::make_unique<Form2>(context_, this);
  return *form2_;
}

void Form1::PushButton22_Click() {
  GenerationServices services{context_.desktop, context_.clock,  context_.random,
                              excel_,           templateBytes,   context_.temporaryFolder};
  GenerationWindowSteps windows;
  windows.busyPointer = [this] { pointer_.set(PointerShape::Hourglass); };
  windows.lockDrawing = [this] { setUpdatesEnabled(false); };
  windows.showPicture = [this](const QImage& picture) { previewWindow().setPicture(picture); };
  windows.defaultPointer = [this] { pointer_.set(PointerShape::Default); };
  windows.takeWorkbook = [this](const QString& path) { previewWindow().mExcelFile = path; };
  windows.keepRunFolder = [this](std::shared_ptr<base::RunFolder> folder) {
    previewWindow().keepRunFolder(std::move(folder));
  };
  windows.showPreview = [this] { previewWindow().show(); };
  windows.hideEntryWindow = [this] { hide(); };
  windows.unlockDrawing = [this] { setUpdatesEnabled(true); };
  RunWorkbookGeneration(services, fieldTexts(), windows);
}

}  // namespace quillora
