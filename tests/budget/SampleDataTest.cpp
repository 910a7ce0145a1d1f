#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "budget/core/Budget.h"
#include "budget/core/SampleData.h"

namespace quillora {
namespace {

// The sample texts field by field (estimated, actual, estimated, ...), as published.
const std::vector<std::vector<std::string>> kSampleTexts = {
    {"225", "226", "228", "221", "230", "231", "218", "234", "235", "214", "238",
     "239", "210", "241", "242", "206", "245", "246", "202", "249", "250", "199"},
    {"155", "156", "158", "151", "160", "161", "148", "164", "165", "144", "168", "169"},
    {"25", "26", "28", "21", "30", "31", "18", "34", "35", "14"},
    {"35", "36", "38", "31", "40", "41", "28", "44", "45", "24", "48", "49"},
    {"110", "111", "112", "106", "115", "116"},
    {"45", "46", "48", "41", "50", "51", "38", "54", "55", "34", "58", "59"},
    {"60", "61", "62", "56", "65", "66", "52", "69", "70", "49", "72", "74", "45", "76", "78",
     "41", "80", "81"},
    {"80", "81", "82", "76", "85", "86", "72", "89", "90", "69", "92", "94", "65", "96", "98",
     "61", "100", "101", "58", "104"},
    {"200", "201", "202", "196", "205", "206", "192", "209"},
    {"75", "76", "78", "71", "80", "81", "68", "84", "85", "64", "88", "89", "60", "91", "92",
     "56", "95", "96", "52", "99", "100", "49"},
};

TEST(SampleData, EveryFieldGetsThePublishedText) {
  ASSERT_EQ(kSampleTexts.size(), BudgetCategories().size());
  int fields = 0;
  for (const BudgetCategory& c : BudgetCategories()) {
    const auto& expected = kSampleTexts[static_cast<std::size_t>(c.position)];
    ASSERT_EQ(static_cast<int>(expected.size()), c.fieldCount()) << c.caption;
    for (int i = 0; i < c.fieldCount(); ++i, ++fields) {
      EXPECT_EQ(SampleAmountText(c.position, i), expected[static_cast<std::size_t>(i)])
          << c.fieldArray << "(" << i << ")";
    }
  }
  EXPECT_EQ(fields, kFieldCount);
}

TEST(SampleData, RoundsHalvesToEvenAndRefusesWhatIsNotThere) {
  EXPECT_EQ(RoundToInt16(227.5), 228);
  EXPECT_EQ(RoundToInt16(242.5), 242);
  EXPECT_EQ(RoundToInt16(-2.5), -2);
  EXPECT_EQ(RoundToInt16(-3.5), -4);
  EXPECT_EQ(RoundToInt16(32767.4), 32767);
  EXPECT_THROW(RoundToInt16(32767.5), std::overflow_error);
  EXPECT_THROW(RoundToInt16(-32768.6), std::overflow_error);
  EXPECT_THROW(SampleAmountText(10, 0), std::out_of_range);
  EXPECT_THROW(SampleAmountText(4, 6), std::out_of_range);
}

TEST(BudgetTable, HasTheFixedShapeAndLabels) {
  const int highest[] = {21, 11, 9, 11, 5, 11, 17, 19, 7, 21};
  int items = 0;
  for (const BudgetCategory& c : BudgetCategories()) {
    EXPECT_EQ(c.highestIndex(), highest[c.position]) << c.caption;
    EXPECT_EQ(c.items.back(), "Other") << c.caption;
    items += c.itemCount();
  }
  EXPECT_EQ(items, kItemCount);
  const auto& all = BudgetCategories();
  EXPECT_EQ(all[0].items[1], "Wedding rings ");
  EXPECT_EQ(all[7].items[1], "Announcements ");
  EXPECT_EQ(all[3].items[1], "Boutonni\xC3\xA8res");
  // Frames stack without gaps.
  for (std::size_t i = 1; i < all.size(); ++i) {
    EXPECT_EQ(all[i].frameTop, all[i - 1].frameTop + all[i - 1].frameHeight);
  }
}

}  // namespace
}  // namespace quillora
