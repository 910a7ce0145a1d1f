#pragma once
// Failures of file operations, all worded "<file>: <reason>" so a person sees which file.
#include <filesystem>
#include <stdexcept>
#include <string>

namespace quillora::base {

// "<file>: <reason>".
std::string FileMessage(const std::filesystem::path& file, const std::string& reason);

// A failed file operation; what() is "<file>: <reason>".
class FileError : public std::runtime_error {
 public:
  FileError(const std::filesystem::path& file, const std::string& reason);
};

// Throws FileError with the system's text for `error` (an errno value).
[[noreturn]] void ThrowSystemError(const std::filesystem::path& file, int error);

}  // namespace quillora::base
