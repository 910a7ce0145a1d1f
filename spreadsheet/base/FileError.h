#pragma once
// Failures of file operations, all worded "<file>: <reason>" so a person sees which file.
#include <filesystem>
#include <string>

#include "spreadsheet/base/Error.h"

namespace quillora::base {

// "<file>: <reason>".
std::string FileMessage(const std::filesystem::path& file, const std::string& reason);

// A failed file operation; what() is "<file>: <reason>".
class FileError : public engine::Error {
 public:
  FileError(const std::filesystem::path& file, const std::string& reason);
};

// Throws FileError with the system's text for `error` (an errno value).
[[noreturn]] void ThrowSystemError(const std::filesystem::path& file, int error);

}  // namespace quillora::base
