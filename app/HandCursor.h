#pragma once

#include <QCursor>
#include <filesystem>

namespace quillora {

// Loads a Windows .cur file as a cursor with its hotspot, taking the image nearest to
// 32 pixels. Throws std::runtime_error with the path and the reason when it cannot.
QCursor LoadCursorFile(const std::filesystem::path& path);

}  // namespace quillora
