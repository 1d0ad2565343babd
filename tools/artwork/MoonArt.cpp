#include "tools/artwork/MoonArt.h"

#include "scene/Angles.h"
#include "tools/procedural/GradientNoise.h"
#include "tools/procedural/ParallelRows.h"
#include "tools/procedural/Random.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

using Vec = std::array<double, 3>;

double smoothstep(double a, double b, double x)
{
    double t = std::clamp((x - a) / (b - a), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// A round feature on the sphere: crater or volcano.
struct Spot {
    Vec centre;
    double radius;  // radians
    double reach;  // cosine of the widest angle at which it still shows
};

std::vector<Spot> scatter(uint64_t seed, int count, double smallest, double largest)
{
    Random random(seed);
    std::vector<Spot> spots;
    for (int i = 0; i < count; ++i) {
        double z = random.range(-1.0, 1.0), angle = random.range(0.0, 2.0 * pi), ring = std::sqrt(1.0 - z * z);
        // Many small, few large.
        double size = smallest * std::pow(largest / smallest, std::pow(random.unit(), 3.0));
        spots.push_back(
            {{ring * std::cos(angle), ring * std::sin(angle), z}, size, std::cos(std::min(pi, 4.0 * size))});
    }
    return spots;
}

double dot(const Vec& a, const Vec& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

double angleBetween(const Vec& a, const Vec& b)
{
    return std::acos(std::clamp(dot(a, b), -1.0, 1.0));
}

// Crater relief: a dark floor, a bright rim, nothing beyond 1.6 radii.
double craterRelief(const std::vector<Spot>& craters, const Vec& p)
{
    double relief = 0.0;
    for (const Spot& crater : craters) {
        if (dot(p, crater.centre) < crater.reach)
            continue;
        double d = angleBetween(p, crater.centre) / crater.radius;
        if (d > 1.6)
            continue;
        relief += d < 1.0 ? -0.5 * (1.0 - d * d) : 0.0;
        relief += 0.6 * std::exp(-std::pow((d - 1.0) / 0.18, 2.0));
    }
    return relief;
}

struct MoonStyle {
    Colour low, high;
    int craterCount;
    double largestCrater;
    uint32_t seed;
};

const MoonStyle styles[] = {
    {{0.30, 0.30, 0.31}, {0.66, 0.65, 0.63}, 420, 0.22, 61},
    {{0.62, 0.52, 0.46}, {0.90, 0.94, 0.98}, 40, 0.08, 62},
    {{0.80, 0.48, 0.16}, {0.94, 0.86, 0.42}, 0, 0.0, 63},
    {{0.20, 0.10, 0.06}, {0.50, 0.30, 0.19}, 260, 0.18, 64},
};

// Brightness 0..1 between the style's two colours, then any extra colour.
Colour surfaceAt(int index, const GradientNoise& noise, const std::vector<Spot>& craters,
                 const std::vector<Spot>& volcanoes, const Vec& p)
{
    const MoonStyle& style = styles[index];
    double rough = noise.fbm(p[0] * 4.0, p[1] * 4.0, p[2] * 4.0, 6);
    double relief = craterRelief(craters, p);
    switch (index) {
    case 0: {
        double maria = smoothstep(0.05, 0.25, noise.fbm(p[0] * 1.3, p[1] * 1.3, p[2] * 1.3, 4));
        double shade = 0.62 + 0.25 * rough - 0.35 * maria + 0.3 * relief;
        return mix(style.low, style.high, std::clamp(shade, 0.0, 1.0));
    }
    case 1: {
        // Long cracks: the zero lines of a smooth field, plus a fainter finer set.
        double crack = std::pow(1.0 - std::fabs(noise.fbm(p[0] * 1.6, p[1] * 1.6, p[2] * 1.6, 4)), 28.0);
        double crack2 = std::pow(1.0 - std::fabs(noise.fbm(p[0] * 3.5 + 3, p[1] * 3.5, p[2] * 3.5, 3)), 30.0);
        double shade = 0.85 + 0.12 * rough - 0.75 * crack - 0.3 * crack2 + 0.15 * relief;
        return mix(style.low, style.high, std::clamp(shade, 0.0, 1.0));
    }
    case 2: {
        double shade = 0.6 + 0.6 * rough;
        Colour c = mix(style.low, style.high, std::clamp(shade, 0.0, 1.0));
        double frost = smoothstep(0.15, 0.35, noise.fbm(p[0] * 3.0 + 7, p[1] * 3.0, p[2] * 3.0, 4));
        c = mix(c, Colour{0.95f, 0.93f, 0.80f}, 0.6 * frost);
        for (const Spot& volcano : volcanoes) {
            if (dot(p, volcano.centre) < volcano.reach)
                continue;
            double d = angleBetween(p, volcano.centre) / volcano.radius;
            if (d > 4.0)
                continue;
            d *= 1.0 + 0.4 * noise.at(p[0] * 40.0, p[1] * 40.0, p[2] * 40.0);
            c = mix(c, Colour{0.72f, 0.26f, 0.10f}, 0.7 * std::exp(-std::pow((d - 2.2) / 0.8, 2.0)));
            c = mix(c, Colour{0.10f, 0.07f, 0.05f}, 1.0 - smoothstep(0.6, 1.0, d));
        }
        return c;
    }
    default: {
        double streaks = noise.fbm(p[0] * 9.0, p[1] * 9.0, p[2] * 9.0, 4);
        double shade = 0.5 + 0.3 * rough + 0.15 * streaks + 0.45 * relief;
        return mix(style.low, style.high, std::clamp(shade, 0.0, 1.0));
    }
    }
}

}  // namespace

Raster MoonArt::moon(int index)
{
    index = std::clamp(index, 0, 3);
    const MoonStyle& style = styles[index];
    GradientNoise noise(style.seed);
    std::vector<Spot> craters = scatter(style.seed, style.craterCount, 0.015, style.largestCrater);
    std::vector<Spot> volcanoes = index == 2 ? scatter(style.seed + 100, 28, 0.02, 0.06) : std::vector<Spot>{};
    Raster picture(512, 256);
    parallelRows(picture.height(), [&](int row) {
        double latitude = -pi / 2.0 + pi * (row + 0.5) / picture.height();
        for (int column = 0; column < picture.width(); ++column) {
            double longitude = 2.0 * pi * (column + 0.5) / picture.width();
            Vec p{std::cos(latitude) * std::cos(longitude), std::cos(latitude) * std::sin(longitude),
                  std::sin(latitude)};
            picture.at(column, row) = surfaceAt(index, noise, craters, volcanoes, p);
        }
    });
    return picture;
}
