#pragma once
// Files and folders that must not outlive an interrupted process: on SIGINT, SIGTERM or
// SIGHUP each registered file is unlinked and each registered folder emptied and removed,
// with async-signal-safe calls only, and the signal then takes its default action.
#include <filesystem>

namespace quillora::base {

enum class CleanupKind { File, Folder };

// Registers `path` (a fixed number of names at a time; -1 when every place is taken or the
// name is too long) and installs the signal handlers on first use, where the signal's action
// is still the default one. The result is the handle for UnregisterCleanup.
int RegisterCleanup(const std::filesystem::path& path, CleanupKind kind) noexcept;

// Forgets a registration; -1 is ignored.
void UnregisterCleanup(int handle) noexcept;

// True when `folder` is registered as a folder: a run's own temporary folder.
bool IsRegisteredFolder(const std::filesystem::path& folder) noexcept;

// Empties `folder` of its files (not of its subfolders) and removes it, never following a
// link; async-signal-safe, never reports.
void RemoveFolderAndFiles(const char* folder) noexcept;

}  // namespace quillora::base
