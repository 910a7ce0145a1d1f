#pragma once

#include <QImage>
#include <QPoint>

namespace quillora::artwork {

struct CursorImage {
    QImage image;   // square, ARGB32 (straight alpha)
    QPoint hotspot; // pixels from the left and from the top
};

// The pointing hand (index finger up, the other fingers curled, thumb to the left), white
// with a black outline, drawn at `size` x `size` pixels. The hotspot is the fingertip.
CursorImage DrawPointingHand(int size);

}  // namespace quillora::artwork
