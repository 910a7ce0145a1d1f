#pragma once
// A workbook built in code that uses every feature the engine models; shared by the
// round-trip tests, the interop check and the seed corpus.
#include "spreadsheet/model/Workbook.h"

namespace quillora::engine::testing {

Workbook BuildTestWorkbook();

// A string longer than one record, so the shared string table must continue it.
std::string LongText(bool wide);

}  // namespace quillora::engine::testing
