#include <algorithm>
#include <array>
#include <string>
#include <unordered_set>

#include "spreadsheet/base/LittleEndian.h"
#include "spreadsheet/base/Unicode.h"
#include "spreadsheet/cfb/CompoundFile.h"
#include "spreadsheet/cfb/CompoundFileFormat.h"

namespace quillora::engine {
namespace {

using namespace compound;

[[noreturn]] void Fail(const std::string& message) {
  throw CompoundFileError("Not a readable compound file: " + message);
}

char ToUpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = ToUpperAscii(c);
  return upper;
}

// Sectors already on a chain. Dense for a chain that may cover much of its table, sparse for
// a short one, so reading many small streams does not cost a table-sized set each.
class VisitedSectors {
 public:
  VisitedSectors(std::size_t table_size, std::uint64_t limit) : dense_(limit >= table_size / 64) {
    if (dense_) bits_.resize(table_size, false);
  }
  // False when `sector` was already inserted.
  bool Insert(std::uint32_t sector) {
    if (!dense_) return sparse_.insert(sector).second;
    if (bits_[sector]) return false;
    bits_[sector] = true;
    return true;
  }

 private:
  bool dense_;
  std::vector<bool> bits_;
  std::unordered_set<std::uint32_t> sparse_;
};

}  // namespace

bool HasCompoundFileSignature(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= kSignature.size() && std::equal(kSignature.begin(), kSignature.end(), bytes.begin());
}

CompoundFileReader::CompoundFileReader(std::span<const std::uint8_t> file) : file_(file) {
  if (!HasCompoundFileSignature(file)) Fail("the signature is missing");
  if (file.size() < 512) Fail("the file is shorter than its 512-byte header (truncated)");
  const std::uint8_t* h = file.data();
  major_version_ = Load16(h + 26);
  const std::uint16_t shift = Load16(h + 30);
  if (major_version_ == 3 && shift == 9) {
    sector_size_ = 512;
  } else if (major_version_ == 4 && shift == 12) {
    sector_size_ = 4096;
  } else {
    Fail("unsupported version " + std::to_string(major_version_) + " with sector shift " + std::to_string(shift));
  }
  if (Load16(h + 28) != 0xFFFE) Fail("the byte order mark is wrong");
  if (Load16(h + 32) != 6) Fail("the mini sector size is not 64 bytes");
  if (file.size() < sector_size_) Fail("the file ends inside its header sector (truncated)");
  sector_count_ = (file.size() - sector_size_ + sector_size_ - 1) / sector_size_;
  mini_cutoff_ = Load32(h + 56);
  if (mini_cutoff_ != 4096) Fail("the mini stream cutoff is not 4096");

  const std::uint32_t fat_sector_count = Load32(h + 44);
  const std::uint32_t first_directory = Load32(h + 48);
  const std::uint32_t first_mini_fat = Load32(h + 60);
  const std::uint32_t mini_fat_count = Load32(h + 64);
  std::uint32_t difat_next = Load32(h + 68);
  const std::uint32_t difat_count = Load32(h + 72);
  if (fat_sector_count > sector_count_) Fail("the header claims more FAT sectors than the file holds");

  // DIFAT: the header's 109 entries, then a chain of DIFAT sectors.
  std::vector<std::uint32_t> fat_sectors;
  fat_sectors.reserve(fat_sector_count);
  for (std::size_t i = 0; i < kHeaderDifatEntries && fat_sectors.size() < fat_sector_count; ++i)
    if (const std::uint32_t s = Load32(h + 76 + 4 * i); s != kFreeSector) fat_sectors.push_back(s);
  const std::size_t per_difat = sector_size_ / 4 - 1;
  std::vector<bool> seen_difat(sector_count_, false);
  for (std::uint32_t n = 0; fat_sectors.size() < fat_sector_count; ++n) {
    if (n >= difat_count) Fail("the DIFAT ends before listing every FAT sector");
    if (difat_next >= sector_count_) Fail("a DIFAT sector number is outside the file");
    if (seen_difat[difat_next]) Fail("the DIFAT chain loops");
    seen_difat[difat_next] = true;
    const auto sector = Sector(difat_next);
    for (std::size_t i = 0; i < per_difat && fat_sectors.size() < fat_sector_count; ++i)
      fat_sectors.push_back(Load32(sector.data() + 4 * i));
    difat_next = Load32(sector.data() + 4 * per_difat);
  }

  fat_.reserve(static_cast<std::size_t>(fat_sector_count) * (sector_size_ / 4));
  for (std::uint32_t s : fat_sectors) {
    if (s >= sector_count_) Fail("a FAT sector number is outside the file");
    const auto sector = Sector(s);
    for (std::size_t i = 0; i < sector_size_ / 4; ++i) fat_.push_back(Load32(sector.data() + 4 * i));
  }

  const std::vector<std::uint8_t> directory =
      ReadChain(first_directory, UINT64_MAX, "directory");
  const std::size_t entry_count = directory.size() / kDirectoryEntrySize;
  if (entry_count == 0) Fail("the directory is empty");
  entries_.resize(entry_count);
  for (std::size_t i = 0; i < entry_count; ++i) {
    const std::uint8_t* e = directory.data() + i * kDirectoryEntrySize;
    Entry& entry = entries_[i];
    const std::size_t name_bytes = std::min<std::size_t>(Load16(e + 64), 64);
    std::u16string name;
    for (std::size_t k = 0; k + 1 < name_bytes; k += 2) {
      const char16_t unit = Load16(e + k);
      if (unit == 0) break;
      name.push_back(unit);
    }
    entry.name = Utf16ToUtf8(name);
    entry.type = e[66];
    entry.left = Load32(e + 68);
    entry.right = Load32(e + 72);
    entry.child = Load32(e + 76);
    entry.start = Load32(e + 116);
    entry.size = major_version_ == 3 ? Load32(e + 120) : Load64(e + 120);
    std::copy(e + 80, e + 96, entry.classId.begin());
  }
  if (entries_[0].type != 5) Fail("the first directory entry is not the root storage");

  // The mini stream lives in the root entry's chain; the mini FAT in its own chain.
  if (mini_fat_count > sector_count_) Fail("the header claims more mini FAT sectors than the file holds");
  if (mini_fat_count > 0) {
    const auto bytes = ReadChain(first_mini_fat, static_cast<std::uint64_t>(mini_fat_count) * sector_size_, "mini FAT");
    mini_fat_.resize(bytes.size() / 4);
    for (std::size_t i = 0; i < mini_fat_.size(); ++i) mini_fat_[i] = Load32(bytes.data() + 4 * i);
  }
  const Entry& root = entries_[0];
  if (root.size > 0 && root.start != kEndOfChain) {
    if (root.size > file_.size()) Fail("the mini stream is larger than the file");
    mini_stream_ = ReadChain(root.start, root.size, "mini stream");
  }

  // The root's tree once, with its streams by name, so looking streams up stays linear in
  // the directory however many there are.
  try {
    std::vector<bool> seen(entries_.size(), false);
    seen[0] = true;
    root_children_ = Children(0, seen);
  } catch (const CompoundFileError& e) {
    root_problem_ = e.what();
  }
  for (std::uint32_t id : root_children_)
    if (entries_[id].type == 2) root_streams_.emplace(UpperAscii(entries_[id].name), id);
}

