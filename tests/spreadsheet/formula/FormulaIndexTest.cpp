// The formula index against brute force: every formula found at its cell and no other, and
// the formulas inside a range listed in row-major order, whether the formulas come in a
// workbook's own cell order (bucketed by column) or in any order (sorted).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <tuple>

#include "spreadsheet/formula/FormulaIndex.h"

namespace quillora::engine {
namespace {

using Place = FormulaIndex::Place;

std::vector<Place> RandomPlaces(std::mt19937& random, std::size_t count) {
  std::set<std::tuple<int, int, int>> seen;
  std::vector<Place> places;
  std::uniform_int_distribution<int> sheet(0, 2), row(0, 400), column(0, 255);
  while (places.size() < count) {
    const Place p{sheet(random), {row(random), column(random) % 12 + (column(random) > 250 ? 240 : 0)}};
    if (seen.insert({p.sheet, p.cell.row, p.cell.column}).second) places.push_back(p);
  }
  return places;
}

void ExpectMatchesBruteForce(const std::vector<Place>& places, std::mt19937& random) {
  const FormulaIndex index(places);
  ASSERT_EQ(index.Size(), places.size());
  for (std::size_t i = 0; i < places.size(); ++i) EXPECT_EQ(index.Find(places[i].sheet, places[i].cell), i);
  EXPECT_FALSE(index.Find(3, {0, 0}));
  std::uniform_int_distribution<int> row(0, 420), column(0, 255), sheet(0, 2);
  for (int round = 0; round < 200; ++round) {
    const int s = sheet(random);
    const CellRange range = CellRange::FromCorners({row(random), column(random) % 14}, {row(random), column(random)});
    std::vector<std::size_t> expected;
    for (std::size_t i = 0; i < places.size(); ++i)
      if (places[i].sheet == s && range.Contains(places[i].cell.row, places[i].cell.column)) expected.push_back(i);
    std::sort(expected.begin(), expected.end(),
              [&](std::size_t a, std::size_t b) { return places[a].cell < places[b].cell; });
    std::vector<std::size_t> found;
    index.InRange(s, range, found);
    EXPECT_EQ(found, expected) << "round " << round;
  }
}

TEST(FormulaIndex, FindsAndListsFormulasInWorkbookOrderAndInAnyOrder) {
  std::mt19937 random(7);
  std::vector<Place> places = RandomPlaces(random, 3000);
  std::shuffle(places.begin(), places.end(), random);
  ExpectMatchesBruteForce(places, random);
  std::sort(places.begin(), places.end(), [](const Place& a, const Place& b) {
    return std::tie(a.sheet, a.cell.row, a.cell.column) < std::tie(b.sheet, b.cell.row, b.cell.column);
  });
  ExpectMatchesBruteForce(places, random);
  ExpectMatchesBruteForce({}, random);
}

}  // namespace
}  // namespace quillora::engine
