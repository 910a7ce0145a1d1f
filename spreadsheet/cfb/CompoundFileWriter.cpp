#include <algorithm>
#include <array>
#include <functional>
#include <unordered_map>

#include "spreadsheet/base/LittleEndian.h"
#include "spreadsheet/base/Unicode.h"
#include "spreadsheet/cfb/CompoundFile.h"
#include "spreadsheet/cfb/CompoundFileFormat.h"

namespace quillora::engine {
namespace {

using namespace compound;
constexpr std::uint32_t kEntriesPerSector = kSectorSize / 4;

std::uint32_t SectorsFor(std::uint64_t bytes, std::uint32_t unit) {
  return static_cast<std::uint32_t>((bytes + unit - 1) / unit);
}

// Directory order of names: shorter first, then by upper-cased UTF-16 code units.
bool NameLess(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return a.size() < b.size();
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto up = [](char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; };
    if (up(a[i]) != up(b[i])) return up(a[i]) < up(b[i]);
  }
  return false;
}

// Names in one storage are compared in that order, so "a" and "A" are the same name: this
// form of a name is equal for names that are the same.
std::u16string FoldedName(std::u16string name) {
  for (char16_t& c : name)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  return name;
}

struct DirEntry {
  std::u16string name;
  std::uint8_t type = 2;
  std::uint8_t color = 1;  // black
  std::uint32_t left = kFreeSector, right = kFreeSector, child = kFreeSector;
  std::uint32_t start = kEndOfChain;
  std::uint64_t size = 0;
  std::array<std::uint8_t, 16> classId{};
};

// The directory being built: entry 0 is the root; each storage's children are listed so
// their sibling trees can be built once every entry is known.
class Directory {
 public:
  Directory() : entries_(1), children_(1), named_(1), listed_(1, false) {
    entries_[0].name = u"Root Entry";
    entries_[0].type = 5;
  }

  // A storage of the list: made (with missing parents) and given its class; one listed
  // twice is refused.
  void ListedStorage(const CompoundStorage& storage) {
    const std::size_t id = Storage(storage.path);
    if (id == 0 || listed_[id]) throw CompoundFileError("a storage is listed twice or has no name");
    listed_[id] = true;
    entries_[id].classId = storage.classId;
  }

  // The storage at `path` (made, with its parents, when missing).
  std::size_t Storage(const std::vector<std::string>& path) {
    std::size_t parent = 0;
    for (const std::string& name : path) {
      const std::u16string wide = CheckedName(name);
      const auto found = named_[parent].find(FoldedName(wide));
      if (found == named_[parent].end()) {
        parent = Add(parent, wide, 1);
      } else if (entries_[found->second].type != 1) {
        throw CompoundFileError("\"" + name + "\" is both a stream and a storage");
      } else {
        parent = found->second;
      }
    }
    return parent;
  }

  // A new stream below `parent`; a name used twice in one storage is refused.
  std::size_t Stream(std::size_t parent, const std::string& name, std::uint64_t size) {
    const std::u16string wide = CheckedName(name);
    if (named_[parent].contains(FoldedName(wide))) throw CompoundFileError("stream \"" + name + "\" is named twice");
    const std::size_t id = Add(parent, wide, 2);
    entries_[id].size = size;
    return id;
  }

  // Links every storage's children into a balanced tree whose deepest level is red, which
  // keeps the red-black invariants; returns the entries in directory order.
  std::vector<DirEntry> Finish() {
    for (std::size_t parent = 0; parent < entries_.size(); ++parent) {
      std::vector<std::size_t> order = children_[parent];
      if (order.empty()) continue;
      std::sort(order.begin(), order.end(),
                [&](std::size_t a, std::size_t b) { return NameLess(entries_[a].name, entries_[b].name); });
      int max_depth = -1;
      std::function<std::uint32_t(std::size_t, std::size_t, int)> build = [&](std::size_t lo, std::size_t hi,
                                                                              int depth) -> std::uint32_t {
        if (lo >= hi) return kFreeSector;
        const std::size_t mid = (lo + hi) / 2;
        DirEntry& e = entries_[order[mid]];
        max_depth = std::max(max_depth, depth);
        e.color = static_cast<std::uint8_t>(depth);  // depth for now, colour below
        e.left = build(lo, mid, depth + 1);
        e.right = build(mid + 1, hi, depth + 1);
        return static_cast<std::uint32_t>(order[mid]);
      };
      entries_[parent].child = build(0, order.size(), 0);
      const bool perfect = ((order.size() + 1) & order.size()) == 0;
      for (std::size_t id : order) entries_[id].color = (!perfect && entries_[id].color == max_depth) ? 0 : 1;
    }
    return std::move(entries_);
  }

