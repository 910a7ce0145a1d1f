// The entry window's start-up: skin, home-page draw, hand cursor, formatting, geometry.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <filesystem>

#include "app/HoverFrame.h"
#include "app/Theme.h"
#include "app/core/ErrorReportText.h"
#include "app/core/HomePageDraw.h"
#include "budget/core/Twips.h"
#include "tests/budget/Form1Harness.h"
#include "tests/budget/WindowInput.h"
#include "tests/support/TempDir.h"
#include "tests/support/FileBytes.h"
#include "workbook/core/FileHelpers.h"

namespace quillora {
namespace {

namespace fs = std::filesystem;

void ExpectEveryFieldFormattedAsZero(const Form1& form) {
  const QList<QLineEdit*> boxes = form.findChildren<QLineEdit*>();
  EXPECT_EQ(boxes.size(), kFieldCount);
  for (const QLineEdit* box : boxes) EXPECT_EQ(box->text(), "$0.00");
}

void WriteSkin(const testing::Form1Harness& h, const std::string& text) {
  fs::create_directories(h.programFolder.path() / "x");
  testing::WriteText(h.programFolder.path() / "x" / "o.cjs", text);
}

TEST(Form1Load, WithoutSkinOrCursorStartsSilentlyWithTheDesignedLook) {
  testing::Form1Harness h;
  fs::create_directories(h.programFolder.path() / "x");  // a folder without o.cjs
  testing::WriteText(h.programFolder.path() / "x" / "other.cjs", "junk {");
  h.form->Form_Load();
  EXPECT_TRUE(h.desktop.messages.empty());
  EXPECT_EQ(h.form->windowTitle(), "Quillora");
  EXPECT_FALSE(h.form->windowIcon().isNull());
  EXPECT_EQ(h.form->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_EQ(h.form->Frame1[0]->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_FALSE(h.form->pointer().hasCustomCursor());
  EXPECT_EQ(h.form->panelTopTwips(), 0);
  ExpectEveryFieldFormattedAsZero(*h.form);
}

TEST(Form1Load, ABrokenSkinIsReportedAt104AfterTheColoursChangedAndStartUpGoesOn) {
  testing::Form1Harness h;
  WriteSkin(h, "QWidget { color: red;\nQLabel { color: blue; }");
  const QColor face = ButtonFaceColour();
  ASSERT_NE(face, QColor(Qt::white));
  bool colouredWhenReported = false;
  h.desktop.onMessage = [&](const auto&) {
    colouredWhenReported = h.form->palette().color(QPalette::Window) == face &&
                           h.form->Picture1->palette().color(QPalette::Window) == face &&
                           h.form->Frame1[9]->palette().color(QPalette::Window) == face;
  };
  h.start();
  ASSERT_EQ(h.desktop.messages.size(), 1u);
  const auto& report = h.desktop.messages[0];
  EXPECT_EQ(report.title, "Application Error");
  EXPECT_TRUE(report.text.contains("\r\nin Quillora2021/08/31.Form1.Form_Load at line 104\r\r"))
      << report.text.toStdString();
  EXPECT_TRUE(report.text.contains("o.cjs")) << report.text.toStdString();
  EXPECT_TRUE(colouredWhenReported);
  EXPECT_TRUE(h.form->styleSheet().isEmpty());
  EXPECT_TRUE(h.form->isVisible());
  ExpectEveryFieldFormattedAsZero(*h.form);
  testing::PressKey(h.form.get(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), h.form->field(0, 0));
}

TEST(Form1Load, TheSampleSkinIsAcceptedAndApplied) {
  testing::Form1Harness h;
  const std::vector<std::uint8_t> sample =
      quillora::testing::ReadBytes(fs::path(QUILLORA_SOURCE_DIR) / "resources" / "skins" / "sample.qss");
  WriteSkin(h, std::string(sample.begin(), sample.end()));
  h.form->Form_Load();
  EXPECT_TRUE(h.desktop.messages.empty()) << h.desktop.messageTexts().join("|").toStdString();
  EXPECT_FALSE(h.form->styleSheet().isEmpty());
  EXPECT_EQ(h.form->Picture2->palette().color(QPalette::Window), ButtonFaceColour());
}

TEST(Form1Load, TheHomePageOpensOnlyWhenTheDrawIsSeven) {
  EXPECT_EQ(HomePageDraw(0.0), 1);
  EXPECT_EQ(HomePageDraw(0.999999), 100);
  for (const auto& [u, opens] : {std::pair{0.06, true}, std::pair{0.0699, true},
                                 std::pair{0.0599, false}, std::pair{0.07, false},
                                 std::pair{0.5, false}}) {
    testing::Form1Harness h;
    h.random.next = u;
    h.form->Form_Load();
    EXPECT_EQ(h.random.seeds.size(), 1u);
    if (opens) {
      ASSERT_EQ(h.desktop.openedUrls.size(), 1u);
      EXPECT_EQ(h.desktop.openedUrls[0], "https://www.quillora.example/");
    } else {
      EXPECT_TRUE(h.desktop.openedUrls.empty()) << u;
    }
    EXPECT_TRUE(h.desktop.messages.empty());
  }
}

// A real cursor file with two image sizes: the one shipped beside the program.
fs::path TwoSizeCursorFile() {
  const fs::path shipped = fs::path(QUILLORA_SOURCE_DIR) / "resources" / "HAND-M.CUR";
  if (fs::exists(shipped)) return shipped;
  return fs::path(QUILLORA_SOURCE_DIR) / "fuzz" / "corpus" / "cursor" / "two-sizes.cur";
}

TEST(Form1Load, TheHandCursorIsLoadedWithItsHotspotAndGarbageIsReportedAt126) {
  {
    testing::Form1Harness h;
    fs::copy_file(TwoSizeCursorFile(), h.programFolder.path() / "HAND-M.CUR");
    h.start();
    EXPECT_TRUE(h.desktop.messages.empty());
    ASSERT_TRUE(h.form->pointer().hasCustomCursor());
    h.form->pointer().hoverButton();
    const QCursor cursor = h.form->cursor();
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_FALSE(cursor.pixmap().isNull());
    EXPECT_NE(cursor.hotSpot(), QPoint(0, 0));
  }
  {
    testing::Form1Harness h;
    testing::WriteText(h.programFolder.path() / "HAND-M.CUR", "this is not a cursor file");
    h.start();
    ASSERT_EQ(h.desktop.messages.size(), 1u);
    EXPECT_TRUE(h.desktop.messages[0].text.contains("Form1.Form_Load at line 126"));
    EXPECT_FALSE(h.form->pointer().hasCustomCursor());
    ExpectEveryFieldFormattedAsZero(*h.form);
  }
}

// The engine check ends the program with its one message when no instance starts, or when
// the instance cannot read the embedded template back.
TEST(Form1Load, AnEngineThatCannotStartOrReadTheTemplateEndsStartUpWithTheMessage) {
  const QString expected = QStringLiteral(
      "Error 842001. A normal instance of Excel could not be created.\r\n\r\n"
      "1. Please make sure Excel is installed on this computer.\r\n\r\n"
      "2. Please open Excel normally and make sure a blank spreadsheet opens immediately without any "
      "interrupting window (such as an Excel file recovery window).\r\n\r\n"
      "3. Please make sure that when you double-click on a XLS or XLSX file that Excel opens normally "
      "without any interrupting messages.\r\n\r\n"
      "4. All versions of Excel are supported by this software except for the rare Excel Starter and "
      "Student editions.");
  const std::function<void(Form1&)> breakages[] = {
      [](Form1& form) { form.excel().setStarter([]() -> Application { throw std::runtime_error("no engine"); }); },
      [](Form1& form) { form.templateBytes = [] { return std::vector<std::uint8_t>(600, 0x41); }; },
  };
  for (const auto& breakEngine : breakages) {
    testing::Form1Harness h;
    breakEngine(*h.form);
    h.form->Form_Load();
    ASSERT_EQ(h.desktop.messages.size(), 1u);
    EXPECT_EQ(h.desktop.messages[0].text, expected);
    EXPECT_EQ(h.desktop.messages[0].title, AppTitle());
    EXPECT_EQ(h.desktop.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(h.desktop.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(h.desktop.endCount, 1);
    EXPECT_FALSE(h.form->isVisible());
  }
}

TEST(Form1Layout, DesignedGeometryWithNothingClipped) {
  testing::Form1Harness h;
  h.start();
  const Form1& form = *h.form;
  EXPECT_EQ(form.size(), QSize(616, 629));
  EXPECT_EQ(form.Picture1->height(), TwipsToPixels(34950));
  EXPECT_EQ(form.VScroll1->maximum(), 26600);
  EXPECT_EQ(form.VScroll1->height(), TwipsToPixels(8100));
  EXPECT_EQ(form.font().family(), "Arial");
  EXPECT_TRUE(form.font().bold());
  // At the largest scroll value the last frame is fully inside the viewport.
  const QWidget* last = form.Frame1[9];
  EXPECT_LE(last->geometry().bottom() - TwipsToPixels(26600), form.VScroll1->height());
  for (const QLabel* label : form.findChildren<QLabel*>()) {
    EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
  }
  for (const HoverFrame* frame : form.Frame1) {
    EXPECT_LE(QFontMetrics(frame->font()).horizontalAdvance(frame->title()), frame->width());
  }
  for (const QLineEdit* box : form.findChildren<QLineEdit*>()) {
    EXPECT_LE(box->fontMetrics().horizontalAdvance("($999,999,999.99)"),
              box->contentsRect().width() - 4);
  }
}

}  // namespace
}  // namespace quillora
