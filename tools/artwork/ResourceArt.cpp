#include "tools/artwork/ResourceArt.h"

#include "scene/Angles.h"
#include "tools/image/GlyphFont.h"
#include "tools/procedural/Random.h"

#include <algorithm>
#include <cmath>

namespace {

const Colour magenta{1.0f, 0.0f, 1.0f};

double smoothstep(double a, double b, double x)
{
    double t = std::clamp((x - a) / (b - a), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

PlanetView::Camera framedCamera(double halfHeight, double centreX, double centreY)
{
    return {14.0, 0.62, halfHeight, centreX, centreY, {-0.55, 0.35, 0.76}};
}

void starField(Raster& picture, uint64_t seed, int count)
{
    Random random(seed);
    for (int i = 0; i < count; ++i) {
        int x = static_cast<int>(random.unit() * picture.width()),
            y = static_cast<int>(random.unit() * picture.height());
        double brightness = std::pow(random.unit(), 3.0) * 0.9 + 0.1;
        picture.at(x, y) = grey(brightness);
    }
}

Raster composite(const IconImage& image, const Raster& background)
{
    Raster out = background;
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            float a = image.alpha[static_cast<size_t>(y) * out.width() + x];
            const Colour& c = image.colour.at(x, y);
            Colour& d = out.at(x, y);
            d = {c.r + d.r * (1 - a), c.g + d.g * (1 - a), c.b + d.b * (1 - a)};
        }
    return out;
}

// Lettering with a dark outline and a warm gradient from top to bottom.
void title(Raster& picture, const char* text, int left, int top, double scale)
{
    const int width = GlyphFont::textWidth(text, scale),
              height = static_cast<int>(std::ceil(GlyphFont::glyphHeight * scale));
    for (int y = top - 3; y < top + height + 3; ++y)
        for (int x = left - 3; x < left + width + static_cast<int>(scale) + 3; ++x) {
            if (x < 0 || y < 0 || x >= picture.width() || y >= picture.height())
                continue;
            double fill = 0.0, halo = 0.0;
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < 4; ++i) {
                    double sx = x - left + (i + 0.5) / 4, sy = y - top + (j + 0.5) / 4;
                    // Bold: each stroke doubled a third of a dot to the right.
                    fill += std::max(GlyphFont::coverage(text, scale, sx, sy),
                                     GlyphFont::coverage(text, scale, sx - scale / 3, sy));
                    for (int k = 0; k < 8; ++k)
                        halo =
                            std::max(halo, GlyphFont::coverage(text, scale, sx - scale / 6 + 1.8 * std::cos(k * pi / 4),
                                                               sy + 1.8 * std::sin(k * pi / 4)));
                }
            fill /= 16.0;
            double g = std::clamp((y - top) / static_cast<double>(height), 0.0, 1.0);
            Colour gold = mix(Colour{1.0f, 0.96f, 0.80f}, Colour{0.95f, 0.62f, 0.25f}, g);
            Colour& d = picture.at(x, y);
            d = mix(d, Colour{0.05f, 0.03f, 0.02f}, halo * 0.85);
            d = mix(d, gold, fill);
        }
}

// One product-list cell: hard-edged shapes on magenta, which the list makes transparent.
using CellShape = bool (*)(double x, double y, Colour& colour);

bool downloadArrow(double x, double y, Colour& colour)
{
    bool shaft = std::fabs(x - 16) < 3.5 && y > 4 && y < 17;
    bool head = y >= 15 && y < 23 && std::fabs(x - 16) < (23 - y) * 1.1;
    bool tray = y > 24 && y < 28.5 && x > 5 && x < 27;
    colour =
        tray ? Colour{0.35f, 0.38f, 0.42f} : mix(Colour{0.40f, 0.85f, 0.35f}, Colour{0.10f, 0.50f, 0.12f}, y / 24.0);
    return shaft || head || tray;
}

bool globe(double x, double y, Colour& colour)
{
    double dx = (x - 16) / 12.5, dy = (y - 16) / 12.5, r = std::sqrt(dx * dx + dy * dy);
    if (r > 1.0)
        return false;
    double longitude = std::asin(std::clamp(dx / std::sqrt(std::max(1e-9, 1 - dy * dy)), -1.0, 1.0));
    double latitude = std::asin(std::clamp(dy, -1.0, 1.0));
    bool line = std::fabs(std::remainder(longitude, pi / 4)) < 0.06 ||
                std::fabs(std::remainder(latitude, pi / 6)) < 0.06 || r > 0.92;
    double shade = 0.55 + 0.45 * (1.0 - r);
    colour = line ? Colour{0.85f, 0.93f, 1.0f} : scaled(Colour{0.20f, 0.45f, 0.85f}, shade);
    return true;
}

bool unknown(double x, double y, Colour& colour)
{
    double dx = x - 16, dy = y - 16, r = std::sqrt(dx * dx + dy * dy);
    if (r > 13.0)
        return false;
    bool mark = GlyphFont::coverage("?", 3.0, x - 8.5, y - 5.5) > 0.5;
    colour = mark ? Colour{1.0f, 1.0f, 1.0f} : scaled(Colour{0.55f, 0.56f, 0.60f}, 0.7 + 0.3 * (1.0 - r / 13.0));
    return true;
}

bool newBadge(double x, double y, Colour& colour)
{
    double dx = x - 16, dy = y - 16, r = std::sqrt(dx * dx + dy * dy), angle = std::atan2(dy, dx);
    double edge = 12.0 + 2.5 * std::cos(angle * 12.0);
    if (r > edge)
        return false;
    bool text = GlyphFont::coverage("NEW", 1.0, x - 7.5, y - 12.5) > 0.5;
    colour =
        text ? Colour{0.75f, 0.05f, 0.05f} : mix(Colour{1.0f, 0.95f, 0.45f}, Colour{0.95f, 0.70f, 0.10f}, r / 14.0);
    return true;
}

bool installed(double x, double y, Colour& colour)
{
    // A check mark from two thick strokes.
    auto stroke = [&](double ax, double ay, double bx, double by) {
        double vx = bx - ax, vy = by - ay,
               t = std::clamp(((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
        double px = ax + t * vx - x, py = ay + t * vy - y;
        return px * px + py * py < 3.4 * 3.4;
    };
    colour = mix(Colour{0.45f, 0.90f, 0.40f}, Colour{0.08f, 0.55f, 0.10f}, y / 32.0);
    return stroke(6, 17, 13, 24) || stroke(13, 24, 26, 8);
}

void paintCell(Raster& cells, int index, CellShape shape)
{
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            Colour c;
            if (shape(x + 0.5, y + 0.5, c))
                cells.at(index * 32 + x, y) = c;
        }
}

double goldStar(double x, double y)
{
    double r = std::sqrt(x * x + y * y), angle = std::atan2(y, x);
    double arms = 0.22 + 0.78 * std::pow(std::fabs(std::cos(angle * 2.0)), 8.0);
    return 1.0 - smoothstep(arms * 0.9 - 0.06, arms * 0.9, r);
}

IconImage decorative(int size)
{
    IconImage image{Raster(size, size), std::vector<float>(static_cast<size_t>(size) * size)};
    constexpr int samples = 4;
    for (int row = 0; row < size; ++row)
        for (int column = 0; column < size; ++column) {
            double cover = 0.0;
            for (int j = 0; j < samples; ++j)
                for (int i = 0; i < samples; ++i)
                    cover += goldStar((column + (i + 0.5) / samples) / size * 2 - 1,
                                      (row + (j + 0.5) / samples) / size * 2 - 1);
            cover /= samples * samples;
            double x = (column + 0.5) / size * 2 - 1, y = (row + 0.5) / size * 2 - 1;
            double glow = 1.0 - std::sqrt(x * x + y * y);
            image.colour.at(column, row) =
                mix(Colour{0.85f, 0.55f, 0.12f}, Colour{1.0f, 0.95f, 0.70f}, std::clamp(glow * 1.4, 0.0, 1.0));
            image.alpha[static_cast<size_t>(row) * size + column] = static_cast<float>(cover);
        }
    return image;
}

}  // namespace

Raster ResourceArt::preview(const PlanetView& view)
{
    Raster sky(192, 144);
    starField(sky, 145, 90);
    Raster picture = composite(view.render(192, 144, framedCamera(1.55, 0.35, -0.15), 3), sky);
    title(picture, "Zandor 3D", 9, 7, 2.6);
    return picture;
}

Raster ResourceArt::listCells(const PlanetView& view)
{
    Raster cells(192, 32, magenta);
    IconImage planet = view.render(32, 32, framedCamera(2.05, 0.0, 0.0), 4);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (planet.alpha[static_cast<size_t>(y) * 32 + x] >= 0.5f)
                cells.at(x, y) = scaled(planet.colour.at(x, y), 1.0 / planet.alpha[static_cast<size_t>(y) * 32 + x]);
    const CellShape shapes[] = {downloadArrow, globe, unknown, newBadge, installed};
    for (int i = 0; i < 5; ++i)
        paintCell(cells, i + 1, shapes[i]);
    return cells;
}

std::vector<IconImage> ResourceArt::programIcon(const PlanetView& view)
{
    std::vector<IconImage> images;
    for (int size : {16, 32, 48}) {
        IconImage image = view.render(size, size, framedCamera(2.05, 0.0, 0.0), 4);
        // Icons store straight colour beside their alpha.
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                float a = image.alpha[static_cast<size_t>(y) * size + x];
                if (a > 0.0f)
                    image.colour.at(x, y) = scaled(image.colour.at(x, y), 1.0 / a);
            }
        images.push_back(std::move(image));
    }
    return images;
}

std::vector<IconImage> ResourceArt::decorativeIcon()
{
    return {decorative(16), decorative(32)};
}

Raster ResourceArt::systemView(const PlanetView& view, int size)
{
    Raster sky(size, size);
    starField(sky, 7, size);
    return composite(view.render(size, size, framedCamera(2.1, 0.0, 0.0), 2), sky);
}
