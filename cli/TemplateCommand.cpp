// quillora-cli template OUT.xlt: writes the embedded workbook template to a new file.
#include <filesystem>
#include <stdexcept>

#include "cli/Commands.h"
#include "cli/EmbeddedTemplate.h"
#include "spreadsheet/base/NewFile.h"

namespace quillora::cli {

int RunTemplate(const std::vector<std::string>& args) {
  if (args.size() != 1) throw UsageError{"expected exactly one argument, the file to write"};
  const std::filesystem::path out = args[0];
  // Never replace a file: the exclusive create refuses anything of that name, links included.
  // The new file is the user's own, so it gets the default mode of a new file.
  std::error_code ignored;
  if (std::filesystem::symlink_status(out, ignored).type() != std::filesystem::file_type::not_found)
    throw std::runtime_error(out.string() + " already exists; choose a new file name (nothing was written)");
  base::Descriptor file = base::CreateNewFile(out, 0666);
  file.WriteAll(EmbeddedTemplate());
  file.Close();
  return 0;
}

}  // namespace quillora::cli
