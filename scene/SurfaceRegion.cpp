#include "scene/SurfaceRegion.h"

#include <algorithm>
#include <cmath>

namespace {
// Covers the mesh's flat triangles (about 3 degrees across) sampling beyond the
// horizon's true longitude and latitude.
constexpr double kMarginRadians = 5.0 * pi / 180.0;
// Linear filtering reads one texel beyond; one more for rounding.
constexpr int kMarginTexels = 2;

// Columns [first, first + count) of a texture width wide, split where they wrap.
SurfaceRegion columnsToRegion(long first, long count, int rowFirst, int rowCount, int width)
{
    SurfaceRegion region;
    if (count >= width) {
        region.boxes[region.count++] = {0, rowFirst, width, rowCount};
        return region;
    }
    const int start = static_cast<int>(((first % width) + width) % width);
    const int run = static_cast<int>(count);
    const int head = std::min(run, width - start);
    region.boxes[region.count++] = {start, rowFirst, head, rowCount};
    if (head < run)
        region.boxes[region.count++] = {0, rowFirst, run - head, rowCount};
    return region;
}
}

SurfaceRegion wholeSurface(int width, int height)
{
    SurfaceRegion region;
    region.boxes[region.count++] = {0, 0, width, height};
    return region;
}

SurfaceRegion visibleSurfaceRegion(Vec3 eye, int width, int height)
{
    const double d = length(eye);
    if (!(d > 1.0) || width <= 0 || height <= 0)
        return wholeSurface(width, height);
    // The horizon seen from distance d lies acos(1/d) from the point below the eye.
    const double radius = std::acos(1.0 / d) + kMarginRadians;
    const double latitude = std::asin(eye.z / d);
    const double southmost = std::max(latitude - radius, -pi / 2);
    const double northmost = std::min(latitude + radius, pi / 2);
    const int rowFirst = std::max(0, static_cast<int>(std::floor((southmost / pi + 0.5) * height)) - kMarginTexels);
    const int rowEnd = std::min(height, static_cast<int>(std::ceil((northmost / pi + 0.5) * height)) + kMarginTexels);

    const bool poleInView = latitude + radius >= pi / 2 || latitude - radius <= -pi / 2;
    if (poleInView)
        return columnsToRegion(0, width, rowFirst, rowEnd - rowFirst, width);
    const double halfSpan = std::asin(std::min(1.0, std::sin(radius) / std::cos(latitude)));
    const double longitude = std::atan2(eye.y, eye.x);
    const double west = (longitude - halfSpan) / (2.0 * pi) * width;
    const double east = (longitude + halfSpan) / (2.0 * pi) * width;
    const long first = static_cast<long>(std::floor(west)) - kMarginTexels;
    const long end = static_cast<long>(std::ceil(east)) + kMarginTexels;
    return columnsToRegion(first, end - first, rowFirst, rowEnd - rowFirst, width);
}

Vec3 eyeInPlanetFrame(Vec3 eyeWorld, double turnDegrees, double flattening)
{
    const double angle = -turnDegrees * pi / 180.0;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return {c * eyeWorld.x - s * eyeWorld.y, s * eyeWorld.x + c * eyeWorld.y, eyeWorld.z / flattening};
}
