#include "cli/FileArguments.h"

#include <algorithm>

#include "cli/Commands.h"

namespace quillora::cli {

std::optional<std::string> FileArguments::value(std::string_view option) const {
  const auto found = values.find(option);
  if (found == values.end()) return std::nullopt;
  return found->second;
}

FileArguments ParseFileArguments(const std::vector<std::string>& args, std::initializer_list<std::string_view> options,
                                 std::initializer_list<std::string_view> required) {
  FileArguments parsed;
  bool haveFile = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (std::find(options.begin(), options.end(), arg) != options.end()) {
      if (i + 1 == args.size()) throw UsageError{arg + " needs a value"};
      parsed.values[arg] = args[++i];
    } else if (!arg.empty() && arg[0] == '-') {
      throw UsageError{"unknown option " + arg};
    } else if (haveFile) {
      throw UsageError{"more than one workbook file given"};
    } else {
      parsed.file = arg;
      haveFile = true;
    }
  }
  if (!haveFile) throw UsageError{"no workbook file given"};
  for (std::string_view option : required)
    if (!parsed.values.contains(option)) throw UsageError{"no " + std::string(option) + " file given"};
  return parsed;
}

}  // namespace quillora::cli
