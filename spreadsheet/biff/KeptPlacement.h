#pragma once
// Where kept (uninterpreted) records go when a workbook is written: each after the record
// group it followed when read (its anchor, 0 for "right after BOF"), and those whose anchor
// the writer never reaches just before EOF. The globals and every sheet place them alike.
#include <cstdint>
#include <initializer_list>
#include <set>
#include <vector>

#include "spreadsheet/biff/RecordWriter.h"
#include "spreadsheet/model/Workbook.h"

namespace quillora::engine {

class KeptPlacement {
 public:
  KeptPlacement(RecordWriter& writer, const std::vector<KeptRecord>& kept) : writer_(writer), kept_(kept) {}

  // Writes, in their order, the kept records anchored to any of `anchors`.
  void After(std::initializer_list<std::uint16_t> anchors);
  // Writes the kept records whose anchor After() was never given; call once, before EOF.
  void Rest();

 private:
  RecordWriter& writer_;
  const std::vector<KeptRecord>& kept_;
  std::set<std::uint16_t> placed_;
};

// Writes every kept record in its order, anchors aside (a sheet kept whole).
void WriteAllKept(RecordWriter& writer, const std::vector<KeptRecord>& kept);

}  // namespace quillora::engine
