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

namespace {

// Degrees kept on either side of a quiet band: a flat triangle's texture coordinates
// stray from the latitude of its points by far less.
constexpr double kQuietMargin = 1.5;

bool rowLit(const unsigned char* row, int width)
{
    for (int i = 0; i < 3 * width; ++i)
        if (row[i] != 0)
            return true;
    return false;
}

}  // namespace

double quietLatitudeOf(const unsigned char* rgb, int width, int height)
{
    if (rgb == nullptr || width <= 0 || height <= 0)
        return 0.0;
    const double rowDegrees = 180.0 / height;
    double quiet = 90.0;
    for (int r = 0; r < height; ++r) {
        if (!rowLit(rgb + 3 * static_cast<size_t>(width) * r, width))
            continue;
        // The row and its mirror image span these latitudes; the nearer edge bounds the band.
        const double low = -90.0 + rowDegrees * r, high = low + rowDegrees;
        quiet = std::min(quiet, low <= 0.0 && high >= 0.0 ? 0.0 : std::min(std::fabs(low), std::fabs(high)));
    }
    return std::max(0.0, quiet - rowDegrees - kQuietMargin);
}
