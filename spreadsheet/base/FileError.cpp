#include "spreadsheet/base/FileError.h"

#include <cstring>

namespace quillora::base {

std::string FileMessage(const std::filesystem::path& file, const std::string& reason) {
  return (file.empty() ? std::string("(no file name)") : file.string()) + ": " + reason;
}

FileError::FileError(const std::filesystem::path& file, const std::string& reason)
    : engine::Error(FileMessage(file, reason)) {}

void ThrowSystemError(const std::filesystem::path& file, int error) {
  throw FileError(file, std::strerror(error));
}

}  // namespace quillora::base
