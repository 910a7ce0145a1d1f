// Files the engine must refuse with a clear message, and the real-world corpus: every
// file opens or is refused with a one-line error.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tuple>
#include <random>
#include <sstream>

#include "spreadsheet/base/LittleEndian.h"
#include "spreadsheet/biff/RecordWriter.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/cfb/CompoundFile.h"
#include "spreadsheet/base/LittleEndian.h"
#include "spreadsheet/dump/Dump.h"
#include "tests/spreadsheet/support/TestWorkbook.h"
#include "tests/support/TempDir.h"
#include "tests/support/FileBytes.h"

namespace quillora::engine {
namespace {

std::string RefusalOf(const std::vector<std::uint8_t>& bytes) {
  try {
    ReadWorkbook(bytes);
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "accepted";
}

std::vector<std::uint8_t> StreamFile(const std::string& name, const std::vector<std::uint8_t>& stream) {
  return WriteCompoundFile({{name, stream}});
}

std::vector<std::uint8_t> Record(std::uint16_t type, std::vector<std::uint8_t> data) {
  std::vector<std::uint8_t> out;
  Put16(out, type);
  Put16(out, static_cast<std::uint16_t>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

TEST(WorkbookRefusal, ForeignAndOldFilesAreRefusedByName) {
  EXPECT_EQ(RefusalOf({}), "The file is empty");
  std::mt19937 random(7);
  std::vector<std::uint8_t> noise(5000);
  for (auto& b : noise) b = static_cast<std::uint8_t>(random());
  EXPECT_NE(RefusalOf(noise).find("not an .xls workbook"), std::string::npos);
  std::vector<std::uint8_t> zip = {'P', 'K', 3, 4, 20, 0, 0, 0};
  zip.resize(600, 0);
  EXPECT_NE(RefusalOf(zip).find("Zip-based workbooks (.xlsx) are not supported"), std::string::npos);

  // The workbook stream of a BIFF5 file is called "Book".
  auto bof5 = Record(0x0809, {0x00, 0x05, 0x05, 0x00, 0, 0, 0, 0});
  EXPECT_EQ(RefusalOf(StreamFile("Book", bof5)), "BIFF5 workbooks are not supported");
  EXPECT_EQ(RefusalOf(StreamFile("Workbook", bof5)), "BIFF5 workbooks are not supported");
  EXPECT_EQ(RefusalOf(Record(0x0409, {0, 0, 0x10, 0, 0, 0})), "BIFF4 workbooks are not supported");

  auto encrypted = Record(0x0809, {0x00, 0x06, 0x05, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  const auto filepass = Record(0x002F, {1, 0, 1, 0, 1, 0});
  encrypted.insert(encrypted.end(), filepass.begin(), filepass.end());
  EXPECT_EQ(RefusalOf(StreamFile("Workbook", encrypted)), "Encrypted workbooks are not supported");
  EXPECT_NE(RefusalOf(StreamFile("Other", encrypted)).find("no Workbook stream"), std::string::npos);
}

TEST(WorkbookRefusal, TruncatedWorkbooksAreRefusedAtEveryLength) {
  const auto good = WriteWorkbook(testing::BuildTestWorkbook());
  for (std::size_t length = 0; length < good.size(); length += 509) {
    const std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
    EXPECT_NE(RefusalOf(cut), "accepted") << length;
  }
}

TEST(WorkbookRefusal, DamagedRecordsAreRefusedNotTrusted) {
  // A shared string index beyond the table, and a sheet offset pointing nowhere.
  Workbook book = NewWorkbook();
  book.sheets.emplace_back();
  book.sheets[0].name = "S";
  book.sheets[0].cells[{0, 0}].value = std::string("only");
  const auto bytes = WriteWorkbook(book);
  const CompoundFileReader reader(bytes);
  auto stream = *reader.ReadStream("Workbook");
  auto damaged = stream;
  for (std::size_t pos = 0; pos + 4 <= damaged.size();) {
    const std::uint16_t type = Load16(&damaged[pos]);
    const std::uint16_t length = Load16(&damaged[pos + 2]);
    if (type == 0x00FD) Store32(&damaged[pos + 4 + 6], 99);
    if (type == 0x0085) Store32(&damaged[pos + 4], 3);
    pos += 4u + length;
  }
  EXPECT_NE(RefusalOf(StreamFile("Workbook", damaged)).find("damaged"), std::string::npos);
}

// Cell records out of row order, and one cell given twice: every cell is read, the later
// record of a cell wins.
TEST(WorkbookReading, CellsOutOfRowOrderAreAllRead) {
  Workbook book = NewWorkbook();
  book.sheets.emplace_back();
  book.sheets[0].name = "S";
  for (int row = 0; row < 3; ++row) book.sheets[0].cells[{row, 0}].value = row + 1.0 / 3;  // no RK form: NUMBER records
  const CompoundFileReader reader(WriteWorkbook(book));
  auto stream = *reader.ReadStream("Workbook");
  // The three NUMBER records name rows 2, 0, 2 in that order.
  const std::uint16_t rows[] = {2, 0, 2};
  int seen = 0;
  for (std::size_t pos = 0; pos + 4 <= stream.size();) {
    const std::uint16_t type = Load16(&stream[pos]);
    if (type == 0x0203 && seen < 3) Store16(&stream[pos + 4], rows[seen++]);
    pos += 4u + Load16(&stream[pos + 2]);
  }
  ASSERT_EQ(seen, 3);
  const Workbook read = ReadWorkbook(StreamFile("Workbook", stream));
  const auto& cells = read.sheets[0].cells;
  ASSERT_EQ(cells.size(), 2u);
  EXPECT_EQ(cells.at({0, 0}).value, Value(1 + 1.0 / 3));
  EXPECT_EQ(cells.at({2, 0}).value, Value(2 + 1.0 / 3));
}

TEST(WorkbookCorpus, EveryFileOpensOrIsRefusedWithOneLine) {
  const std::filesystem::path folder = std::filesystem::path(QUILLORA_SHARED_DIR) / "corpus" / "xls";
  if (!std::filesystem::exists(folder)) GTEST_SKIP() << "no corpus at " << folder;
  int opened = 0, refused = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".xls") continue;
    const auto bytes = quillora::testing::ReadBytes(entry.path());
    try {
      const Workbook book = ReadWorkbook(bytes);
      std::ostringstream listing;
      DumpWorkbook(book, listing);
      // What opens survives a save: the same cells and formats, the same kept records
      // (in the writer's order), and a second save gives the same bytes.
      const auto saved = WriteWorkbook(book);
      Workbook again = ReadWorkbook(saved);
      EXPECT_EQ(WriteWorkbook(again), saved) << entry.path();
      auto sorted = [](std::vector<KeptRecord> kept) {
        std::sort(kept.begin(), kept.end(), [](const KeptRecord& a, const KeptRecord& b) {
          return std::tie(a.type, a.after, a.data, a.continues) < std::tie(b.type, b.after, b.data, b.continues);
        });
        return kept;
      };
      Workbook expected = book;
      expected.kept = sorted(expected.kept);
      again.kept = sorted(again.kept);
      for (std::size_t s = 0; s < expected.sheets.size() && s < again.sheets.size(); ++s) {
        expected.sheets[s].kept = sorted(expected.sheets[s].kept);
        again.sheets[s].kept = sorted(again.sheets[s].kept);
      }
      EXPECT_EQ(again, expected) << entry.path();
      ++opened;
    } catch (const std::runtime_error& e) {
      const std::string message = e.what();
      EXPECT_FALSE(message.empty());
      EXPECT_EQ(message.find('\n'), std::string::npos) << message;
      ++refused;
    }
  }
  std::cout << "corpus: " << opened << " open, " << refused << " refused\n";
  EXPECT_GT(opened, 0);
}

}  // namespace
}  // namespace quillora::engine
