// The compound file reader against hand-laid files (v3 and v4, DIFAT, mini stream) and
// damaged ones; the writer against the reader.
#include <gtest/gtest.h>

#include <cstring>
#include <numeric>

#include "spreadsheet/base/LittleEndian.h"
#include "spreadsheet/cfb/CompoundFile.h"

namespace quillora::engine {
namespace {

constexpr std::uint32_t kEnd = 0xFFFFFFFE, kFree = 0xFFFFFFFF, kFatSect = 0xFFFFFFFD, kDifSect = 0xFFFFFFFC;

std::vector<std::uint8_t> Pattern(std::size_t size, std::uint8_t seed) {
  std::vector<std::uint8_t> data(size);
  for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<std::uint8_t>(seed + i * 7 + (i >> 8));
  return data;
}

// Lays out a compound file sector by sector: one FAT sector (listed in the header or, with
// `difat`, in a DIFAT sector), the directory, a mini FAT and mini stream for `small`, and
// `big` in regular sectors. Offsets of interesting fields are kept for damaging tests.
struct Layout {
  std::vector<std::uint8_t> bytes;
  std::uint32_t sector_size = 512;
  std::size_t fat_offset = 0;      // file offset of the FAT
  std::uint32_t big_first = 0;     // first sector of the big stream
  std::size_t big_entry = 0;       // file offset of the big stream's directory entry
};

Layout Lay(int major, const std::vector<std::uint8_t>& big, const std::vector<std::uint8_t>& small, bool difat) {
  Layout l;
  l.sector_size = major == 4 ? 4096 : 512;
  const std::uint32_t ss = l.sector_size;
  auto count = [&](std::size_t n, std::size_t unit) { return static_cast<std::uint32_t>((n + unit - 1) / unit); };
  std::vector<std::uint32_t> fat(ss / 4, kFree);
  std::uint32_t next = 0;
  const std::uint32_t fat_sector = next++;
  fat[fat_sector] = kFatSect;
  const std::uint32_t difat_sector = difat ? next++ : kEnd;
  if (difat) fat[difat_sector] = kDifSect;
  auto chain = [&](std::uint32_t n) {
    const std::uint32_t first = next;
    for (std::uint32_t k = 0; k < n; ++k, ++next) fat[next] = k + 1 < n ? next + 1 : kEnd;
    return first;
  };
  const std::uint32_t dir = chain(1);
  const std::uint32_t mini_fat = chain(1);
  const std::uint32_t mini_stream = chain(count(small.size(), ss));
  l.big_first = chain(count(big.size(), ss));
  const std::uint32_t total = next;

  l.bytes.assign(static_cast<std::size_t>(total + 1) * ss, 0);
  auto sector = [&](std::uint32_t s) { return l.bytes.data() + static_cast<std::size_t>(s + 1) * ss; };
  std::uint8_t* h = l.bytes.data();
  const std::uint8_t sig[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  std::memcpy(h, sig, 8);
  Store16(h + 24, 0x3E);
  Store16(h + 26, static_cast<std::uint16_t>(major));
  Store16(h + 28, 0xFFFE);
  Store16(h + 30, major == 4 ? 12 : 9);
  Store16(h + 32, 6);
  Store32(h + 40, major == 4 ? 1 : 0);
  Store32(h + 44, 1);
  Store32(h + 48, dir);
  Store32(h + 56, 4096);
  Store32(h + 60, mini_fat);
  Store32(h + 64, 1);
  Store32(h + 68, difat ? difat_sector : kEnd);
  Store32(h + 72, difat ? 1 : 0);
  for (int i = 0; i < 109; ++i) Store32(h + 76 + 4 * i, kFree);
  if (difat) {
    for (std::uint32_t i = 0; i < ss / 4; ++i) Store32(sector(difat_sector) + 4 * i, kFree);
    Store32(sector(difat_sector), fat_sector);
    Store32(sector(difat_sector) + ss - 4, kEnd);
  } else {
    Store32(h + 76, fat_sector);
  }
  l.fat_offset = static_cast<std::size_t>(sector(fat_sector) - l.bytes.data());
  for (std::size_t i = 0; i < fat.size(); ++i) Store32(sector(fat_sector) + 4 * i, fat[i]);
  // Mini FAT: one chain for the small stream.
  const std::uint32_t minis = count(small.size(), 64);
  for (std::uint32_t i = 0; i < ss / 4; ++i) Store32(sector(mini_fat) + 4 * i, i < minis ? (i + 1 < minis ? i + 1 : kEnd) : kFree);
  std::memcpy(sector(mini_stream), small.data(), small.size());
  std::memcpy(sector(l.big_first), big.data(), big.size());
  // Directory: root, "Workbook" (big), "Small" (small) as the root's child's right sibling.
  auto entry = [&](int index, const std::u16string& name, std::uint8_t type, std::uint32_t right, std::uint32_t child,
                   std::uint32_t start, std::uint64_t size) {
    std::uint8_t* e = sector(dir) + 128 * index;
    for (std::size_t i = 0; i < name.size(); ++i) Store16(e + 2 * i, name[i]);
    Store16(e + 64, static_cast<std::uint16_t>(2 * name.size() + 2));
    e[66] = type;
    e[67] = 1;
    Store32(e + 68, kFree);
    Store32(e + 72, right);
    Store32(e + 76, child);
    Store32(e + 116, start);
    Store32(e + 120, static_cast<std::uint32_t>(size));
    return static_cast<std::size_t>(e - l.bytes.data());
  };
  for (std::uint32_t i = 0; i < ss / 128; ++i) {
    std::uint8_t* e = sector(dir) + 128 * i;
    Store32(e + 68, kFree);
    Store32(e + 72, kFree);
    Store32(e + 76, kFree);
  }
  entry(0, u"Root Entry", 5, kFree, 1, mini_stream, small.size());
  l.big_entry = entry(1, u"Workbook", 2, 2, kFree, l.big_first, big.size());
  entry(2, u"Small", 2, kFree, kFree, 0, small.size());
  return l;
}

TEST(CompoundFileReader, ReadsVersion3And4WithMiniStreamAndDifat) {
  const auto big = Pattern(9000, 3);
  const auto small = Pattern(300, 11);
  for (int major : {3, 4}) {
    for (bool difat : {false, true}) {
      const Layout l = Lay(major, big, small, difat);
      const CompoundFileReader reader(l.bytes);
      EXPECT_EQ(reader.MajorVersion(), major);
      EXPECT_EQ(reader.StreamNames(), (std::vector<std::string>{"Workbook", "Small"}));
      EXPECT_EQ(reader.ReadStream("workbook"), big) << major << difat;
      EXPECT_EQ(reader.ReadStream("SMALL"), small) << major << difat;
      EXPECT_FALSE(reader.ReadStream("Book").has_value());
    }
  }
}

void ExpectRefused(const std::vector<std::uint8_t>& bytes, const std::string& fragment) {
  try {
    const CompoundFileReader reader(bytes);
    (void)reader.ReadStream("Workbook");
    (void)reader.ReadStream("Small");
    FAIL() << "accepted; expected: " << fragment;
  } catch (const CompoundFileError& e) {
    EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
  }
}

TEST(CompoundFileReader, RefusesCyclesOutOfRangeSectorsAndTruncation) {
  const auto big = Pattern(3000 * 2, 5);
  const auto small = Pattern(200, 1);
  for (int major : {3, 4}) {
    const Layout good = Lay(major, big, small, false);
    {
      Layout l = good;  // the big stream's second sector points back at its first
      Store32(l.bytes.data() + l.fat_offset + 4 * (l.big_first + 1), l.big_first);
      ExpectRefused(l.bytes, "loops");
    }
    {
      Layout l = good;  // start sector far outside the file
      Store32(l.bytes.data() + l.big_entry + 116, 0x00FFFFF0);
      ExpectRefused(l.bytes, "outside");
    }
    {
      Layout l = good;  // chain ends before the stated size
      Store32(l.bytes.data() + l.fat_offset + 4 * l.big_first, kEnd);
      ExpectRefused(l.bytes, "truncated");
    }
    {
      Layout l = good;  // the last sectors are missing
      l.bytes.resize(l.bytes.size() - l.sector_size - 10);
      ExpectRefused(l.bytes, "truncated");
    }
    {
      Layout l = good;  // the file ends inside the stream's last sector
      const std::size_t end = static_cast<std::size_t>(l.big_first + 1) * l.sector_size + big.size();
      l.bytes.resize(end - 1);
      ExpectRefused(l.bytes, "truncated");
      l.bytes = good.bytes;
      l.bytes.resize(end);  // an unpadded last sector holding all the data is fine
      EXPECT_EQ(CompoundFileReader(l.bytes).ReadStream("Workbook"), big);
    }
    {
      Layout l = good;  // size larger than the whole file
      Store32(l.bytes.data() + l.big_entry + 120, 0x7FFFFFFF);
      ExpectRefused(l.bytes, "more than the file holds");
    }
    {
      Layout l = good;  // the directory tree points at itself
      Store32(l.bytes.data() + l.big_entry + 72, 1);
      ExpectRefused(l.bytes, "loops");
    }
  }
  ExpectRefused(std::vector<std::uint8_t>(512, 0), "signature");
  const Layout l = Lay(3, big, small, false);
  ExpectRefused({l.bytes.begin(), l.bytes.begin() + 300}, "header");
}

TEST(CompoundFileWriter, StreamsOfEverySizeReadBack) {
  std::vector<CompoundStream> streams;
  const std::size_t sizes[] = {0, 1, 63, 64, 65, 4095, 4096, 4097, 70000};
  for (std::size_t i = 0; i < std::size(sizes); ++i)
    streams.push_back({"Stream" + std::to_string(i), Pattern(sizes[i], static_cast<std::uint8_t>(i))});
  const auto bytes = WriteCompoundFile(streams);
  EXPECT_EQ(bytes.size() % 512, 0u);
  const CompoundFileReader reader(bytes);
  EXPECT_EQ(reader.StreamNames().size(), streams.size());
  for (const auto& stream : streams) EXPECT_EQ(reader.ReadStream(stream.name), stream.data) << stream.name;
}

TEST(CompoundFileWriter, ALargeStreamNeedsDifatSectors) {
  // 109 FAT sectors cover about 7 MB; beyond that the DIFAT chain lists the rest.
  const std::vector<CompoundStream> streams = {{"Workbook", Pattern(8u << 20, 9)}};
  const auto bytes = WriteCompoundFile(streams);
  EXPECT_GT(Load32(bytes.data() + 72), 0u);  // DIFAT sectors used
  EXPECT_EQ(CompoundFileReader(bytes).ReadStream("Workbook"), streams[0].data);
}

TEST(CompoundFileWriter, StoragesKeepTheirStreamsAndClassesThroughAReadAndAWrite) {
  // A macro project's shape: a storage holding streams and a storage of its own, an empty
  // storage, names outside ASCII, streams on both sides of the mini stream cutoff.
  std::array<std::uint8_t, 16> project_class{};
  project_class[0] = 0x22;
  project_class[15] = 0x46;
  // Listed as the reader lists them: in name order (shorter first), each before its contents.
  const std::vector<CompoundStorage> storages = {
      {{"Empty"}, {}},
      {{"_VBA_PROJECT_CUR"}, project_class},
      {{"_VBA_PROJECT_CUR", "VBA"}, {}},
  };
  const std::vector<CompoundStream> nested = {
      {"PROJECT", Pattern(300, 1), {"_VBA_PROJECT_CUR"}},
      {"dir", Pattern(5000, 2), {"_VBA_PROJECT_CUR", "VBA"}},
      {"\xD0\x9B\xD0\xB8\xD1\x81\xD1\x82" "1", Pattern(70, 3), {"_VBA_PROJECT_CUR", "VBA"}},
      {"_VBA_PROJECT", {}, {"_VBA_PROJECT_CUR", "VBA"}},
  };
  std::vector<CompoundStream> streams = {{"Workbook", Pattern(9000, 4)}, {"\x05SummaryInformation", Pattern(200, 5)}};
  streams.insert(streams.end(), nested.begin(), nested.end());
  const auto bytes = WriteCompoundFile(streams, storages);
  const CompoundFileReader reader(bytes);
  EXPECT_EQ(reader.StreamNames(), (std::vector<std::string>{"Workbook", "\x05SummaryInformation"}));
  EXPECT_EQ(reader.Storages(), storages);
  EXPECT_EQ(reader.NestedStreams(), nested);
  std::vector<CompoundStream> again = {{"Workbook", *reader.ReadStream("Workbook")},
                                       {"\x05SummaryInformation", *reader.ReadStream("\x05SummaryInformation")}};
  for (const CompoundStream& stream : reader.NestedStreams()) again.push_back(stream);
  EXPECT_EQ(WriteCompoundFile(again, reader.Storages()), bytes);

  // A stream named twice in one storage, or a stream and a storage of one name, is refused.
  EXPECT_THROW(WriteCompoundFile({{"a", {}, {"S"}}, {"A", {}, {"S"}}}), CompoundFileError);
  EXPECT_THROW(WriteCompoundFile({{"S", {}}, {"a", {}, {"S"}}}), CompoundFileError);
}

TEST(CompoundFileReader, AStorageTreeThatLoopsIsRefused) {
  const auto bytes = WriteCompoundFile({{"Workbook", Pattern(100, 1)}, {"s", Pattern(10, 2), {"Inner"}}});
  // The directory starts at the sector the header names; entries are 128 bytes.
  auto damaged = bytes;
  const std::size_t directory = (static_cast<std::size_t>(Load32(bytes.data() + 48)) + 1) * 512;
  for (std::uint32_t id = 1; id < 4; ++id) {
    std::uint8_t* entry = damaged.data() + directory + id * 128;
    if (entry[66] == 1) Store32(entry + 76, id);  // the storage's child is the storage itself
  }
  EXPECT_EQ(CompoundFileReader(bytes).NestedStreams().size(), 1u);
  try {
    (void)CompoundFileReader(damaged).NestedStreams();
    ADD_FAILURE() << "a looping storage was read";
  } catch (const CompoundFileError& e) {
    EXPECT_NE(std::string(e.what()).find("loops"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace quillora::engine
