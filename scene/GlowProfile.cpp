#include "scene/GlowProfile.h"

#include <cmath>

void GlowProfile::readPicture(const Image& picture)
{
    read_ = false;
    const int size = picture.width;
    if (picture.bitsPerPixel != 24 || picture.pixels == nullptr || size < 2 || picture.height != size)
        return;
    double sum[bins] = {};
    int count[bins] = {};
    const double half = 0.5 * size;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int bin = static_cast<int>(std::lround(std::hypot(x + 0.5 - half, y + 0.5 - half) / half * bins));
            if (bin >= bins)
                continue;
            sum[bin] += picture.pixels[(static_cast<size_t>(y) * size + x) * 3] / 255.0;
            ++count[bin];
        }
    // A ring no texel centre falls in (the middle of a small picture) takes the next one's.
    mean_[bins] = 0.0f;
    for (int k = bins - 1; k >= 0; --k)
        mean_[k] = count[k] > 0 ? static_cast<float>(sum[k] / count[k]) : mean_[k + 1];
    read_ = true;
}

double GlowProfile::at(double r) const
{
    if (!(r >= 0.0) || r >= 1.0)
        return 0.0;
    const double at = r * bins;
    const int k = static_cast<int>(at);
    return mean_[k] + (mean_[k + 1] - mean_[k]) * (at - k);
}
