// The preview picture's context menu: the generated workbook printed or exported as a PDF,
// page by page as its page setup says, and the picture copied to the clipboard.
#include <QClipboard>
#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>
#include <memory>
#include <optional>
#include <stdexcept>

#include "app/ErrorTrap.h"
#include "app/Theme.h"
#include "preview/Form2.h"
#include "spreadsheet/base/ReadFile.h"
#include "spreadsheet/base/ReplaceFile.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/render/PageOutput.h"
#include "workbook/core/FileHelpers.h"

namespace quillora {
namespace {

// The generated workbook, read back, with its active sheet laid out on pages.
struct WorkbookPages {
  explicit WorkbookPages(const QString& path)
      : workbook(engine::ReadWorkbook(base::ReadWholeFile(path.toStdString(), base::kMaxWorkbookBytes))),
        pages(workbook, render::ActiveSheetIndex(workbook),
              {QFileInfo(path).fileName(), QFileInfo(path).absolutePath(), QDateTime::currentDateTime()}) {}
  engine::Workbook workbook;
  render::SheetPages pages;
};

}  // namespace

void Form2::makePictureMenu() {
  pictureMenu_ = new QMenu(this);
  pictureMenu_->setObjectName(QStringLiteral("PictureMenu"));
  pictureMenu_->addAction(QStringLiteral("Print…"), this, &Form2::mnuPrint_Click);
  pictureMenu_->addAction(QStringLiteral("Export PDF…"), this, &Form2::mnuExportPdf_Click);
  pictureMenu_->addAction(QStringLiteral("Copy Picture"), this, &Form2::mnuCopyPicture_Click);
  for (QWidget* surface : {static_cast<QWidget*>(viewport_.Picture1), static_cast<QWidget*>(viewport_.Picture2)}) {
    surface->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(surface, &QWidget::customContextMenuRequested, this,
            [this, surface](const QPoint& at) { pictureMenu_->popup(surface->mapToGlobal(at)); });
  }
}

void Form2::mnuPrint_Click() {
  ErrorTrap trap(context_.desktop, QStringLiteral("Form2"), QStringLiteral("mnuPrint_Click"));
  std::unique_ptr<WorkbookPages> book;
  if (!trap(100, [&] { book = std::make_unique<WorkbookPages>(mExcelFile); })) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setFullPage(true);  // the pages draw their own margins from the paper's corner
  printer.setDocName(QStringLiteral("Wedding Budget"));
  printer.setPageLayout(book->pages.PaperLayout());
  bool chosen = false;
  trap(102, [&] { chosen = context_.desktop.askPrint(printer, book->pages.PageCount()); });
  if (!chosen) return;
  trap(104, [&] {
    const bool range = printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0;
    const int first = range ? printer.fromPage() - 1 : 0;
    const int last = range ? printer.toPage() - 1 : book->pages.PageCount() - 1;
    render::PaintPages(book->pages, printer, first, last);
  });
}

void Form2::mnuExportPdf_Click() {
  ErrorTrap trap(context_.desktop, QStringLiteral("Form2"), QStringLiteral("mnuExportPdf_Click"));
  std::unique_ptr<WorkbookPages> book;
  if (!trap(100, [&] { book = std::make_unique<WorkbookPages>(mExcelFile); })) return;
  SaveFileRequest request{QStringLiteral("Export PDF"), QStringLiteral("PDF Files (*.pdf)"),
                          QStringLiteral("Wedding Budget.pdf")};
  QString target;
  trap(102, [&] { target = context_.desktop.askSaveFileName(request); });
  if (target.isEmpty()) return;
  // As with saving the workbook: an existing file is replaced only when the user says so,
  // and then only by a complete new file.
  const std::filesystem::path targetPath(target.toStdString());
  if (trap.test(104, [&] { return FileExists(targetPath); })) {
    std::optional<MessageAnswer> answer;
    trap(106, [&] {
      answer = context_.desktop.showMessage(
          QStringLiteral("Are you sure you wish to overwrite ") + target + QStringLiteral(" ?"), AppTitle(),
          MessageButtons::YesNo, MessageIcon::None);
    });
    if (answer != MessageAnswer::Yes) return;
  }
  trap(108, [&] {
    try {
      base::ReplaceFile(targetPath, render::PagesToPdf(book->pages, QStringLiteral("Wedding Budget")));
    } catch (const std::runtime_error& failure) {
      throw std::runtime_error(std::string("Cannot export the PDF as ") + failure.what());
    }
  });
}

void Form2::mnuCopyPicture_Click() {
  ErrorTrap trap(context_.desktop, QStringLiteral("Form2"), QStringLiteral("mnuCopyPicture_Click"));
  trap(100, [&] {
    const QImage& picture = viewport_.Picture1->picture();
    if (picture.isNull()) throw std::runtime_error("There is no picture to copy");
    QGuiApplication::clipboard()->setImage(picture);
  });
}

}  // namespace quillora
