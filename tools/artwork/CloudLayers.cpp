#include "tools/artwork/CloudLayers.h"

#include "scene/Angles.h"
#include "tools/procedural/GradientNoise.h"
#include "tools/procedural/ParallelRows.h"

#include <algorithm>
#include <cmath>

namespace {

// The layer's share of a pixel stays a little below what the mask gives up,
// most of all in thin feathered edges, so that JPEG rounding in either picture
// cannot push mask + layer over white.
double layerShare(double cover)
{
    return cover * (0.6 + 0.4 * cover) * 0.92;
}

double smoothstep(double a, double b, double x)
{
    double t = std::clamp((x - a) / (b - a), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// Colours of the undisturbed atmosphere from the north pole (0) to the south pole (1).
struct PaletteStop {
    double y;
    Colour colour;
};
const PaletteStop latitudePalette[] = {
    {0.00, {0.46, 0.48, 0.52}}, {0.06, {0.54, 0.56, 0.59}}, {0.12, {0.64, 0.60, 0.54}}, {0.20, {0.82, 0.75, 0.63}},
    {0.30, {0.90, 0.84, 0.71}}, {0.38, {0.74, 0.55, 0.36}}, {0.44, {0.84, 0.72, 0.54}}, {0.50, {0.91, 0.84, 0.69}},
    {0.57, {0.78, 0.58, 0.40}}, {0.61, {0.66, 0.42, 0.28}}, {0.66, {0.80, 0.66, 0.52}}, {0.72, {0.90, 0.83, 0.69}},
    {0.82, {0.71, 0.64, 0.55}}, {0.88, {0.63, 0.61, 0.58}}, {0.94, {0.55, 0.57, 0.60}}, {1.00, {0.47, 0.49, 0.53}},
};

Colour paletteAt(double y)
{
    y = std::clamp(y, 0.0, 1.0);
    for (size_t i = 1; i < std::size(latitudePalette); ++i)
        if (y <= latitudePalette[i].y) {
            const PaletteStop& a = latitudePalette[i - 1];
            const PaletteStop& b = latitudePalette[i];
            return mix(a.colour, b.colour, smoothstep(0.0, 1.0, (y - a.y) / (b.y - a.y)));
        }
    return latitudePalette[std::size(latitudePalette) - 1].colour;
}

// One band of cloud: where it lies in its picture and what it looks like.
struct BandStyle {
    int layer;
    double centre;  // middle of the band, 0 = picture top, 1 = bottom
    double halfWidth;  // same units
    double opacity;
    Colour dark, light;
    int cellsAround;  // noise cells around the planet; larger is finer
    double stretch;  // how much longer than tall the cloud streaks are
    double shear;  // horizontal drag of the warped flow
    double edgeWaves;  // edge turbulence, in half-widths
    double stripes;  // thin darker stripes across the band's width
    int whiteOvals;  // small bright storms strung along the band's middle
    uint32_t seed;
};

const BandStyle bandStyles[] = {
    {1, 0.20, 0.15, 0.94, {0.46, 0.25, 0.15}, {0.80, 0.55, 0.35}, 6, 5.0, 1.8, 0.55, 3.0, 0, 11},
    {2, 0.50, 0.20, 0.82, {0.80, 0.66, 0.50}, {1.00, 0.94, 0.80}, 5, 4.0, 2.4, 0.50, 2.0, 0, 12},
    {3, 0.50, 0.32, 0.80, {0.74, 0.58, 0.42}, {1.00, 0.93, 0.78}, 7, 6.0, 1.5, 0.40, 5.0, 0, 13},
    {4, 0.45, 0.30, 0.78, {0.80, 0.66, 0.50}, {1.00, 0.94, 0.80}, 8, 5.0, 1.6, 0.40, 4.0, 5, 14},
    {5, 0.50, 0.28, 0.88, {0.44, 0.40, 0.36}, {0.70, 0.62, 0.52}, 9, 7.0, 1.4, 0.45, 2.0, 0, 15},
    {6, 0.50, 0.26, 0.88, {0.46, 0.40, 0.34}, {0.74, 0.65, 0.54}, 9, 7.0, 1.4, 0.45, 2.0, 7, 16},
    {7, 0.50, 0.32, 0.82, {0.42, 0.44, 0.48}, {0.62, 0.63, 0.65}, 10, 3.0, 1.2, 0.40, 1.0, 0, 17},
    {8, 0.55, 0.32, 0.82, {0.42, 0.44, 0.48}, {0.63, 0.64, 0.66}, 10, 3.0, 1.2, 0.40, 1.0, 0, 18},
    {9, 0.42, 0.15, 0.94, {0.42, 0.21, 0.13}, {0.76, 0.47, 0.30}, 6, 5.0, 2.0, 0.55, 3.0, 0, 19},
};

// Turbulent flow by nested warping: a coarse field drags a finer one, which
// drags the finest; sideways drag dominates, so eddies shear into streaks.
struct Flow {
    double value;  // about -1..1, the cloud brightness
    double edge;  // about -1..1, displacement for the band edges
};

Flow flowAt(const GradientNoise& noise, double x, double y, int cells, double stretch, double shear)
{
    const double ys = cells * stretch * 0.5;
    double ax = noise.fbmPeriodic(x * cells, y * ys, cells, 3);
    double ay = noise.fbmPeriodic(x * cells + 5.2, y * ys + 1.3, cells, 3);
    const int mid = cells * 2;
    double bx = noise.fbmPeriodic(x * mid + 3.0 * shear * ax, y * ys * 2.0 + 1.2 * ay, mid, 3);
    double by = noise.fbmPeriodic(x * mid + 3.0 * shear * ax + 8.3, y * ys * 2.0 + 1.2 * ay + 2.8, mid, 3);
    const int fine = cells * 4;
    double value = noise.fbmPeriodic(x * fine + 4.0 * shear * bx, y * ys * 4.0 + 2.5 * by, fine, 5, 0.55);
    return {value, 0.6 * by + 0.4 * ay};
}

void paintBase(Raster& layer)
{
    GradientNoise noise(7);
    parallelRows(layer.height(), [&](int row) {
        double y = (row + 0.5) / layer.height();
        for (int column = 0; column < layer.width(); ++column) {
            double x = (column + 0.5) / layer.width();
            Flow flow = flowAt(noise, x, y, 8, 4.0, 1.5);
            double wobble = y + 0.02 * flow.edge + 0.006 * flow.value;
            double stripes = noise.periodic(0.5, wobble * 90.0, 1);
            Colour c = paletteAt(wobble);
            layer.at(column, row) = scaled(c, 1.0 + 0.12 * flow.value + 0.07 * stripes);
        }
    });
}

// Cover of the band's white ovals at (x, t); their spacing is jittered by seed.
double whiteOvalCover(const BandStyle& style, double x, double t, double aspect, double swirl)
{
    double cover = 0.0;
    for (int k = 0; k < style.whiteOvals; ++k) {
        double centre = (k + 0.5 + 0.3 * std::sin(k * 2.3 + style.seed)) / style.whiteOvals;
        double dx = std::remainder(x - centre, 1.0) * aspect / 2.4, dy = t - style.centre;
        double d = std::sqrt(dx * dx + dy * dy) / (style.halfWidth * 0.32) + 0.3 * swirl;
        // Brightest in a ring, a little dimmer at the eye, soft toward the outside.
        cover = std::max(cover, 0.85 * (1.0 - smoothstep(0.3, 1.0, d)) * (0.75 + 0.25 * smoothstep(0.0, 0.5, d)));
    }
    return cover;
}

void paintBand(const BandStyle& style, double top, double height, Raster& layer, Raster& mask)
{
    GradientNoise noise(style.seed);
    const double aspect = static_cast<double>(layer.width()) / layer.height();
    const Colour white{1.0f, 0.97f, 0.90f};
    parallelRows(layer.height(), [&](int row) {
        double t = (row + 0.5) / layer.height();
        double y = top + t * height;  // same noise scale on every band
        double envelope = smoothstep(0.0, 0.08, t) * smoothstep(0.0, 0.08, 1.0 - t);
        for (int column = 0; column < layer.width(); ++column) {
            double x = (column + 0.5) / layer.width();
            Flow flow = flowAt(noise, x, y, style.cellsAround, style.stretch, style.shear);
            double offset = (t - style.centre) / style.halfWidth + style.edgeWaves * (flow.edge + 0.12 * flow.value);
            double cover = style.opacity * envelope * (1.0 - smoothstep(0.6, 1.0, std::fabs(offset)));
            double stripe = 0.5 + 0.5 * std::cos(offset * style.stripes * pi + 2.0 * flow.value);
            double shade = std::clamp(0.55 + 1.0 * flow.value - 0.25 * stripe, 0.0, 1.0);
            Colour c = mix(style.dark, style.light, shade);
            double oval = envelope * whiteOvalCover(style, x, t, aspect, flow.value);
            c = mix(c, scaled(white, 0.9 + 0.1 * flow.value), oval);
            cover = std::max(cover, oval);
            layer.at(column, row) = scaled(c, layerShare(cover));
            mask.at(column, row) = grey(1.0 - cover);
        }
    });
}

// A vortex seen from above: cloud streaks run along spiral arcs that wind
// tighter toward the centre, so the picture reads as swirling when it turns.
struct OvalStyle {
    int layer;
    Colour dark, light;
    double rim;  // radius where the cover starts to fade, 1 = picture edge
    double twist;  // radians of winding from rim to centre
    uint32_t seed;
};

const OvalStyle ovalStyles[] = {
    {10, {0.56, 0.22, 0.15}, {0.86, 0.48, 0.33}, 0.70, 5.0, 21},
    {11, {0.80, 0.45, 0.32}, {0.95, 0.72, 0.55}, 0.55, 6.0, 22},
};

void paintOval(const OvalStyle& style, Raster& layer, Raster& mask)
{
    GradientNoise noise(style.seed);
    const int size = layer.width();
    for (int row = 0; row < size; ++row)
        for (int column = 0; column < size; ++column) {
            double px = (column + 0.5) / size * 2.0 - 1.0, py = (row + 0.5) / size * 2.0 - 1.0;
            double r = std::sqrt(px * px + py * py), angle = std::atan2(py, px);
            double wound = angle / (2.0 * pi) + style.twist / (2.0 * pi) * std::pow(std::max(0.0, 1.0 - r), 1.5);
            double streaks = noise.fbmPeriodic(wound * 6.0, r * 9.0, 6, 5, 0.6);
            double ragged = style.rim + 0.06 * noise.periodic(angle / (2.0 * pi) * 5.0, 3.7, 5);
            double cover = 1.0 - smoothstep(ragged, ragged + 0.25, r);
            double collar = std::exp(-std::pow((r - style.rim) / 0.12, 2.0));
            double shade = std::clamp(0.55 + 0.9 * streaks + 0.2 * (1.0 - r) - 0.25 * collar, 0.0, 1.0);
            layer.at(column, row) = scaled(mix(style.dark, style.light, shade), layerShare(cover));
            mask.at(column, row) = grey(1.0 - cover);
        }
}

}  // namespace

int CloudLayers::pictureWidth(int index)
{
    const LayerDescriptor& row = layerTable[index];
    return row.kind == LayerKind::Oval ? (index == 10 ? 256 : 128) : 2048;
}

int CloudLayers::pictureHeight(int index)
{
    const LayerDescriptor& row = layerTable[index];
    return row.kind == LayerKind::Oval ? pictureWidth(index) : static_cast<int>(std::lround(row.height * 1024));
}

CloudLayers::CloudLayers()
{
    for (int i = 0; i < layerCount; ++i) {
        layers_[i] = Raster(pictureWidth(i), pictureHeight(i));
        masks_[i] = Raster(pictureWidth(i), pictureHeight(i), grey(1.0));
    }
    // The base is never masked; its mask is a plain white stand-in.
    masks_[0] = Raster(128, 128, grey(1.0));
    paintBase(layers_[0]);
    for (const BandStyle& style : bandStyles)
        paintBand(style, layerTable[style.layer].top, layerTable[style.layer].height, layers_[style.layer],
                  masks_[style.layer]);
    for (const OvalStyle& style : ovalStyles)
        paintOval(style, layers_[style.layer], masks_[style.layer]);
}