std::span<const std::uint8_t> CompoundFileReader::Sector(std::uint32_t index, bool allow_short) const {
  const std::uint64_t offset = (static_cast<std::uint64_t>(index) + 1) * sector_size_;
  if (index >= sector_count_ || offset >= file_.size())
    Fail("sector " + std::to_string(index) + " lies outside the file (truncated?)");
  const std::uint64_t available = std::min<std::uint64_t>(sector_size_, file_.size() - offset);
  if (available < sector_size_ && !allow_short)
    Fail("sector " + std::to_string(index) + " is cut short by the end of the file (truncated)");
  return file_.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(available));
}

std::vector<std::uint32_t> CompoundFileReader::Chain(const std::vector<std::uint32_t>& table, std::uint32_t start,
                                                     std::uint64_t limit, const char* what) const {
  std::vector<std::uint32_t> chain;
  VisitedSectors seen(table.size(), limit);
  std::uint32_t current = start;
  while (current != kEndOfChain) {
    if (current >= table.size() || current > kMaxRegularSector)
      Fail(std::string("the ") + what + " chain points at sector " + std::to_string(current) +
           ", which is outside the allocation table");
    if (!seen.Insert(current)) Fail(std::string("the ") + what + " chain loops");
    if (chain.size() >= limit) break;
    chain.push_back(current);
    current = table[current];
    if (current == kFreeSector) Fail(std::string("the ") + what + " chain runs into a free sector");
  }
  return chain;
}

std::vector<std::uint8_t> CompoundFileReader::ReadChain(std::uint32_t start, std::uint64_t size,
                                                        const char* what) const {
  const std::uint64_t sectors_needed =
      size == UINT64_MAX ? sector_count_ : (size + sector_size_ - 1) / sector_size_;
  const auto chain = Chain(fat_, start, sectors_needed, what);
  if (size != UINT64_MAX && chain.size() < sectors_needed)
    Fail(std::string("the ") + what + " is longer than its sector chain (truncated)");
  std::vector<std::uint8_t> out;
  out.reserve(chain.size() * sector_size_);
  for (std::size_t k = 0; k < chain.size(); ++k) {
    const auto sector = Sector(chain[k], size != UINT64_MAX && k + 1 == chain.size());
    out.insert(out.end(), sector.begin(), sector.end());
  }
  if (size != UINT64_MAX) {
    if (out.size() < size) Fail(std::string("the ") + what + " is cut short by the end of the file (truncated)");
    out.resize(static_cast<std::size_t>(size));
  }
  return out;
}

