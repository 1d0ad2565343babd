#pragma once

#include <cstdint>

// Seeded gradient noise, about -1..1. The 2D form repeats every `period`
// lattice cells in x, so pictures built from it tile left to right.
class GradientNoise {
public:
    explicit GradientNoise(uint32_t seed) : seed_(seed) {}

    double periodic(double x, double y, int period) const;
    double at(double x, double y, double z) const;

    // Sums of octaves; each octave doubles frequency (and period) and scales by gain.
    double fbmPeriodic(double x, double y, int period, int octaves, double gain = 0.5) const;
    double fbm(double x, double y, double z, int octaves, double gain = 0.5) const;

private:
    uint32_t hash(int32_t x, int32_t y, int32_t z) const;
    double gradient2(int32_t ix, int32_t iy, double dx, double dy) const;
    double gradient3(int32_t ix, int32_t iy, int32_t iz, double dx, double dy, double dz) const;

    uint32_t seed_;
};