 private:
  static std::u16string CheckedName(const std::string& name) {
    std::u16string wide = Utf8ToUtf16(name);
    if (wide.size() > 31) throw CompoundFileError("stream name \"" + name + "\" is longer than 31 characters");
    return wide;
  }

  std::size_t Add(std::size_t parent, std::u16string name, std::uint8_t type) {
    DirEntry e;
    e.name = std::move(name);
    e.type = type;
    if (type == 1) e.start = 0;  // a storage has no sectors of its own
    entries_.push_back(std::move(e));
    children_.emplace_back();
    named_.emplace_back();
    listed_.push_back(false);
    children_[parent].push_back(entries_.size() - 1);
    named_[parent].emplace(FoldedName(entries_.back().name), entries_.size() - 1);
    return entries_.size() - 1;
  }

  std::vector<DirEntry> entries_;
  std::vector<std::vector<std::size_t>> children_;
  std::vector<std::unordered_map<std::u16string, std::size_t>> named_;  // children by FoldedName
  std::vector<bool> listed_;
};

void PutEntry(std::vector<std::uint8_t>& out, const DirEntry& e) {
  const std::size_t base = out.size();
  out.resize(base + kDirectoryEntrySize, 0);
  std::uint8_t* p = out.data() + base;
  for (std::size_t i = 0; i < e.name.size() && i < 31; ++i) Store16(p + 2 * i, e.name[i]);
  Store16(p + 64, static_cast<std::uint16_t>(2 * (std::min<std::size_t>(e.name.size(), 31) + 1)));
  p[66] = e.type;
  p[67] = e.color;
  Store32(p + 68, e.left);
  Store32(p + 72, e.right);
  Store32(p + 76, e.child);
  std::copy(e.classId.begin(), e.classId.end(), p + 80);
  Store32(p + 116, e.start);
  Store32(p + 120, static_cast<std::uint32_t>(e.size));
}

}  // namespace

