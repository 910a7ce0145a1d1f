#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "app/Theme.h"
#include "preview/Form2.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/TempDir.h"
#include "workbook/core/FileHelpers.h"

namespace quillora {
namespace {

namespace fs = std::filesystem;
using testing::ReadText;
using testing::WriteText;

// The preview window with a generated workbook in its temporary folder and a separate
// folder for the user's copies.
class Form2SaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 70000; ++i) generated.push_back(static_cast<char>((i * 31 + i / 251) & 0xFF));
    WriteText(source(), generated);
    form->mExcelFile = QString::fromStdString(source().string());
  }

  fs::path source() const { return temp / "tamrel12345678.xls"; }
  QString in(const std::string& name) const { return QString::fromStdString((saves / name).string()); }

  // The names in the folder of saved copies: a leftover temporary file shows up here.
  std::set<std::string> savedNames() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(saves.path())) names.insert(entry.path().filename().string());
    return names;
  }

  void save(const QString& name) {
    desktop.saveNames.push_back(name);
    form->PushButton6_Click();
  }

  bool saidDone() const {
    return std::any_of(desktop.messages.begin(), desktop.messages.end(),
                       [](const auto& m) { return m.text == "Done."; });
  }

  testing::FakeDesktop desktop;
  SystemClock clock;
  SystemRandom random;
  testing::TempDir programFolder;
  testing::TempDir temp;
  testing::TempDir saves;
  AppContext context{desktop, clock, random, programFolder.path(), [this] { return temp.path(); }};
  QWidget form1;
  std::unique_ptr<Form2> form = std::make_unique<Form2>(context, &form1);
  std::string generated;
};

TEST_F(Form2SaveTest, CancellingCopiesNothingAndSaysDone) {
  form->PushButton6->click();  // no scripted name: the dialog is cancelled
  ASSERT_EQ(desktop.saveRequests.size(), 1u);
  EXPECT_EQ(desktop.saveRequests[0].title, "Save File");
  EXPECT_EQ(desktop.saveRequests[0].filter, "Excel Files (*.xls)");
  EXPECT_TRUE(desktop.saveRequests[0].initialName.isEmpty());
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "Done.");
  EXPECT_EQ(desktop.messages[0].title, AppTitle());
  EXPECT_EQ(desktop.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(desktop.messages[0].icon, MessageIcon::None);
  EXPECT_TRUE(savedNames().empty());
  EXPECT_EQ(ReadText(source()), generated);  // the generated workbook stays where it is
}

TEST_F(Form2SaveTest, ANewNameGetsAnExactCopyUnderExactlyThatName) {
  save(in("our budget"));
  EXPECT_EQ(savedNames(), std::set<std::string>{"our budget"});  // no ".xls" added, no leftovers
  EXPECT_EQ(ReadText(saves / "our budget"), generated);
  EXPECT_EQ(desktop.messageTexts(), QStringList{"Done."});  // nothing to overwrite, nothing asked
  EXPECT_EQ(ReadText(source()), generated);
}

TEST_F(Form2SaveTest, AnExistingFileIsKeptWhenTheAnswerIsNo) {
  WriteText(saves / "budget.xls", "the user's own file");
  desktop.answers.push_back(MessageAnswer::No);
  save(in("budget.xls"));
  ASSERT_EQ(desktop.messages.size(), 2u);
  EXPECT_EQ(desktop.messages[0].text, "Are you sure you wish to overwrite " + in("budget.xls") + " ?");
  EXPECT_EQ(desktop.messages[0].title, AppTitle());
  EXPECT_EQ(desktop.messages[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(desktop.messages[0].icon, MessageIcon::None);
  EXPECT_EQ(desktop.messages[1].text, "Done.");
  EXPECT_EQ(ReadText(saves / "budget.xls"), "the user's own file");
  EXPECT_EQ(savedNames(), std::set<std::string>{"budget.xls"});
}

TEST_F(Form2SaveTest, AnExistingFileIsReplacedWhenTheAnswerIsYes) {
  WriteText(saves / "budget.xls", "the user's own file");
  desktop.answers.push_back(MessageAnswer::Yes);
  save(in("budget.xls"));
  EXPECT_EQ(desktop.messageTexts(),
            (QStringList{"Are you sure you wish to overwrite " + in("budget.xls") + " ?", "Done."}));
  EXPECT_EQ(ReadText(saves / "budget.xls"), generated);
  EXPECT_EQ(savedNames(), std::set<std::string>{"budget.xls"});
}

TEST_F(Form2SaveTest, SavingTwiceToANewNameAsksTheSecondTime) {
  save(in("copy.xls"));
  EXPECT_EQ(desktop.messageTexts(), QStringList{"Done."});
  desktop.answers.push_back(MessageAnswer::Yes);
  save(in("copy.xls"));
  EXPECT_EQ(desktop.messageTexts(),
            (QStringList{"Done.", "Are you sure you wish to overwrite " + in("copy.xls") + " ?", "Done."}));
  EXPECT_EQ(ReadText(saves / "copy.xls"), generated);
  EXPECT_EQ(savedNames(), std::set<std::string>{"copy.xls"});
}

// Picking the generated workbook itself: replacing it by its own copy must not lose it.
TEST_F(Form2SaveTest, SavingOverTheGeneratedWorkbookItselfKeepsIt) {
  desktop.answers.push_back(MessageAnswer::Yes);
  save(form->mExcelFile);
  EXPECT_EQ(desktop.messages.back().text, "Done.");
  EXPECT_EQ(ReadText(source()), generated);
  EXPECT_EQ(fs::directory_iterator(temp.path())->path(), source());
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator()), 1);
}

// A copy that cannot be made is reported at step 130, leaves any existing file as it was and
// no temporary file behind, and is not followed by "Done.".
TEST_F(Form2SaveTest, AFailedCopyIsReportedKeepsTheOldFileAndSaysNoDone) {
  struct Case {
    const char* what;
    std::function<void()> arrange;
    std::string target;
    bool asks;
  };
  const Case cases[] = {
      {"the generated workbook is gone", [this] { fs::remove(source()); }, "budget.xls", true},
      {"the target is a folder", [this] { fs::create_directory(saves / "folder.xls"); },
       "folder.xls", false},
      {"the target's folder does not exist", [] {}, "missing/budget.xls", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    desktop.messages.clear();
    WriteText(source(), generated);
    WriteText(saves / "budget.xls", "the user's own file");
    c.arrange();
    const std::set<std::string> before = savedNames();
    if (c.asks) desktop.answers.push_back(MessageAnswer::Yes);
    save(in(c.target));

    ASSERT_EQ(desktop.messages.size(), c.asks ? 2u : 1u);
    const auto& report = desktop.messages.back();
    EXPECT_EQ(report.title, "Application Error");
    EXPECT_TRUE(report.text.contains("Form2.PushButton6_Click at line 130\r\r")) << report.text.toStdString();
    EXPECT_FALSE(saidDone());
    EXPECT_EQ(ReadText(saves / "budget.xls"), "the user's own file");
    EXPECT_EQ(savedNames(), before);
  }
}

TEST_F(Form2SaveTest, TheReportNamesTheTargetThatCouldNotBeWritten) {
  fs::create_directory(saves / "folder.xls");
  save(in("folder.xls"));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_TRUE(desktop.messages[0].text.contains(in("folder.xls"))) << desktop.messages[0].text.toStdString();
}

}  // namespace
}  // namespace quillora
