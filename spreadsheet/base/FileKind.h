#pragma once
// What kind of directory entry a name holds, asked without ever throwing.
#include <sys/types.h>

#include <filesystem>
#include <string>

namespace quillora::base {

// True when `file` is a regular file, or a link that leads to one.
bool IsRegularFile(const std::filesystem::path& file) noexcept;

// True when `file` itself (not a link) is a regular file owned by the current user.
bool IsOwnRegularFile(const std::filesystem::path& file) noexcept;

// True when anything at all is at `file`, a dangling link included; also when the entry
// cannot be looked at (never guess that a name is free).
bool NameTaken(const std::filesystem::path& file) noexcept;

// Why an entry of mode `mode` is no regular file: "is a folder", "is a device", ...
std::string NotARegularFile(mode_t mode);

}  // namespace quillora::base
