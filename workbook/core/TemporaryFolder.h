#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace quillora {

// Reads an environment variable; empty optional when unset.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

// The process environment.
std::optional<std::string> ProcessEnvironment(const char* name);

// The temporary folder T: TEMP when set and not empty, taken unchanged. Otherwise a
// private folder, $XDG_RUNTIME_DIR/quillora or ${TMPDIR:-/tmp}/quillora-<uid>, created
// with mode 0700 and used only when it is a real folder (no link) owned by this user
// with exactly that mode. Throws std::runtime_error saying why a folder was refused.
std::filesystem::path ResolveTemporaryFolder(const EnvironmentLookup& environment);

// Creates (when missing) and checks one private folder as above.
std::filesystem::path EnsurePrivateFolder(const std::filesystem::path& folder);

}  // namespace quillora
