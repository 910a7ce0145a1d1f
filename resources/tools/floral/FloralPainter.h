#pragma once

#include <QImage>

namespace quillora::artwork {

// Paints the small photograph-like picture of a white floral arrangement that sits at the
// left end of the workbook's dusty-rose title band. The result is deterministic.
QImage PaintFloralArrangement(int width, int height);

}  // namespace quillora::artwork
