#pragma once

#include "cursor/HandShape.h"

#include <QByteArray>

#include <vector>

namespace quillora::artwork {

// Encodes the images (each at most 255 pixels square) as one Windows cursor file.
QByteArray EncodeCursorFile(const std::vector<CursorImage>& cursors);

// Reads `bytes` back independently of the encoder and throws std::runtime_error when the
// directory, a hotspot, a pixel or the AND mask does not match `cursors`.
void CheckCursorFile(const QByteArray& bytes, const std::vector<CursorImage>& cursors);

}  // namespace quillora::artwork
