#include "tools/image/PalettePicture.h"

#include <algorithm>

namespace {

using Rgb = std::array<uint8_t, 3>;

struct Box {
    std::vector<Rgb> colours;

    int widestChannel() const
    {
        int best = 0, bestRange = -1;
        for (int c = 0; c < 3; ++c) {
            auto [low, high] = std::minmax_element(colours.begin(), colours.end(),
                                                   [c](const Rgb& a, const Rgb& b) { return a[c] < b[c]; });
            int range = (*high)[c] - (*low)[c];
            if (range > bestRange) {
                bestRange = range;
                best = c;
            }
        }
        return best;
    }
    int range() const
    {
        int c = widestChannel();
        auto [low, high] = std::minmax_element(colours.begin(), colours.end(),
                                               [c](const Rgb& a, const Rgb& b) { return a[c] < b[c]; });
        return (*high)[c] - (*low)[c];
    }
    Rgb mean() const
    {
        unsigned long sum[3] = {0, 0, 0};
        for (const Rgb& rgb : colours)
            for (int c = 0; c < 3; ++c)
                sum[c] += rgb[c];
        Rgb out;
        for (int c = 0; c < 3; ++c)
            out[c] = static_cast<uint8_t>((sum[c] + colours.size() / 2) / colours.size());
        return out;
    }
};

// Splits the box with the widest spread at its median until the palette is full.
std::vector<Rgb> medianCut(std::vector<Rgb> pixels, size_t size)
{
    std::vector<Box> boxes{{std::move(pixels)}};
    while (boxes.size() < size) {
        auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
            return a.range() * a.colours.size() < b.range() * b.colours.size();
        });
        if (widest->range() == 0 || widest->colours.size() < 2)
            break;
        int c = widest->widestChannel();
        std::vector<Rgb>& colours = widest->colours;
        std::sort(colours.begin(), colours.end(), [c](const Rgb& a, const Rgb& b) { return a[c] < b[c]; });
        Box upper{std::vector<Rgb>(colours.begin() + colours.size() / 2, colours.end())};
        colours.resize(colours.size() / 2);
        boxes.push_back(std::move(upper));
    }
    std::vector<Rgb> palette;
    for (const Box& box : boxes)
        palette.push_back(box.mean());
    return palette;
}

uint8_t nearest(const std::vector<Rgb>& palette, const Rgb& colour)
{
    size_t best = 0;
    int bestDistance = 1 << 30;
    for (size_t i = 0; i < palette.size(); ++i) {
        int distance = 0;
        for (int c = 0; c < 3; ++c) {
            int d = palette[i][c] - colour[c];
            distance += d * d;
        }
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return static_cast<uint8_t>(best);
}

}  // namespace

PalettePicture PalettePicture::quantise(const Raster& picture)
{
    std::vector<uint8_t> bytes = picture.rgb8();
    std::vector<Rgb> pixels(bytes.size() / 3);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = {bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]};
    PalettePicture out;
    out.width = picture.width();
    out.height = picture.height();
    out.palette = medianCut(pixels, 256);
    out.indices.reserve(pixels.size());
    for (const Rgb& rgb : pixels)
        out.indices.push_back(nearest(out.palette, rgb));
    return out;
}
