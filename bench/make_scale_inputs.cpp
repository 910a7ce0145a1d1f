// quillora-scale-inputs FOLDER: writes the scale workbooks for timing quillora-cli as a
// process: chain-30000.xls, chain-240000.xls, whole-sheet-sums.xls and many-streams.xls.
#include <cstdio>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/recalc_scale_inputs.h"
#include "spreadsheet/biff/WorkbookIO.h"

namespace {

void Save(const std::string& path, const quillora::engine::Workbook& book) {
  const std::vector<std::uint8_t> bytes = quillora::engine::WriteWorkbook(book);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quillora::engine::scale;
  if (argc != 2) {
    std::fprintf(stderr, "usage: quillora-scale-inputs FOLDER\n");
    return 1;
  }
  const std::string folder = argv[1];
  try {
    Save(folder + "/chain-30000.xls", ChainBook(30000));
    Save(folder + "/chain-240000.xls", ChainBook(240000));
    Save(folder + "/whole-sheet-sums.xls", WholeSheetSumBook(kSumFormulas));
    Save(folder + "/many-streams.xls", ManyStreamsBook(kEmptyStreams));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quillora-scale-inputs: %s\n", e.what());
    return 1;
  }
  return 0;
}
