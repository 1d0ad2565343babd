#include "scene/FlarePlan.h"

#include <algorithm>
#include <cmath>

#include "scene/Angles.h"
#include "scene/Vec3.h"

namespace {

constexpr double kSampleRadius = 0.03;  // device units, the same on both axes
constexpr double kFullIntensity = 0.3;
constexpr double kCutOff = 1.5;
// The table's half-widths from which a glow on the sun is wider than the screen at full
// intensity.
constexpr double kWideGlow = 3.0;

bool onScreen(double x, double y)
{
    return x >= -1.0 && x < 1.0 && y >= -1.0 && y < 1.0;
}

// As the sun is covered every element moves toward orange (1, 0.5, 0).
void coverColour(const FlareElement& row, double hidden, FlareSprite& sprite)
{
    sprite.red = static_cast<float>(row.red + (1.0 - row.red) * hidden);
    sprite.green = static_cast<float>(row.green + (0.5 - row.green) * hidden);
    sprite.blue = static_cast<float>(row.blue * (1.0 - hidden));
}

FlareSprite elementSprite(const FlareElement& row, double ndcX, double ndcY, double angle, double intensity,
                          double hidden, double aspect)
{
    FlareSprite sprite;
    sprite.centreX = ndcX * row.position;
    sprite.centreY = ndcY * row.position;
    sprite.angle = angle;
    sprite.halfWidth = intensity * row.halfWidth;
    sprite.halfHeight = intensity * row.halfHeight * aspect;
    sprite.alpha = intensity * row.alpha;
    sprite.texture = row.texture;
    coverColour(row, hidden, sprite);
    return sprite;
}

FlareSprite streakSprite(double ndcX, double ndcY, double intensity, double hidden, double aspect)
{
    FlareSprite sprite = elementSprite(flareStreak, ndcX, ndcY, -pi / 4.0, intensity, hidden, aspect);
    sprite.halfWidth = flareStreak.halfWidth;
    sprite.halfHeight = flareStreak.halfHeight * aspect;
    return sprite;
}

}  // namespace

PixelBox flareSampleBox(const FlareView& view)
{
    // A pixel either side for the rounding of the samples' places.
    const double rx = kSampleRadius * 0.5 * view.width + 1.0;
    const double ry = kSampleRadius * 0.5 * view.height + 1.0;
    const double x0 = std::max(0.0, std::floor(view.winX - rx));
    const double y0 = std::max(0.0, std::floor(view.winY - ry));
    const double x1 = std::min(view.width - 1.0, std::ceil(view.winX + rx));
    const double y1 = std::min(view.height - 1.0, std::ceil(view.winY + ry));
    if (!(x0 <= x1 && y0 <= y1))
        return {0, 0, -1, -1};
    return {static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1), static_cast<int>(y1)};
}

double flareHidden(double ndcX, double ndcY, const FlareView& view, DepthSampler& depth)
{
    double hidden = 1.0;
    for (int k = 0; k < flareSampleCount; ++k) {
        const double a = k * pi / 32.0;
        const double x = ndcX + kSampleRadius * std::cos(a);
        const double y = ndcY + kSampleRadius * std::sin(a);
        if (!onScreen(x, y))
            continue;  // off screen counts as covered, and is not read
        const int px = static_cast<int>((x + 1.0) * 0.5 * view.width);
        const int py = static_cast<int>((y + 1.0) * 0.5 * view.height);
        if (depth.depthAt(px, py) >= view.winZ)
            hidden -= 1.0 / flareSampleCount;
    }
    return hidden;
}

int planLensFlares(const FlareView& view, DepthSampler& depth, FlareSprite out[flareSpriteCount])
{
    if (view.width <= 0 || view.height <= 0 || !(view.winZ <= 1.0))
        return 0;  // no viewport, or the sun lies behind the viewer
    const double ndcX = view.winX / view.width * 2.0 - 1.0;
    const double ndcY = view.winY / view.height * 2.0 - 1.0;
    const double hidden = flareHidden(ndcX, ndcY, view, depth);
    const double intensity = (1.0 - hidden) * kFullIntensity;
    if (intensity <= 0.0)
        return 0;
    if (std::fabs(ndcX) > kCutOff || std::fabs(ndcY) > kCutOff)
        return 0;
    const double aspect = static_cast<double>(view.width) / view.height;
    const double angle = std::atan2(ndcY, ndcX) - 3.0 * pi / 4.0;
    for (int i = 0; i < flareElementCount; ++i)
        out[i] = elementSprite(flareElements[i], ndcX, ndcY, angle, intensity, hidden, aspect);
    out[flareElementCount] = streakSprite(ndcX, ndcY, intensity, hidden, aspect);
    return flareSpriteCount;
}

void flareSpriteCorners(const FlareSprite& sprite, FlareCorner out[4])
{
    static const double textureCorners[4][2] = {{1, 0}, {1, 1}, {0, 1}, {0, 0}};
    for (int k = 0; k < 4; ++k) {
        const double a = sprite.angle + k * (pi / 2.0);
        out[k] = {sprite.centreX + sprite.halfWidth * std::cos(a), sprite.centreY + sprite.halfHeight * std::sin(a),
                  textureCorners[k][0], textureCorners[k][1]};
    }
}

bool isWideSunGlow(int row)
{
    if (row < 0 || row >= flareElementCount)
        return false;
    const FlareElement& e = flareElements[row];
    return e.texture == softGlowTexture && e.position == 1.0 && e.halfWidth >= kWideGlow;
}

bool planSunGlow(const FlareSprite sprites[flareSpriteCount], int count, const GlowProfile& profile,
                 GlowRing out[sunGlowRings + 1])
{
    if (profile.empty() || count < flareElementCount)
        return false;
    // A sprite's picture reaches its inscribed circle: half its diagonal over root 2.
    double edge = 0.0;
    for (int i = 0; i < flareElementCount; ++i)
        if (isWideSunGlow(i))
            edge = std::max(edge, sprites[i].halfWidth / std::sqrt(2.0));
    if (!(edge > 0.0))
        return false;
    for (int k = 0; k <= sunGlowRings; ++k) {
        const double radius = edge * std::pow(double(k) / sunGlowRings, 1.5);
        double light[3] = {0.0, 0.0, 0.0};
        for (int i = 0; i < flareElementCount; ++i) {
            if (!isWideSunGlow(i))
                continue;
            const FlareSprite& s = sprites[i];
            const double seen = profile.at(radius / (s.halfWidth / std::sqrt(2.0))) * std::clamp(s.alpha, 0.0, 1.0);
            light[0] += seen * s.red;
            light[1] += seen * s.green;
            light[2] += seen * s.blue;
        }
        out[k] = {radius, static_cast<float>(light[0]), static_cast<float>(light[1]), static_cast<float>(light[2])};
    }
    return true;
}