std::vector<std::uint32_t> CompoundFileReader::Children(std::uint32_t parent, std::vector<bool>& seen) const {
  // In-order walk of the storage's sibling tree; the shared visited set refuses loops and
  // entries that two storages claim.
  std::vector<std::uint32_t> result;
  std::vector<std::uint32_t> stack;
  std::uint32_t current = entries_[parent].child;
  auto valid = [&](std::uint32_t id) { return id != kNoStream; };
  while (valid(current) || !stack.empty()) {
    while (valid(current)) {
      if (current >= entries_.size()) Fail("a directory entry points outside the directory");
      if (seen[current]) Fail("the directory tree loops");
      seen[current] = true;
      stack.push_back(current);
      current = entries_[current].left;
    }
    current = stack.back();
    stack.pop_back();
    result.push_back(current);
    current = entries_[current].right;
  }
  return result;
}

const std::vector<std::uint32_t>& CompoundFileReader::RootChildren() const {
  if (!root_problem_.empty()) throw CompoundFileError(root_problem_);
  return root_children_;
}

std::vector<CompoundFileReader::Placed> CompoundFileReader::NestedEntries() const {
  std::vector<bool> seen(entries_.size(), false);
  seen[0] = true;
  std::vector<Placed> result;
  // Depth first with an explicit stack of storages still to open, so a deep tree cannot
  // exhaust the call stack; the visited set bounds the work by the directory's size.
  std::vector<Placed> pending;
  for (std::uint32_t id : Children(0, seen))
    if (entries_[id].type == 1) pending.push_back({id, {}});
  std::reverse(pending.begin(), pending.end());
  while (!pending.empty()) {
    Placed storage = std::move(pending.back());
    pending.pop_back();
    result.push_back(storage);
    std::vector<std::string> inside = storage.storage;
    inside.push_back(entries_[storage.id].name);
    std::vector<Placed> substorages;
    for (std::uint32_t id : Children(storage.id, seen)) {
      if (entries_[id].type == 2) result.push_back({id, inside});
      if (entries_[id].type == 1) substorages.push_back({id, inside});
    }
    pending.insert(pending.end(), substorages.rbegin(), substorages.rend());
  }
  return result;
}

std::vector<CompoundStorage> CompoundFileReader::Storages() const {
  std::vector<CompoundStorage> storages;
  for (const Placed& placed : NestedEntries()) {
    const Entry& entry = entries_[placed.id];
    if (entry.type != 1) continue;
    CompoundStorage storage{placed.storage, entry.classId};
    storage.path.push_back(entry.name);
    storages.push_back(std::move(storage));
  }
  return storages;
}

std::vector<CompoundStream> CompoundFileReader::NestedStreams() const {
  const std::vector<Placed> placed = NestedEntries();
  // Each sector belongs to one stream, so together they cannot hold more than the file.
  std::uint64_t claimed = 0;
  for (const Placed& p : placed)
    if (entries_[p.id].type == 2) claimed += std::min<std::uint64_t>(entries_[p.id].size, file_.size() + 1);
  if (claimed > file_.size()) Fail("the streams inside storages claim more bytes than the file holds");
  std::vector<CompoundStream> streams;
  for (const Placed& p : placed) {
    const Entry& entry = entries_[p.id];
    if (entry.type == 2) streams.push_back({entry.name, ReadEntry(entry), p.storage});
  }
  return streams;
}

std::vector<std::string> CompoundFileReader::StreamNames() const {
  std::vector<std::string> names;
  for (std::uint32_t id : RootChildren())
    if (entries_[id].type == 2) names.push_back(entries_[id].name);
  return names;
}

std::optional<std::vector<std::uint8_t>> CompoundFileReader::ReadStream(std::string_view name) const {
  RootChildren();  // reports a root tree that cannot be walked
  const auto found = root_streams_.find(UpperAscii(name));
  if (found == root_streams_.end()) return std::nullopt;
  return ReadEntry(entries_[found->second]);
}

std::vector<std::uint8_t> CompoundFileReader::ReadEntry(const Entry& entry) const {
  if (entry.size > file_.size())
    Fail("stream \"" + entry.name + "\" claims " + std::to_string(entry.size) + " bytes, more than the file holds");
  if (entry.size == 0) return std::vector<std::uint8_t>{};
  if (entry.size >= mini_cutoff_) return ReadChain(entry.start, entry.size, "stream");
  // Small streams live in the mini stream, in 64-byte sectors chained by the mini FAT.
  const std::uint64_t needed = (entry.size + 63) / 64;
  const auto chain = Chain(mini_fat_, entry.start, needed, "mini stream");
  if (chain.size() < needed) Fail("stream \"" + entry.name + "\" is longer than its mini sector chain (truncated)");
  std::vector<std::uint8_t> out;
  out.reserve(static_cast<std::size_t>(entry.size));
  for (std::uint32_t s : chain) {
    const std::uint64_t offset = static_cast<std::uint64_t>(s) * 64;
    const std::size_t take = std::min<std::size_t>(64, static_cast<std::size_t>(entry.size) - out.size());
    if (offset + take > mini_stream_.size()) Fail("a mini sector lies outside the mini stream");
    out.insert(out.end(), mini_stream_.begin() + static_cast<std::ptrdiff_t>(offset),
               mini_stream_.begin() + static_cast<std::ptrdiff_t>(offset + take));
  }
  return out;
}

}  // namespace quillora::engine
