#include "scene/Annulus.h"

#include <algorithm>
#include <cmath>

#include "scene/Angles.h"

AnnulusPoint annulusVertex(const Annulus& band, int k)
{
    const double a = (k / 2) * (2.0 * pi / band.segments);
    const double c = std::cos(a), s = std::sin(a);
    double r = k % 2 == 0 ? band.outer : band.inner;
    if (band.square > 0.0)
        r = std::min(r, band.square / std::max(std::fabs(c), std::fabs(s)));
    return {r * c, r * s};
}
