#pragma once
// Creating a file that must not exist yet.
#include <sys/types.h>

#include <filesystem>

#include "spreadsheet/base/Descriptor.h"

namespace quillora::base {

// Creates `file` for writing, exclusively and never through a link (dangling or not), with
// `mode` less the umask. Throws FileError naming `file` when anything is there already.
Descriptor CreateNewFile(const std::filesystem::path& file, mode_t mode = 0600);

}  // namespace quillora::base
