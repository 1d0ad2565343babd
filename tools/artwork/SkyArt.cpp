#include "tools/artwork/SkyArt.h"

#include "scene/Angles.h"
#include "tools/procedural/GradientNoise.h"
#include "tools/procedural/ParallelRows.h"

#include <algorithm>
#include <cmath>

namespace {

double smoothstep(double a, double b, double x)
{
    double t = std::clamp((x - a) / (b - a), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// Aurora ribbons: latitude (degrees from the pole), width, brightness, waviness.
struct Ribbon {
    double polarDistance, width, brightness, waves;
    uint32_t seed;
};
const Ribbon ribbons[] = {
    {16.0, 2.6, 1.30, 3.0, 31},
    {21.0, 1.8, 0.90, 5.0, 32},
    {11.5, 1.6, 0.75, 4.0, 33},
};

// Glow of all ribbons around one pole at longitude x (turns), polar distance d (degrees).
double auroraAt(const GradientNoise& noise, double x, double d, double hemisphere)
{
    double glow = 0.0;
    for (const Ribbon& ribbon : ribbons) {
        double wander =
            5.5 * noise.fbmPeriodic(x * ribbon.waves, hemisphere + ribbon.seed, static_cast<int>(ribbon.waves), 3);
        double across = (d - ribbon.polarDistance - wander) / ribbon.width;
        double curtain = 0.55 + 0.45 * noise.fbmPeriodic(x * 96.0, hemisphere * 7.0 + ribbon.seed, 96, 3);
        // Curtains fade upward (away from the pole) more slowly than downward.
        double profile = across < 0.0 ? std::exp(-across * across * 2.0) : std::exp(-across * 0.9);
        glow += ribbon.brightness * curtain * profile;
    }
    return glow;
}

// Radial ring profile: optical depth 0..1 and brightness at radius r (planet radii).
struct RingSample {
    double density;
    double brightness;
};

RingSample ringAt(const GradientNoise& noise, double r)
{
    struct Zone {
        double inner, outer, density;
    };
    static const Zone zones[] = {
        {1.22, 1.46, 0.28},  {1.46, 1.76, 0.95},   {1.76, 1.81, 0.06},
        {1.81, 1.905, 0.70}, {1.905, 1.915, 0.05}, {1.915, 1.97, 0.62},
    };
    double density = 0.0;
    for (const Zone& zone : zones)
        density += zone.density * smoothstep(zone.inner - 0.004, zone.inner + 0.004, r) *
                   (1.0 - smoothstep(zone.outer - 0.004, zone.outer + 0.004, r));
    double ringlets = 0.5 + 0.5 * noise.periodic(r * 120.0, 0.5, 1 << 20);
    double fine = 0.5 + 0.5 * noise.periodic(r * 700.0, 3.5, 1 << 20);
    density *= 0.6 + 0.3 * ringlets + 0.2 * fine;
    double brightness = std::clamp(0.55 + 0.35 * smoothstep(1.3, 1.7, r) + 0.25 * (ringlets - 0.5), 0.0, 1.0);
    return {std::clamp(density, 0.0, 1.0), brightness};
}

double ringRadius(int column, int row, int size)
{
    double x = 2.0 - 4.0 * (column + 0.5) / size, y = 2.0 - 4.0 * (row + 0.5) / size;
    return std::sqrt(x * x + y * y);
}

}  // namespace

Raster SkyArt::night()
{
    Raster picture(2048, 1024);
    GradientNoise noise(30);
    parallelRows(picture.height(), [&](int row) {
        double latitude = -90.0 + 180.0 * (row + 0.5) / picture.height();
        double fromPole = 90.0 - std::fabs(latitude);
        double hemisphere = latitude < 0.0 ? 1.0 : 2.0;
        for (int column = 0; column < picture.width(); ++column) {
            double x = (column + 0.5) / picture.width();
            double glow = fromPole < 40.0 ? auroraAt(noise, x, fromPole, hemisphere) : 0.0;
            Colour blue{0.10f, 0.42f, 1.0f}, cyan{0.35f, 0.85f, 1.0f};
            picture.at(column, row) = scaled(mix(blue, cyan, std::clamp(glow - 0.8, 0.0, 1.0)), std::min(1.0, glow));
        }
    });
    return picture;
}

Raster SkyArt::rings()
{
    Raster picture(1024, 1024);
    GradientNoise noise(40);
    const Colour inner{0.78f, 0.72f, 0.64f}, outer{1.0f, 0.93f, 0.80f};
    parallelRows(picture.height(), [&](int row) {
        for (int column = 0; column < picture.width(); ++column) {
            double r = ringRadius(column, row, picture.width());
            RingSample ring = ringAt(noise, r);
            Colour tint = mix(inner, outer, smoothstep(1.2, 1.8, r));
            picture.at(column, row) = scaled(tint, ring.brightness * std::sqrt(ring.density));
        }
    });
    return picture;
}

Raster SkyArt::ringsMask()
{
    Raster picture(1024, 1024);
    GradientNoise noise(40);
    parallelRows(picture.height(), [&](int row) {
        for (int column = 0; column < picture.width(); ++column) {
            RingSample ring = ringAt(noise, ringRadius(column, row, picture.width()));
            picture.at(column, row) = grey(1.0 - 0.6 * ring.density);
        }
    });
    return picture;
}

Raster SkyArt::starGlow()
{
    Raster picture(128, 128);
    for (int row = 0; row < 128; ++row)
        for (int column = 0; column < 128; ++column) {
            double x = (column + 0.5) / 64.0 - 1.0, y = (row + 0.5) / 64.0 - 1.0;
            double r = std::sqrt(x * x + y * y);
            double spot = std::exp(-r * r * 9.0) * 0.75 + std::exp(-r * r * 40.0) * 0.25;
            picture.at(column, row) = grey(spot * (1.0 - smoothstep(0.8, 1.0, r)));
        }
    return picture;
}