std::vector<std::uint8_t> WriteCompoundFile(const std::vector<CompoundStream>& streams,
                                            const std::vector<CompoundStorage>& storages) {
  Directory directory;
  for (const CompoundStorage& storage : storages) directory.ListedStorage(storage);
  std::vector<std::size_t> stream_ids(streams.size());
  for (std::size_t i = 0; i < streams.size(); ++i)
    stream_ids[i] = directory.Stream(directory.Storage(streams[i].storage), streams[i].name, streams[i].data.size());
  std::vector<DirEntry> entries = directory.Finish();

  // Mini stream: every stream below the cutoff, each starting on a 64-byte boundary.
  std::vector<std::uint8_t> mini_stream;
  std::vector<std::uint32_t> mini_fat;
  for (std::size_t i = 0; i < streams.size(); ++i) {
    const auto& data = streams[i].data;
    if (data.empty() || data.size() >= kMiniCutoff) continue;
    const std::uint32_t first = static_cast<std::uint32_t>(mini_fat.size());
    const std::uint32_t count = SectorsFor(data.size(), kMiniSectorSize);
    for (std::uint32_t k = 0; k < count; ++k) mini_fat.push_back(k + 1 < count ? first + k + 1 : kEndOfChain);
    entries[stream_ids[i]].start = first;
    mini_stream.insert(mini_stream.end(), data.begin(), data.end());
    mini_stream.resize(static_cast<std::size_t>(mini_fat.size()) * kMiniSectorSize, 0);
  }

  // Sector plan: FAT and DIFAT sectors first, then directory, mini FAT, mini stream, streams.
  const std::uint32_t dir_sectors = SectorsFor(entries.size() * kDirectoryEntrySize, kSectorSize);
  const std::uint32_t mini_fat_sectors = SectorsFor(mini_fat.size() * 4, kSectorSize);
  const std::uint32_t mini_stream_sectors = SectorsFor(mini_stream.size(), kSectorSize);
  std::uint32_t data_sectors = dir_sectors + mini_fat_sectors + mini_stream_sectors;
  for (const auto& s : streams)
    if (s.data.size() >= kMiniCutoff) data_sectors += SectorsFor(s.data.size(), kSectorSize);
  std::uint32_t fat_sectors = 1, difat_sectors = 0;
  for (;;) {
    const std::uint32_t total = data_sectors + fat_sectors + difat_sectors;
    const std::uint32_t need_fat = SectorsFor(total, kEntriesPerSector);
    const std::uint32_t need_difat =
        need_fat > kHeaderDifatEntries ? SectorsFor(need_fat - kHeaderDifatEntries, kEntriesPerSector - 1) : 0;
    if (need_fat == fat_sectors && need_difat == difat_sectors) break;
    fat_sectors = need_fat;
    difat_sectors = need_difat;
  }
  const std::uint32_t total = data_sectors + fat_sectors + difat_sectors;
  std::vector<std::uint32_t> fat(static_cast<std::size_t>(fat_sectors) * kEntriesPerSector, kFreeSector);
  std::uint32_t next = 0;
  for (std::uint32_t k = 0; k < fat_sectors; ++k) fat[next++] = kFatSector;
  const std::uint32_t first_difat = difat_sectors ? next : kEndOfChain;
  for (std::uint32_t k = 0; k < difat_sectors; ++k) fat[next++] = kDifatSector;
  auto allocate = [&](std::uint32_t count) {
    if (count == 0) return kEndOfChain;
    const std::uint32_t first = next;
    for (std::uint32_t k = 0; k < count; ++k, ++next) fat[next] = k + 1 < count ? next + 1 : kEndOfChain;
    return first;
  };
  const std::uint32_t first_dir = allocate(dir_sectors);
  const std::uint32_t first_mini_fat = allocate(mini_fat_sectors);
  entries[0].start = allocate(mini_stream_sectors);
  entries[0].size = mini_stream.size();
  for (std::size_t i = 0; i < streams.size(); ++i)
    if (streams[i].data.size() >= kMiniCutoff) entries[stream_ids[i]].start = allocate(SectorsFor(streams[i].data.size(), kSectorSize));

  std::vector<std::uint8_t> out;
  out.reserve((static_cast<std::size_t>(total) + 1) * kSectorSize);
  out.insert(out.end(), kSignature.begin(), kSignature.end());
  out.resize(24, 0);
  Put16(out, 0x003E);
  Put16(out, 3);
  Put16(out, 0xFFFE);
  Put16(out, 9);
  Put16(out, 6);
  out.resize(44, 0);
  Put32(out, fat_sectors);
  Put32(out, first_dir);
  Put32(out, 0);
  Put32(out, kMiniCutoff);
  Put32(out, mini_fat_sectors ? first_mini_fat : kEndOfChain);
  Put32(out, mini_fat_sectors);
  Put32(out, first_difat);
  Put32(out, difat_sectors);
  std::vector<std::uint32_t> difat_rest;
  for (std::uint32_t k = 0; k < fat_sectors; ++k) {
    if (k < kHeaderDifatEntries)
      Put32(out, k);
    else
      difat_rest.push_back(k);
  }
  for (std::uint32_t k = fat_sectors; k < kHeaderDifatEntries; ++k) Put32(out, kFreeSector);

  auto pad = [&] { out.resize(SectorsFor(out.size(), kSectorSize) * static_cast<std::size_t>(kSectorSize), 0); };
  for (std::uint32_t v : fat) Put32(out, v);
  for (std::uint32_t d = 0; d < difat_sectors; ++d) {
    for (std::uint32_t k = 0; k < kEntriesPerSector - 1; ++k) {
      const std::size_t at = static_cast<std::size_t>(d) * (kEntriesPerSector - 1) + k;
      Put32(out, at < difat_rest.size() ? difat_rest[at] : kFreeSector);
    }
    Put32(out, d + 1 < difat_sectors ? first_difat + d + 1 : kEndOfChain);
  }
  for (const DirEntry& e : entries) PutEntry(out, e);
  const DirEntry unused{u"", 0, 0, kFreeSector, kFreeSector, kFreeSector, 0, 0};
  while (out.size() % kSectorSize) PutEntry(out, unused);
  for (std::uint32_t v : mini_fat) Put32(out, v);
  while (out.size() % kSectorSize) Put32(out, kFreeSector);
  out.insert(out.end(), mini_stream.begin(), mini_stream.end());
  pad();
  for (const auto& s : streams) {
    if (s.data.size() < kMiniCutoff) continue;
    out.insert(out.end(), s.data.begin(), s.data.end());
    pad();
  }
  return out;
}

}  // namespace quillora::engine
