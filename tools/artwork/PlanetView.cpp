#include "tools/artwork/PlanetView.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "scene/Angles.h"

namespace {

using Vec = std::array<double, 3>;

double dot(const Vec& a, const Vec& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

Vec normalised(const Vec& v)
{
    double length = std::sqrt(dot(v, v));
    return {v[0] / length, v[1] / length, v[2] / length};
}

}  // namespace

PlanetView::PlanetView(const Raster& surface, const Raster& rings, const Raster& ringsMask)
    : surface_(surface), rings_(rings), ringsMask_(ringsMask)
{
}

PlanetView::Hit PlanetView::trace(const Camera& camera, double x, double y) const
{
    const double e = radians(camera.elevation);
    // Planet frame: axis +z, rings in z = 0. The viewer looks along `forward`.
    const Vec forward{0.0, std::cos(e), -std::sin(e)};
    const Vec up{0.0, std::sin(e), std::cos(e)};
    const Vec right{1.0, 0.0, 0.0};
    Vec origin;
    for (int i = 0; i < 3; ++i)
        origin[i] = -10.0 * forward[i] + x * right[i] + y * up[i];
    Vec sun;
    for (int i = 0; i < 3; ++i)
        sun[i] = camera.sun[0] * right[i] + camera.sun[1] * up[i] - camera.sun[2] * forward[i];
    sun = normalised(sun);

    double b = dot(origin, forward), c = dot(origin, origin) - 1.0, disc = b * b - c;
    double sphereT = disc >= 0.0 ? -b - std::sqrt(disc) : 1e9;
    double ringT = std::fabs(forward[2]) > 1e-9 ? -origin[2] / forward[2] : 1e9;

    Hit planet{{0, 0, 0}, 0.0};
    if (sphereT < 1e8) {
        Vec n;
        for (int i = 0; i < 3; ++i)
            n[i] = origin[i] + sphereT * forward[i];
        double u = std::atan2(n[1], n[0]) / (2.0 * pi) + camera.spin;
        double v = (degrees(std::asin(std::clamp(n[2], -1.0, 1.0))) + 90.0) / 180.0;
        double light = 0.04 + 1.15 * std::max(0.0, dot(n, sun));
        double limb = 0.55 + 0.45 * std::sqrt(std::max(0.0, -dot(n, forward)));
        planet = {scaled(surface_.sampleRepeat(u - std::floor(u), v), light * limb), 1.0};
    }
    Hit ring{{0, 0, 0}, 0.0};
    if (ringT > 0.0 && ringT < 1e8) {
        Vec p;
        for (int i = 0; i < 3; ++i)
            p[i] = origin[i] + ringT * forward[i];
        double s = (2.0 - p[0]) / 4.0, t = (2.0 - p[1]) / 4.0;
        if (s >= 0.0 && s <= 1.0 && t >= 0.0 && t <= 1.0) {
            double density = std::clamp((1.0 - ringsMask_.sampleClamp(s, t).r) / 0.6, 0.0, 1.0);
            // In the planet's shadow when the way to the sun passes through the sphere.
            double pb = dot(p, sun), pc = dot(p, p) - 1.0;
            bool shadowed = pb * pb - pc >= 0.0 && -pb - std::sqrt(pb * pb - pc) > 0.0;
            double light = shadowed ? 0.08 : 1.0;
            ring = {scaled(rings_.sampleClamp(s, t), light * 1.1), density * 0.9};
        }
    }
    // Front over back, colours not premultiplied.
    auto over = [](const Hit& front, const Hit& back) {
        double alpha = front.alpha + back.alpha * (1.0 - front.alpha);
        Colour sum = mix(scaled(back.colour, back.alpha), front.colour, front.alpha);
        return Hit{alpha > 0.0 ? scaled(sum, 1.0 / alpha) : sum, alpha};
    };
    if (ring.alpha > 0.0 && ringT < sphereT)
        return over(ring, planet);
    if (planet.alpha > 0.0)
        return planet;
    return ring;
}

IconImage PlanetView::render(int width, int height, const Camera& camera, int samples) const
{
    IconImage image{Raster(width, height), std::vector<float>(static_cast<size_t>(width) * height)};
    const double unit = 2.0 * camera.halfHeight / height;
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            Colour sum{0, 0, 0};
            double alpha = 0.0;
            for (int j = 0; j < samples; ++j)
                for (int i = 0; i < samples; ++i) {
                    double x = (column + (i + 0.5) / samples - width * 0.5) * unit - camera.centreX;
                    double y = (height * 0.5 - row - (j + 0.5) / samples) * unit - camera.centreY;
                    Hit hit = trace(camera, x, y);
                    sum = {sum.r + hit.colour.r * static_cast<float>(hit.alpha),
                           sum.g + hit.colour.g * static_cast<float>(hit.alpha),
                           sum.b + hit.colour.b * static_cast<float>(hit.alpha)};
                    alpha += hit.alpha;
                }
            const double n = samples * samples;
            image.alpha[static_cast<size_t>(row) * width + column] = static_cast<float>(alpha / n);
            // Colour premultiplied over black.
            image.colour.at(column, row) = scaled(sum, 1.0 / n);
        }
    return image;
}
