// quillora-template-builder OUT.xlt FLORAL.jpg: writes the budget workbook template that the
// program embeds. Runs at build time.
#include <cstdio>
#include <exception>
#include <filesystem>

#include "resources/template/TemplateBuilder.h"
#include "spreadsheet/base/ReadFile.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "workbook/core/FileHelpers.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: quillora-template-builder OUT.xlt FLORAL.jpg\n");
    return 2;
  }
  try {
    const std::vector<std::uint8_t> floral = quillora::base::ReadWholeFile(argv[2], quillora::base::kMaxPictureBytes);
    const std::vector<std::uint8_t> bytes =
        quillora::engine::WriteWorkbook(quillora::templates::BuildTemplate(floral));
    // The file is the build's own output: replace what an earlier build left.
    std::filesystem::remove(argv[1]);
    quillora::WriteBytesToFile(bytes, argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quillora-template-builder: %s\n", e.what());
    return 1;
  }
  return 0;
}
