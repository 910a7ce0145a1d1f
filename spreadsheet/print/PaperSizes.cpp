#include "spreadsheet/print/PaperSizes.h"

#include <array>

namespace quillora::engine::print {
namespace {

constexpr double kInch = 72.0;
constexpr double kMillimetre = 72.0 / 25.4;

struct Entry {
  double width, height;
  bool metric;
};

// Codes 1..41 in order: the sizes printers and spreadsheet files use.
constexpr std::array<Entry, 41> kSizes{{
    {8.5, 11, false},      // 1 Letter
    {8.5, 11, false},      // 2 Letter small
    {11, 17, false},       // 3 Tabloid
    {17, 11, false},       // 4 Ledger
    {8.5, 14, false},      // 5 Legal
    {5.5, 8.5, false},     // 6 Statement
    {7.25, 10.5, false},   // 7 Executive
    {297, 420, true},      // 8 A3
    {210, 297, true},      // 9 A4
    {210, 297, true},      // 10 A4 small
    {148, 210, true},      // 11 A5
    {257, 364, true},      // 12 B4 (JIS)
    {182, 257, true},      // 13 B5 (JIS)
    {8.5, 13, false},      // 14 Folio
    {215, 275, true},      // 15 Quarto
    {10, 14, false},       // 16 10 x 14 in
    {11, 17, false},       // 17 11 x 17 in
    {8.5, 11, false},      // 18 Note
    {3.875, 8.875, false}, // 19 Envelope #9
    {4.125, 9.5, false},   // 20 Envelope #10
    {4.5, 10.375, false},  // 21 Envelope #11
    {4.75, 11, false},     // 22 Envelope #12
    {5, 11.5, false},      // 23 Envelope #14
    {17, 22, false},       // 24 C sheet
    {22, 34, false},       // 25 D sheet
    {34, 44, false},       // 26 E sheet
    {110, 220, true},      // 27 Envelope DL
    {162, 229, true},      // 28 Envelope C5
    {324, 458, true},      // 29 Envelope C3
    {229, 324, true},      // 30 Envelope C4
    {114, 162, true},      // 31 Envelope C6
    {114, 229, true},      // 32 Envelope C65
    {250, 353, true},      // 33 Envelope B4
    {176, 250, true},      // 34 Envelope B5
    {176, 125, true},      // 35 Envelope B6
    {110, 230, true},      // 36 Envelope Italy
    {3.875, 7.5, false},   // 37 Envelope Monarch
    {3.625, 6.5, false},   // 38 Envelope 6 3/4
    {14.875, 11, false},   // 39 US standard fanfold
    {8.5, 12, false},      // 40 German standard fanfold
    {8.5, 13, false},      // 41 German legal fanfold
}};

}  // namespace

std::optional<PaperSize> PaperSizeOf(std::uint16_t code) {
  if (code == 0 || code > kSizes.size()) return std::nullopt;
  const Entry& entry = kSizes[code - 1];
  const double unit = entry.metric ? kMillimetre : kInch;
  return PaperSize{entry.width * unit, entry.height * unit};
}

}  // namespace quillora::engine::print
