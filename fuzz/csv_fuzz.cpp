// The CSV reader either returns records with rising line numbers or throws CsvError.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "workbook/core/CsvReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    int last = 0;
    for (const auto& record : quillora::ReadCsv({reinterpret_cast<const char*>(data), size})) {
      if (record.line < last || record.fields.empty()) std::abort();
      last = record.line;
    }
  } catch (const quillora::CsvError&) {
  }
  return 0;
}
