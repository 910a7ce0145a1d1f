// quillora-bench-make KIND N OUT.xls: writes one of the benchmark workbooks (see
// bench/inputs/BenchWorkbooks.h) through the engine's own writer.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "bench/inputs/BenchWorkbooks.h"
#include "spreadsheet/biff/WorkbookIO.h"

int main(int argc, char** argv) {
  using namespace quillora;
  if (argc != 4) {
    std::string kinds;
    for (const auto& kind : bench::BenchWorkbookKinds()) kinds += (kinds.empty() ? "" : "|") + kind;
    std::fprintf(stderr, "usage: quillora-bench-make %s N OUT.xls\n", kinds.c_str());
    return 1;
  }
  try {
    std::size_t used = 0;
    const int n = std::stoi(argv[2], &used);
    if (used != std::string(argv[2]).size()) throw std::invalid_argument("N is not a whole number");
    const auto bytes = engine::WriteWorkbook(bench::MakeBenchWorkbook(argv[1], n));
    std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::remove(argv[3]);  // no partial workbook left behind
      throw std::runtime_error(std::string("cannot write ") + argv[3]);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "quillora-bench-make: %s\n", error.what());
    return 1;
  }
  return 0;
}
