#pragma once
// The command lines of the subcommands that take one workbook file and options with values
// (`render FILE --output OUT.png [--range A1:C118]`, `pdf FILE --output OUT.pdf`).
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillora::cli {

struct FileArguments {
  std::string file;
  std::map<std::string, std::string, std::less<>> values;  // option -> value, as given

  std::optional<std::string> value(std::string_view option) const;
};

// Reads `args` as one workbook file and the options in `options`, each with a value; those
// in `required` must be given. Throws UsageError for an unknown option, a missing value, a
// second file, no file or a required option left out.
FileArguments ParseFileArguments(const std::vector<std::string>& args, std::initializer_list<std::string_view> options,
                                 std::initializer_list<std::string_view> required);

}  // namespace quillora::cli
