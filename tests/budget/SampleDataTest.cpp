#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "budget/core/Budget.h"
#include "budget/core/SampleData.h"
#include "tests/budget/SampleTables.h"

namespace quillora {
namespace {

using testing::kSampleTexts;

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
