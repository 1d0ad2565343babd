#include "scene/Annulus.h"

#include <cmath>

#include "scene/Angles.h"

AnnulusPoint annulusVertex(const Annulus& band, int k)
{
    const double a = (k / 2) * (2.0 * pi / band.segments);
    const double r = k % 2 == 0 ? band.outer : band.inner;
    return {r * std::cos(a), r * std::sin(a)};
}
