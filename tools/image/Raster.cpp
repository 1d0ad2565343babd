#include "tools/image/Raster.h"

#include <algorithm>
#include <cmath>

Raster::Raster(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill)
{
}

Colour Raster::sampleRepeat(double s, double t) const
{
    return sample(s, t, true);
}
Colour Raster::sampleClamp(double s, double t) const
{
    return sample(s, t, false);
}

Colour Raster::sample(double s, double t, bool repeat) const
{
    double x = s * width_ - 0.5, y = t * height_ - 0.5;
    double fx = std::floor(x), fy = std::floor(y);
    double ax = x - fx, ay = y - fy;
    auto index = [repeat](long i, int size) {
        if (repeat)
            return static_cast<int>(((i % size) + size) % size);
        return static_cast<int>(std::clamp<long>(i, 0, size - 1));
    };
    long ix = static_cast<long>(fx), iy = static_cast<long>(fy);
    int x0 = index(ix, width_), x1 = index(ix + 1, width_);
    int y0 = index(iy, height_), y1 = index(iy + 1, height_);
    Colour top = mix(at(x0, y0), at(x1, y0), ax);
    Colour bottom = mix(at(x0, y1), at(x1, y1), ax);
    return mix(top, bottom, ay);
}

Raster Raster::flippedVertically() const
{
    Raster out(width_, height_);
    for (int y = 0; y < height_; ++y)
        std::copy_n(&at(0, height_ - 1 - y), width_, &out.at(0, y));
    return out;
}

// Box filter over whole source pixels when shrinking, bilinear when growing.
Raster Raster::resized(int width, int height) const
{
    Raster out(width, height);
    const int stepX = std::max(1, width_ / width), stepY = std::max(1, height_ / height);
    const bool shrinking = width_ >= width && height_ >= height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (!shrinking) {
                out.at(x, y) = sampleClamp((x + 0.5) / width, (y + 0.5) / height);
                continue;
            }
            const int left = static_cast<int>(static_cast<long>(x) * width_ / width);
            const int top = static_cast<int>(static_cast<long>(y) * height_ / height);
            Colour sum{0, 0, 0};
            for (int j = 0; j < stepY; ++j)
                for (int i = 0; i < stepX; ++i) {
                    const Colour& c = at(std::min(left + i, width_ - 1), std::min(top + j, height_ - 1));
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                }
            out.at(x, y) = scaled(sum, 1.0 / (stepX * stepY));
        }
    return out;
}

std::vector<uint8_t> Raster::rgb8() const
{
    std::vector<uint8_t> bytes(pixels_.size() * 3);
    for (size_t i = 0; i < pixels_.size(); ++i) {
        bytes[3 * i] = toByte(pixels_[i].r);
        bytes[3 * i + 1] = toByte(pixels_[i].g);
        bytes[3 * i + 2] = toByte(pixels_[i].b);
    }
    return bytes;
}
