#include "scene/CloudLayout.h"

#include <cmath>

double compositionTime(double sceneTime)
{
    return sceneTime / 120.0;
}

double ovalPosition(double t, double speed, double phase)
{
    double p = t * speed + phase;
    if (p > 1.0)
        p -= std::trunc(p);
    return p;
}

int ovalCopies(double p, double threshold, double out[3])
{
    int count = 0;
    out[count++] = p;
    if (p <= threshold)
        out[count++] = p + 1.0;
    if (p >= 1.0 - threshold)
        out[count++] = p - 1.0;
    return count;
}

BandEdges bandEdges(double topEdge, double height)
{
    return {1.0 - 2.0 * topEdge, 1.0 - 2.0 * (topEdge + height)};
}
