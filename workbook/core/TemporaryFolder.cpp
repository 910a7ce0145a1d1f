#include "workbook/core/TemporaryFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "spreadsheet/base/FileError.h"

namespace quillora {

std::optional<std::string> ProcessEnvironment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

std::filesystem::path EnsurePrivateFolder(const std::filesystem::path& folder) {
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
    throw base::FileError(folder, std::string("cannot create the temporary folder: ") + std::strerror(errno));
  struct stat info {};
  if (::lstat(folder.c_str(), &info) != 0)
    throw base::FileError(folder, std::string("cannot use the temporary folder: ") + std::strerror(errno));
  const std::string refused = "Refusing the temporary folder " + folder.string() + ": ";
  if (S_ISLNK(info.st_mode)) throw std::runtime_error(refused + "it is a link");
  if (!S_ISDIR(info.st_mode)) throw std::runtime_error(refused + "it is not a folder");
  if (info.st_uid != ::geteuid()) throw std::runtime_error(refused + "it belongs to another user");
  if ((info.st_mode & 07777) != 0700)
    throw std::runtime_error(refused + "its permissions are not 0700");
  return folder;
}

std::filesystem::path ResolveTemporaryFolder(const EnvironmentLookup& environment) {
  if (auto temp = environment("TEMP"); temp && !temp->empty()) return *temp;
  if (auto runtime = environment("XDG_RUNTIME_DIR"); runtime && !runtime->empty())
    return EnsurePrivateFolder(std::filesystem::path(*runtime) / "quillora");
  std::string base = "/tmp";
  if (auto tmpdir = environment("TMPDIR"); tmpdir && !tmpdir->empty()) base = *tmpdir;
  return EnsurePrivateFolder(std::filesystem::path(base) /
                             ("quillora-" + std::to_string(::geteuid())));
}

}  // namespace quillora
