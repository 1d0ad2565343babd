#include "scene/RingAnnulus.h"

#include <cmath>

#include "scene/Angles.h"

namespace {
constexpr double kPictureHalfWidth = 2.0;  // the picture's square spans -2..2 on both axes
}

RingVertex ringAnnulusVertex(int k)
{
    const double a = (k / 2) * (2.0 * pi / ringAnnulusSegments);
    const double r = k % 2 == 0 ? ringAnnulusOuter : ringAnnulusInner;
    const double x = r * std::cos(a);
    const double y = r * std::sin(a);
    // Texture (0, 0) at (2, 2) and (1, 1) at (-2, -2), as on the square.
    return {(kPictureHalfWidth - x) / (2.0 * kPictureHalfWidth), (kPictureHalfWidth - y) / (2.0 * kPictureHalfWidth), x,
            y};
}
