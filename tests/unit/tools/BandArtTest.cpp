#include <algorithm>
#include <cmath>
#include <functional>

#include <gtest/gtest.h>

#include "scene/Angles.h"
#include "scene/Annulus.h"
#include "tools/artwork/FlareArt.h"
#include "tools/artwork/SkyArt.h"

// The scene draws the rings and the rim glows over bands alone: outside its band each
// picture must blend in nothing, so that leaving it out changes no pixel.
namespace {

constexpr float kNothing = 0.5f / 255.0f;  // rounds to no change in an 8-bit frame

// Calls check(radius, texel) for every texel; radius in units where the picture's
// half-width is halfWidth.
void forEachTexel(const Raster& picture, double halfWidth, const std::function<void(double, const Colour&)>& check)
{
    for (int row = 0; row < picture.height(); ++row)
        for (int column = 0; column < picture.width(); ++column) {
            const double x = ((column + 0.5) / picture.width() * 2.0 - 1.0) * halfWidth;
            const double y = ((row + 0.5) / picture.height() * 2.0 - 1.0) * halfWidth;
            check(std::hypot(x, y), picture.at(column, row));
        }
}

float brightest(const Colour& c)
{
    return std::max(c.r, std::max(c.g, c.b));
}

// Texels within two of either edge still reach past it by filtering.
void expectNothingOutside(const Raster& picture, const Annulus& band, const char* name)
{
    const double texel = 2.0 / picture.width();
    const double apothem = band.outer * std::cos(pi / band.segments);
    int stray = 0;
    forEachTexel(picture, 1.0, [&](double r, const Colour& c) {
        if ((r < band.inner + 2.0 * texel || r > apothem - 2.0 * texel) && brightest(c) > kNothing)
            ++stray;
    });
    EXPECT_EQ(stray, 0) << name;
}

TEST(BandArt, RimGlowsHoldNothingOutsideTheirBands)
{
    expectNothingOutside(FlareArt::flare(7), wideGlowBand, "wide ring");
    expectNothingOutside(FlareArt::flare(9), thinGlowBand, "crescent");
}

TEST(BandArt, RingsAreBlackAndTheirMaskWhiteOutsideTheRingBand)
{
    const Raster rings = SkyArt::rings(), mask = SkyArt::ringsMask();
    const double texel = 4.0 / rings.width();  // the square spans 4 planet radii
    // The mipmaps' smaller levels spread a texel over several: five to spare.
    const double inner = ringBand.inner + 5.0 * texel;
    // The band's outer edge keeps at least this far out, on its circle or on the square.
    const double outer = std::min(ringBand.outer, ringBand.square) * std::cos(pi / ringBand.segments) - 5.0 * texel;
    int dark = 0, light = 0;
    forEachTexel(rings, 2.0,
                 [&](double r, const Colour& c) { light += (r < inner || r > outer) && brightest(c) > kNothing; });
    forEachTexel(mask, 2.0, [&](double r, const Colour& c) {
        dark += (r < inner || r > outer) && std::min(c.r, std::min(c.g, c.b)) < 1.0f - kNothing;
    });
    EXPECT_EQ(light, 0);
    EXPECT_EQ(dark, 0);
}

}  // namespace
