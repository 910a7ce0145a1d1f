// The preview picture's context menu: "Print…" to the printer the dialog chose, "Export
// PDF…" replacing a file only with a complete PDF and only when the user agrees, and "Copy
// Picture" to the clipboard.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <regex>
#include <set>

#include "preview/Form2.h"
#include "resources/resources.h"
#include "tests/preview/PreviewTestSupport.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/TempDir.h"

namespace quillora {
namespace {

using testing::ReadText;
using testing::WriteText;

// The page count a PDF's page tree states; -1 for a file that is no PDF.
int PdfPages(const std::string& pdf) {
  std::smatch match;
  if (pdf.rfind("%PDF-", 0) != 0 || !std::regex_search(pdf, match, std::regex("/Type /Pages[^>]*/Count (\\d+)")))
    return -1;
  return std::stoi(match[1]);
}

class Form2PrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::vector<std::uint8_t> bytes = resources::TemplateBytes();
    WriteText(temp / "tamrel12345678.xls", std::string(bytes.begin(), bytes.end()));
    form->mExcelFile = QString::fromStdString((temp / "tamrel12345678.xls").string());
  }

  QString in(const std::string& name) const { return QString::fromStdString((saves / name).string()); }
  std::set<std::string> savedNames() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(saves.path())) names.insert(entry.path().filename().string());
    return names;
  }
  QAction* action(int index) const { return form->pictureMenu()->actions().at(index); }

  testing::FakeDesktop desktop;
  SystemClock clock;
  SystemRandom random;
  testing::TempDir programFolder, temp, saves;
  AppContext context{desktop, clock, random, programFolder.path(), [this] { return temp.path(); }};
  QWidget form1;
  std::unique_ptr<Form2> form = std::make_unique<Form2>(context, &form1);
};

TEST_F(Form2PrintTest, TheMenuOpensOnThePictureWithItsThreeEntries) {
  QStringList texts;
  for (QAction* entry : form->pictureMenu()->actions()) texts << entry->text();
  EXPECT_EQ(texts, (QStringList{"Print…", "Export PDF…", "Copy Picture"}));
  form->show();
  QWidget* picture = form->viewport().Picture1;
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), picture->mapToGlobal(QPoint(10, 10)));
  QCoreApplication::sendEvent(picture, &event);
  EXPECT_TRUE(form->pictureMenu()->isVisible());
  form->pictureMenu()->hide();
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(Form2PrintTest, ExportWritesTheWorkbooksPagesAndReplacesOnlyWithConsent) {
  desktop.saveNames.push_back(in("budget.pdf"));
  action(1)->trigger();
  ASSERT_EQ(desktop.saveRequests.size(), 1u);
  EXPECT_EQ(desktop.saveRequests[0].filter, "PDF Files (*.pdf)");
  EXPECT_EQ(PdfPages(ReadText(saves / "budget.pdf")), 3);
  EXPECT_EQ(savedNames(), std::set<std::string>{"budget.pdf"});  // no temporary file left
  EXPECT_TRUE(desktop.messages.empty());

  WriteText(saves / "budget.pdf", "the user's own file");
  desktop.saveNames.push_back(in("budget.pdf"));
  desktop.answers.push_back(MessageAnswer::No);
  action(1)->trigger();
  EXPECT_EQ(desktop.messageTexts(), QStringList{"Are you sure you wish to overwrite " + in("budget.pdf") + " ?"});
  EXPECT_EQ(ReadText(saves / "budget.pdf"), "the user's own file");

  desktop.saveNames.push_back(in("budget.pdf"));
  desktop.answers.push_back(MessageAnswer::Yes);
  action(1)->trigger();
  EXPECT_EQ(PdfPages(ReadText(saves / "budget.pdf")), 3);
  EXPECT_EQ(savedNames(), std::set<std::string>{"budget.pdf"});

  action(1)->trigger();  // cancelled: nothing asked, nothing written
  EXPECT_EQ(desktop.messages.size(), 2u);
}

TEST_F(Form2PrintTest, AWorkbookThatCannotBeReadIsReportedAndNothingIsWritten) {
  WriteText(temp / "tamrel12345678.xls", "not a workbook");
  desktop.saveNames.push_back(in("budget.pdf"));
  action(1)->trigger();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_TRUE(desktop.messages[0].text.contains("mnuExportPdf_Click")) << desktop.messages[0].text.toStdString();
  EXPECT_TRUE(desktop.saveRequests.empty());
  EXPECT_TRUE(savedNames().empty());
}

TEST_F(Form2PrintTest, PrintSendsEveryPageOrTheChosenRangeToThePrinter) {
  action(0)->trigger();  // cancelled
  EXPECT_EQ(desktop.printRequests, std::vector<int>{3});
  EXPECT_TRUE(savedNames().empty());

  desktop.printFiles.push_back(in("printed.pdf"));
  action(0)->trigger();
  EXPECT_EQ(PdfPages(ReadText(saves / "printed.pdf")), 3);
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(Form2PrintTest, CopyPicturePutsThePictureOnTheClipboard) {
  form->setPicture(preview::testing::SheetPicture());
  action(2)->trigger();
  const QImage copied = QGuiApplication::clipboard()->image();
  EXPECT_EQ(copied.size(), QSize(550, 2465));
  EXPECT_EQ(copied.pixelColor(10, 200), preview::testing::SheetPicture().pixelColor(10, 200));
  EXPECT_TRUE(desktop.messages.empty());
}

}  // namespace
}  // namespace quillora
