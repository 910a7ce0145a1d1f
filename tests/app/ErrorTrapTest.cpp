#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "app/ErrorTrap.h"
#include "app/core/ErrorReportText.h"
#include "tests/support/FakeDesktop.h"

namespace quillora {
namespace {

TEST(ErrorReportText, LaysOutDescriptionRoutineStepAndSupportRequest) {
  EXPECT_EQ(ComposeErrorReport("Form1", "Form_Load", 104, "File not found"),
            "File not found\r\nin Quillora2021/08/31.Form1.Form_Load at line 104\r\r"
            "Please email screenshot of this message to support@quillora.example");
  // An empty description leaves the first line empty; routine texts keep their case.
  EXPECT_EQ(ComposeErrorReport("Form2", "picture1_MouseMove", 100, ""),
            "\r\nin Quillora2021/08/31.Form2.picture1_MouseMove at line 100\r\r"
            "Please email screenshot of this message to support@quillora.example");
}

TEST(ErrorTrap, ReportsAFailingStatementOnceAndResumesWithTheNext) {
  testing::FakeDesktop desktop;
  std::vector<int> ran;
  ErrorTrap trap(desktop, "Form1", "PushButton7_Click");
  trap(100, [&] { ran.push_back(1); });
  trap(102, [&] { ran.push_back(2); });
  trap(104, [&] { throw std::runtime_error("Type mismatch"); });
  trap(106, [&] { ran.push_back(4); });

  EXPECT_EQ(ran, (std::vector<int>{1, 2, 4}));
  ASSERT_EQ(desktop.messages.size(), 1u);
  const auto& report = desktop.messages[0];
  EXPECT_EQ(report.title, "Application Error");
  EXPECT_EQ(report.buttons, MessageButtons::Ok);
  EXPECT_EQ(report.icon, MessageIcon::Warning);
  EXPECT_EQ(report.text.toStdString(),
            ComposeErrorReport("Form1", "PushButton7_Click", 104, "Type mismatch"));
}

// A helper without a trap of its own: a failure abandons its remaining statements.
void HelperThatFailsHalfway(std::vector<int>& ran) {
  ran.push_back(10);
  throw std::runtime_error("Permission denied");
  ran.push_back(11);  // never reached
}

TEST(ErrorTrap, AFailureInsideAHelperIsReportedAtTheCallingStep) {
  testing::FakeDesktop desktop;
  std::vector<int> ran;
  ErrorTrap trap(desktop, "Form2", "Form_QueryUnload");
  trap(100, [&] { HelperThatFailsHalfway(ran); });
  trap(102, [&] { ran.push_back(2); });

  EXPECT_EQ(ran, (std::vector<int>{10, 2}));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_TRUE(desktop.messages[0].text.startsWith(
      "Permission denied\r\nin Quillora2021/08/31.Form2.Form_QueryUnload at line 100\r\r"));
}

TEST(ErrorTrap, ConditionsAndValuesFallBackWhenTheyFail) {
  testing::FakeDesktop desktop;
  ErrorTrap trap(desktop, "Excel1", "saveCellsActivesheet");
  EXPECT_TRUE(trap.test(100, [] { return true; }));
  EXPECT_FALSE(trap.test(102, []() -> bool { throw std::runtime_error("no sheet"); }));
  EXPECT_EQ(trap.value(104, [] { return 7; }), 7);
  EXPECT_FALSE(trap.value(106, []() -> int { throw std::logic_error(""); }).has_value());
  ASSERT_EQ(desktop.messages.size(), 2u);
  EXPECT_TRUE(desktop.messages[0].text.startsWith("no sheet\r\n"));
  EXPECT_TRUE(desktop.messages[1].text.startsWith("\r\nin Quillora2021/08/31.Excel1."));
  EXPECT_TRUE(desktop.messages[1].text.contains("at line 106\r\r"));
}

TEST(ErrorTrap, SeveralFailuresGiveSeveralReportsInOrder) {
  testing::FakeDesktop desktop;
  ErrorTrap trap(desktop, "Form1", "PushButton22_Click");
  for (int step = 112; step <= 118; step += 2)
    trap(step, [&] { throw std::runtime_error("Object required"); });
  ASSERT_EQ(desktop.messages.size(), 4u);
  EXPECT_TRUE(desktop.messages[0].text.contains("at line 112\r\r"));
  EXPECT_TRUE(desktop.messages[3].text.contains("at line 118\r\r"));
}

}  // namespace
}  // namespace quillora
