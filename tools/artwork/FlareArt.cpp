#include "tools/artwork/FlareArt.h"

#include "scene/Angles.h"
#include "tools/procedural/ParallelRows.h"
#include "tools/procedural/Random.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

double smoothstep(double a, double b, double x)
{
    double t = std::clamp((x - a) / (b - a), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// x and y run from -1 to 1 across the picture (y downward, along texture t).
using Shape = double (*)(double x, double y);

Raster paint(int width, int height, Shape shape)
{
    Raster picture(width, height);
    constexpr int samples = 3;
    parallelRows(height, [&](int row) {
        for (int column = 0; column < width; ++column) {
            double sum = 0.0;
            for (int j = 0; j < samples; ++j)
                for (int i = 0; i < samples; ++i)
                    sum += shape((column + (i + 0.5) / samples) / width * 2.0 - 1.0,
                                 (row + (j + 0.5) / samples) / height * 2.0 - 1.0);
            picture.at(column, row) = grey(std::clamp(sum / (samples * samples), 0.0, 1.0));
        }
    });
    return picture;
}

double radius(double x, double y)
{
    return std::sqrt(x * x + y * y);
}

// How much a point faces the sun side of a halo sprite: the roll turns the
// picture's (+s, +t) diagonal toward the sun.
double sunSide(double x, double y)
{
    double r = radius(x, y);
    return r > 0.0 ? (x + y) / (r * std::sqrt(2.0)) : 0.0;
}

double flatDisc(double x, double y)
{
    return 0.7 * (1.0 - smoothstep(0.78, 0.98, radius(x, y)));
}

double thinRing(double x, double y)
{
    double r = radius(x, y);
    return std::exp(-std::pow((r - 0.86) / 0.035, 2.0)) + 0.08 * (1.0 - smoothstep(0.6, 0.86, r));
}

// Bright along the side that faces the sun (texture t = 1): a disc with an
// off-centre bite taken out of its other side.
double halfMoon(double x, double y)
{
    double outer = 1.0 - smoothstep(0.8, 0.98, radius(x, y));
    double bite = 1.0 - smoothstep(0.5, 0.85, radius(x, y + 0.35));
    return outer * (1.0 - 0.85 * bite) * (0.45 + 0.55 * std::clamp((y + 1.0) * 0.5, 0.0, 1.0));
}

double softGlow(double x, double y)
{
    double r = radius(x, y);
    return std::exp(-r * r * 4.5) * (1.0 - smoothstep(0.8, 1.0, r));
}

double starBurst(double x, double y)
{
    static const std::vector<std::pair<double, double>> rays = [] {
        Random random(50);
        std::vector<std::pair<double, double>> list;
        for (int k = 0; k < 24; ++k)
            list.push_back({random.range(-pi, pi), random.range(0.4, 1.0)});
        return list;
    }();
    double r = radius(x, y), angle = std::atan2(y, x), sum = 0.0;
    for (const auto& [direction, strength] : rays) {
        double delta = std::remainder(angle - direction, 2.0 * pi);
        sum += strength * std::exp(-std::pow(delta * r / 0.012, 2.0));
    }
    double fade = 1.0 - smoothstep(0.2, 1.0, r);
    return std::min(1.0, sum * fade * fade + 0.9 * std::exp(-r * r * 60.0));
}

double streak(double x, double y)
{
    return std::exp(-y * y * 9.0) * std::pow(1.0 - std::fabs(x), 2.5);
}

// Limbs of the halo sprites, in picture half-widths: 1 / halo scale.
constexpr double glowRingLimb = 1.0 / 1.08, crescentLimb = 1.0 / 1.03, darkHaloLimb = 1.0 / 1.055;

double glowingRing(double x, double y)
{
    double r = radius(x, y), d = r - glowRingLimb;
    double ring = std::exp(-std::pow(d / 0.012, 2.0));
    double glow = d > 0.0 ? std::exp(-d / 0.03) * 0.5 : std::exp(d / 0.06) * 0.3;
    double side = 0.35 + 0.65 * std::pow(0.5 + 0.5 * sunSide(x, y), 2.0);
    return (ring + glow) * side * (1.0 - smoothstep(0.97, 1.0, r));
}

double hexagon(double x, double y)
{
    double r = radius(x, y), angle = std::atan2(y, x);
    double edge = 0.8 * std::cos(pi / 6.0) / std::cos(std::remainder(angle, pi / 3.0));
    return 0.5 * (1.0 - smoothstep(edge - 0.06, edge, r)) * (0.6 + 0.4 * r);
}

double crescent(double x, double y)
{
    double r = radius(x, y), d = r - crescentLimb;
    double band = d > 0.0 ? std::exp(-std::pow(d / 0.008, 2.0)) : std::exp(-std::pow(d / 0.035, 2.0));
    return band * std::pow(std::max(0.0, sunSide(x, y)), 1.5);
}

// Multiplied over the planet: limb darkening, a crisp dark outline, white beyond.
double darkHalo(double x, double y)
{
    double r = radius(x, y);
    double disc = 1.0 - 0.58 * std::pow(std::min(1.0, r / darkHaloLimb), 3.0);
    double outline = std::exp(-std::pow((r - darkHaloLimb) / 0.006, 2.0));
    double inside = 1.0 - smoothstep(darkHaloLimb - 0.002, darkHaloLimb + 0.002, r);
    return (disc * inside + (1.0 - inside)) * (1.0 - outline);
}

}  // namespace

Raster FlareArt::flare(int number)
{
    struct Row {
        int width, height;
        Shape shape;
    };
    static const Row rows[] = {
        {256, 256, flatDisc},  {256, 256, thinRing}, {256, 256, halfMoon},    {256, 256, softGlow},
        {256, 256, starBurst}, {512, 32, streak},    {512, 512, glowingRing}, {512, 512, hexagon},
        {512, 512, crescent},  {512, 512, darkHalo},
    };
    const Row& row = rows[std::clamp(number, 1, 10) - 1];
    return paint(row.width, row.height, row.shape);
}
