#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Colour {
    float r, g, b;
};

// A picture in linear 0..1 floats, top row first, for the generators to paint into.
class Raster {
public:
    Raster() = default;
    Raster(int width, int height, Colour fill = {0, 0, 0});

    int width() const { return width_; }
    int height() const { return height_; }
    Colour& at(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    const Colour& at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

    // Bilinear sample at texture coordinates (0..1 across the picture), texel
    // centres at half-integers as OpenGL samples; repeat wraps, clamp holds the edge.
    Colour sampleRepeat(double s, double t) const;
    Colour sampleClamp(double s, double t) const;
    Raster flippedVertically() const;
    Raster resized(int width, int height) const;
    // 8-bit R, G, B rows, top first, rounded and clamped.
    std::vector<uint8_t> rgb8() const;

private:
    Colour sample(double s, double t, bool repeat) const;

    int width_ = 0;
    int height_ = 0;
    std::vector<Colour> pixels_;
};

inline Colour mix(Colour a, Colour b, double t)
{
    float f = static_cast<float>(t);
    return {a.r + (b.r - a.r) * f, a.g + (b.g - a.g) * f, a.b + (b.b - a.b) * f};
}

inline Colour scaled(Colour c, double k)
{
    float f = static_cast<float>(k);
    return {c.r * f, c.g * f, c.b * f};
}

inline Colour grey(double v)
{
    float f = static_cast<float>(v);
    return {f, f, f};
}

inline uint8_t toByte(float v)
{
    float scaledValue = v * 255.0f + 0.5f;
    if (!(scaledValue > 0.0f))
        return 0;
    return scaledValue >= 255.0f ? 255 : static_cast<uint8_t>(scaledValue);
}
