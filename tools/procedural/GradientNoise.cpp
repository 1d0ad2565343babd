#include "tools/procedural/GradientNoise.h"

#include <cmath>

namespace {

double fade(double t)
{
    return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}
double lerp(double a, double b, double t)
{
    return a + (b - a) * t;
}

int32_t wrap(int64_t i, int period)
{
    int64_t m = i % period;
    return static_cast<int32_t>(m < 0 ? m + period : m);
}

// Twelve cube-edge directions for 3D, eight unit directions for 2D.
const double directions3[12][3] = {{1, 1, 0},  {-1, 1, 0},  {1, -1, 0}, {-1, -1, 0}, {1, 0, 1},  {-1, 0, 1},
                                   {1, 0, -1}, {-1, 0, -1}, {0, 1, 1},  {0, -1, 1},  {0, 1, -1}, {0, -1, -1}};
const double diagonal = 0.70710678118654752;
const double directions2[8][2] = {{1, 0},
                                  {-1, 0},
                                  {0, 1},
                                  {0, -1},
                                  {diagonal, diagonal},
                                  {-diagonal, diagonal},
                                  {diagonal, -diagonal},
                                  {-diagonal, -diagonal}};

}  // namespace

uint32_t GradientNoise::hash(int32_t x, int32_t y, int32_t z) const
{
    uint32_t h = seed_ * 0x9E3779B9u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE35u;
    h = (h << 11) | (h >> 21);
    h ^= static_cast<uint32_t>(z) * 0x27D4EB2Fu;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

double GradientNoise::gradient2(int32_t ix, int32_t iy, double dx, double dy) const
{
    const double* g = directions2[hash(ix, iy, 0) & 7];
    return g[0] * dx + g[1] * dy;
}

double GradientNoise::gradient3(int32_t ix, int32_t iy, int32_t iz, double dx, double dy, double dz) const
{
    const double* g = directions3[hash(ix, iy, iz) % 12];
    return g[0] * dx + g[1] * dy + g[2] * dz;
}

double GradientNoise::periodic(double x, double y, int period) const
{
    double fx = std::floor(x), fy = std::floor(y);
    double dx = x - fx, dy = y - fy;
    int64_t ix = static_cast<int64_t>(fx);
    int32_t iy = static_cast<int32_t>(fy);
    int32_t x0 = wrap(ix, period), x1 = wrap(ix + 1, period);
    double u = fade(dx), v = fade(dy);
    double bottom = lerp(gradient2(x0, iy, dx, dy), gradient2(x1, iy, dx - 1, dy), u);
    double top = lerp(gradient2(x0, iy + 1, dx, dy - 1), gradient2(x1, iy + 1, dx - 1, dy - 1), u);
    return lerp(bottom, top, v) * 1.41421356;
}

double GradientNoise::at(double x, double y, double z) const
{
    double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    double dx = x - fx, dy = y - fy, dz = z - fz;
    int32_t ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy), iz = static_cast<int32_t>(fz);
    double u = fade(dx), v = fade(dy), w = fade(dz);
    double c[2][2];
    for (int j = 0; j < 2; ++j)
        for (int k = 0; k < 2; ++k)
            c[j][k] = lerp(gradient3(ix, iy + j, iz + k, dx, dy - j, dz - k),
                           gradient3(ix + 1, iy + j, iz + k, dx - 1, dy - j, dz - k), u);
    return lerp(lerp(c[0][0], c[1][0], v), lerp(c[0][1], c[1][1], v), w);
}

namespace {
// Octave o samples at 2^o times the base frequency with weight gain^o; the sum is normalised.
template <class Sample> double octaveSum(int octaves, double gain, Sample sample)
{
    double sum = 0.0, amplitude = 1.0, norm = 0.0, scale = 1.0;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * sample(o, scale);
        norm += amplitude;
        amplitude *= gain;
        scale *= 2.0;
    }
    return sum / norm;
}
}

double GradientNoise::fbmPeriodic(double x, double y, int period, int octaves, double gain) const
{
    return octaveSum(octaves, gain, [&](int o, double scale) {
        return periodic(x * scale, y * scale + o * 17.31, period * static_cast<int>(scale));
    });
}

double GradientNoise::fbm(double x, double y, double z, int octaves, double gain) const
{
    return octaveSum(octaves, gain,
                     [&](int o, double scale) { return at(x * scale, y * scale, z * scale + o * 31.7); });
}
