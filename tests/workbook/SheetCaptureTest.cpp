// Capturing a sheet: the clipboard read's retries, the picture file and its refusals.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QClipboard>
#include <filesystem>

#include "resources/resources.h"
#include "spreadsheet/render/SheetRenderer.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/TempDir.h"
#include "workbook/ExcelSession.h"
#include "workbook/SheetCapture.h"

namespace quillora {
namespace {

using testing::FakeDesktop;
using testing::TempDir;

TEST(SheetCaptureTest, ABusyClipboardIsReadAgainUpToAThousandTimes) {
  int attempts = 0;
  const QImage dot(1, 1, QImage::Format_RGB32);
  const auto busyFor = [&](int failures) {
    attempts = 0;
    return [&, failures]() -> std::optional<QImage> {
      return ++attempts > failures ? std::optional<QImage>(dot) : std::nullopt;
    };
  };
  EXPECT_TRUE(GetClipboardPicture(0, busyFor(0)).has_value());
  EXPECT_EQ(attempts, 1);
  EXPECT_TRUE(GetClipboardPicture(0, busyFor(999)).has_value());
  EXPECT_EQ(attempts, 1000);
  EXPECT_FALSE(GetClipboardPicture(0, busyFor(1000)).has_value());
  EXPECT_EQ(attempts, 1000);
}

TEST(SheetCaptureTest, WritesTheUsedRangeAsShownAndReportsAClipboardThatStaysEmpty) {
  FakeDesktop desktop;
  TempDir folder;
  Application excel = EmbeddedSpreadsheet(engine::UnitedStatesConventions())();
  const auto book = excel.Workbooks().Open("template.xlt", resources::TemplateBytes());
  saveCellsActivesheet(desktop, &book, folder / "temp.bmp");
  EXPECT_TRUE(desktop.messages.empty());
  const QImage written(QString::fromStdString((folder / "temp.bmp").string()));
  const auto& model = book.Model();
  const QImage expected =
      render::RenderRange(model, render::ActiveSheet(model), render::SheetUsedRange(render::ActiveSheet(model)));
  EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), expected.convertToFormat(QImage::Format_RGB32));
  // The clipboard holds the same picture, as a copy on screen leaves it.
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), expected.size());

  // A clipboard that never yields a picture is reported at step 112 and writes nothing.
  saveCellsActivesheet(desktop, &book, folder / "none.bmp", [] { return std::optional<QImage>(); });
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_TRUE(desktop.messages[0].text.contains(QStringLiteral("Excel1.saveCellsActivesheet at line 112")));
  EXPECT_FALSE(std::filesystem::exists(folder / "none.bmp"));
}

TEST(SheetCaptureTest, AUsedRangeEndingInRowOneOrColumnAGivesNoFileAndNoReport) {
  FakeDesktop desktop;
  TempDir folder;
  for (const char* cell : {"C1", "A5"}) {
    Application excel = EmbeddedSpreadsheet(engine::UnitedStatesConventions())();
    auto book = excel.Workbooks().Open("template.xlt", resources::TemplateBytes());
    book.Model().sheets[0].cells.clear();
    book.Model().sheets[0].rows.clear();
    excel.Range(cell).SetValue("1");
    saveCellsActivesheet(desktop, &book, folder / cell);
    EXPECT_FALSE(std::filesystem::exists(folder / cell)) << cell;
  }
  EXPECT_TRUE(desktop.messages.empty());
}

}  // namespace
}  // namespace quillora
