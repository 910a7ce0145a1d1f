#include "spreadsheet/biff/KeptPlacement.h"

#include <algorithm>

namespace quillora::engine {

void KeptPlacement::After(std::initializer_list<std::uint16_t> anchors) {
  for (const KeptRecord& record : kept_)
    if (std::find(anchors.begin(), anchors.end(), record.after) != anchors.end())
      writer_.WriteSegments(record.type, record.data, record.continues);
  placed_.insert(anchors.begin(), anchors.end());
}

void KeptPlacement::Rest() {
  for (const KeptRecord& record : kept_)
    if (!placed_.count(record.after)) writer_.WriteSegments(record.type, record.data, record.continues);
}

void WriteAllKept(RecordWriter& writer, const std::vector<KeptRecord>& kept) {
  for (const KeptRecord& record : kept) writer.WriteSegments(record.type, record.data, record.continues);
}

}  // namespace quillora::engine
