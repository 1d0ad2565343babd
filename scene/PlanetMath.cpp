#include "scene/PlanetMath.h"

#include <algorithm>
#include <cmath>

float turnFraction(double turns)
{
    float f = static_cast<float>(turns);
    if (turns > 1.0)
        f -= std::trunc(f);
    return f;
}

double haloHalfSize(double scale, double distanceSquared)
{
    const double cover = 1.0 - 1.0 / distanceSquared;
    return cover > 0.0 ? scale / std::sqrt(cover) : 0.0;
}

double apparentRadius(double r, double D)
{
    const double cover = 1.0 - r * r / (D * D);
    if (!(cover > 0.0))
        return 0.0;
    const double q = r / std::sqrt(cover);
    return std::atan(q / D);
}

RimGlowAlphas rimGlowAlphas(double k)
{
    RimGlowAlphas alphas;
    alphas.wide = std::min(0.15 / k, 0.5);
    const double gap = std::fabs(k - 1.0);
    const double thin = (k > 1.0 ? 0.2 : 0.12) / gap;  // the sun on the limb saturates
    alphas.thin = std::min(thin, 1.0);
    return alphas;
}
