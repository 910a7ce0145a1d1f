// The BIFF8 reader on an arbitrary workbook stream: it reads the workbook or refuses it
// with an engine error. What it reads can be listed and saved, and a saved workbook read
// back saves to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/cfb/CompoundFile.h"
#include "spreadsheet/dump/Dump.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillora::engine;
  const std::vector<std::uint8_t> file = WriteCompoundFile({{"Workbook", std::vector<std::uint8_t>(data, data + size)}});
  Workbook book;
  try {
    book = ReadWorkbook(file);
  } catch (const Error&) {
    return 0;
  }
  std::ostringstream listing;
  DumpWorkbook(book, listing);
  std::vector<std::uint8_t> saved;
  try {
    saved = WriteWorkbook(book);
  } catch (const RequestError&) {
    return 0;  // text too long for the table it goes to: refused, not written wrongly
  }
  if (WriteWorkbook(ReadWorkbook(saved)) != saved) std::abort();
  return 0;
}
