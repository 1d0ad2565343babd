#include "render/CloseRules.h"

#include <cstdlib>

namespace {
const int kMoveTolerancePixels = 10;
}

bool CloseRules::mouseMoveCloses(MouseReference& reference, int x, int y) const
{
    if (demoMode_)
        return false;
    if (inDialog_ || !reference.initialised) {
        reference.x = x;
        reference.y = y;
        reference.initialised = true;
    }
    // Positions are 16-bit screen coordinates, so the differences cannot overflow.
    return std::abs(x - reference.x) > kMoveTolerancePixels || std::abs(y - reference.y) > kMoveTolerancePixels;
}
